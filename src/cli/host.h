#pragma once
// The terminal tool's side of the window model: message boxes answered from a queue, pictures
// decoded once per file, a random source that can be told its next numbers.
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/host.h"
#include "app/random.h"

namespace porukami::cli {

// Decodes each picture file once; the game asks for the same picture at every ">img". Where no
// pixel is ever looked at (the simulator), reading the header is enough: it tells a picture from
// a file that is not one, and gives the size.
class PictureCache {
 public:
  explicit PictureCache(bool headerOnly = false) : headerOnly_(headerOnly) {}
  ImageRef Load(const std::string& nativePath);

 private:
  bool headerOnly_;
  std::unordered_map<std::string, ImageRef> pictures_;
};

class CliHost : public Host {
 public:
  explicit CliHost(std::string appPath, bool headerOnlyPictures = false)
      : appPath_(std::move(appPath)), pictures_(headerOnlyPictures) {}

  std::deque<bool> answers;           // for Yes/No boxes; none queued: No
  std::vector<std::string> messages;  // texts of the boxes shown since the caller last took them
  std::vector<std::string> started;   // scenes started since the caller last took them

  void MsgBoxOk(const std::string& text, const std::string& caption) override;
  bool MsgBoxYesNo(const std::string& text, const std::string& caption) override;
  int PopupMenu(const Frm& frm) override;
  ImageRef LoadPicture(const std::string& nativePath) override;
  std::string AppPath() override { return appPath_; }
  std::int32_t ScreenWidth() override { return 1920 * 15; }
  std::int32_t ScreenHeight() override { return 1080 * 15; }
  bool SetOuterGeometry(double left, double top, double width, double height) override;
  void SceneStarted(const std::string& name) override { started.push_back(name); }

 private:
  std::string appPath_;
  PictureCache pictures_;
};

// The game's generator, with numbers queued in front of it.
class CliRandom : public Random {
 public:
  std::deque<double> queued;
  double Next() override;
  void Seed(std::uint64_t seed) override { gen_.Seed(seed); }

 private:
  StdRandom gen_;
};

// The folder that holds this program (absolute, no trailing "/").
std::string ProgramFolder();
// DIR made absolute, without a trailing "/".
std::string AbsoluteFolder(const std::string& dir);

}  // namespace porukami::cli
