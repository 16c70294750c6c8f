#pragma once
// What the game needs from the world outside the window model. The Qt window, the terminal tool
// and the tests each supply one.
#include <cstdint>
#include <string>

#include "ui/controls.h"

namespace porukami {

class Frm;

class Host {
 public:
  virtual ~Host() = default;

  // A modal message box with a single OK button.
  virtual void MsgBoxOk(const std::string& text, const std::string& caption) = 0;
  // A modal message box with Yes and No and no icon; true for Yes.
  virtual bool MsgBoxYesNo(const std::string& text, const std::string& caption) = 0;
  // Shows the pop-up menu `menu` at the mouse pointer and waits; returns the index of the picked
  // text-speed item, or -1 when the menu was dismissed.
  virtual int PopupMenu(const Frm& frm) = 0;
  // Loads a picture file whatever its format; null when it is missing or not a picture.
  virtual ImageRef LoadPicture(const std::string& nativePath) = 0;
  // A picture that LoadPicture will probably be asked for soon, to be shown on `box`: a host may
  // begin decoding it now, on another thread, and must then answer LoadPicture exactly as it
  // would have. Ignoring the hint is always correct.
  virtual void PrefetchPicture(const std::string& /*nativePath*/, const PictureBox& /*box*/) {}
  // The folder that holds the program, as the platform reports it.
  virtual std::string AppPath() = 0;
  // The screen's size in twips.
  virtual std::int32_t ScreenWidth() = 0;
  virtual std::int32_t ScreenHeight() = 0;
  // Moves and sizes the window's outer frame (twips). False when the window cannot be re-shaped
  // in its current state (maximised, for instance).
  virtual bool SetOuterGeometry(double left, double top, double width, double height) = 0;
  // Told each time a scene's script has been opened, before its first step runs.
  virtual void SceneStarted(const std::string& /*name*/) {}
};

// The random source: uniform numbers in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  virtual double Next() = 0;
  virtual void Seed(std::uint64_t seed) = 0;
};

}  // namespace porukami
