#pragma once
// A window-less host for benchmarks that drive the game's core: no message boxes, no menu, every
// picture the same undecoded placeholder, a 1600 x 1200 screen.
#include <memory>
#include <string>

#include "app/Frm.h"
#include "app/host.h"

namespace porukami::bench {

class BenchHost : public Host {
 public:
  explicit BenchHost(std::string dir) : dir_(std::move(dir)) {
    auto picture = std::make_shared<ImageData>();
    picture->width = 960;
    picture->height = 800;
    picture_ = std::move(picture);
  }
  void MsgBoxOk(const std::string&, const std::string&) override { ++messages; }
  bool MsgBoxYesNo(const std::string&, const std::string&) override { return false; }
  int PopupMenu(const Frm&) override { return -1; }
  ImageRef LoadPicture(const std::string&) override { return picture_; }
  std::string AppPath() override { return dir_; }
  std::int32_t ScreenWidth() override { return 1600 * 15; }
  std::int32_t ScreenHeight() override { return 1200 * 15; }
  bool SetOuterGeometry(double, double, double, double) override { return true; }
  int messages = 0;

 private:
  std::string dir_;
  ImageRef picture_;
};

class FixedRandom : public Random {
 public:
  double Next() override { return 0.5; }
  void Seed(std::uint64_t) override {}
};

}  // namespace porukami::bench
