#pragma once
// The window's controls as plain data: the properties the game reads and writes. A front end draws
// them; the game logic never sees a toolkit.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace porukami {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture loaded by the host. Front ends derive from it to keep their own pixels.
struct ImageData {
  virtual ~ImageData() = default;
  int width = 0;
  int height = 0;
};
using ImageRef = std::shared_ptr<const ImageData>;

// Position and size in the container's units.
struct Geometry {
  double Left = 0, Top = 0, Width = 0, Height = 0;
  friend bool operator==(const Geometry&, const Geometry&) = default;
};

// A container's own coordinate system.
struct Scale {
  double Left = 0, Top = 0, Width = 1, Height = 1;
  friend bool operator==(const Scale&, const Scale&) = default;
};

struct Control {
  std::string Name;
  bool Visible = true;
  bool Enabled = true;
  Geometry Geo;
  Rgb BackColor{225, 184, 135};
  Rgb ForeColor{0, 0, 0};
  int FontSize = 9;
};

struct Button : Control {
  std::string Caption;
};

enum class Alignment { Left, Center };

struct Label : Control {
  std::string Caption;
  Alignment Align = Alignment::Left;
  bool Bold = false;  // bold labels use the game's Japanese text face
};

struct ListBox : Control {
  std::vector<std::string> Items;
  int ListIndex = -1;  // selected line, -1 for none

  int ListCount() const { return static_cast<int>(Items.size()); }
  void AddItem(std::string s) { Items.push_back(std::move(s)); }
  void RemoveItem(int index);
  void Clear() {
    Items.clear();
    ListIndex = -1;
  }
  // The selected line's text, or empty when nothing is selected.
  std::string SelectedText() const;
};

struct TextBox : Control {
  std::string Text;
  std::size_t MaxLength = 0;  // characters; 0 = no limit
  void SetText(const std::string& s);
};

struct PictureBox : Control {
  Scale ScaleSys;
  bool Border = false;
  ImageRef Painted;         // what is drawn on the box, stretched over it; null when cleared
  std::string PaintedName;  // the picture name that was painted
  void Cls() {
    Painted.reset();
    PaintedName.clear();
  }
};

struct Shape : Control {
  Rgb FillColor{255, 255, 255};
  Rgb BorderColor{0, 0, 0};
  bool Border = false;
};

// A timer's on-off switch, read and set as a bool. It counts the times it is switched on from off,
// so a front end can tell a timer switched off and on again within one event, whose interval
// starts afresh, from one left on, which keeps its phase.
class TimerSwitch {
 public:
  TimerSwitch(bool on = false) : on_(on) {}
  TimerSwitch& operator=(bool on) {
    if (on && !on_) ++starts_;
    on_ = on;
    return *this;
  }
  operator bool() const { return on_; }
  std::uint32_t Starts() const { return starts_; }

 private:
  bool on_;
  std::uint32_t starts_ = 0;
};

struct Timer {
  std::string Name;
  int Interval = 0;  // milliseconds; 0 never ticks
  TimerSwitch Enabled;
  bool Ticks() const { return Enabled && Interval > 0; }
};

struct MenuItem {
  std::string Caption;
  bool Checked = false;
};

}  // namespace porukami
