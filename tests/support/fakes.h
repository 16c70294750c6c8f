#pragma once
// Test doubles: a host with scripted answers that records what the game showed, a random source
// with scripted numbers, and a throw-away content folder.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Frm.h"
#include "app/host.h"

namespace porukami::testing {

struct FakeImage : ImageData {
  std::string path;
};

class FakeHost : public Host {
 public:
  std::string appPath;
  std::int32_t screenW = 1920 * 15, screenH = 1080 * 15;
  bool canReshape = true;
  std::deque<bool> yesNoAnswers;  // none queued: No
  std::deque<int> menuPicks;      // none queued: dismissed
  std::vector<std::string> messages;
  std::vector<std::string> captions;
  std::vector<std::string> loadedPictures;       // native paths asked for
  std::vector<std::string> prefetched;           // native paths hinted with PrefetchPicture
  std::vector<const PictureBox*> prefetchedFor;  // and the box each was hinted for
  int popups = 0;
  struct Geo {
    double left, top, width, height;
  };
  std::vector<Geo> geometries;

  void MsgBoxOk(const std::string& text, const std::string& caption) override;
  bool MsgBoxYesNo(const std::string& text, const std::string& caption) override;
  int PopupMenu(const Frm& frm) override;
  ImageRef LoadPicture(const std::string& nativePath) override;
  void PrefetchPicture(const std::string& nativePath, const PictureBox& box) override {
    prefetched.push_back(nativePath);
    prefetchedFor.push_back(&box);
  }
  std::string AppPath() override { return appPath; }
  std::int32_t ScreenWidth() override { return screenW; }
  std::int32_t ScreenHeight() override { return screenH; }
  bool SetOuterGeometry(double left, double top, double width, double height) override;
};

// A picture file for FakeHost is any file whose first bytes are "IMG W H".
void WriteFakePicture(const std::filesystem::path& path, int w, int h);

class FakeRandom : public Random {
 public:
  std::deque<double> queue;  // returned first, in order
  int draws = 0;
  double fallback = 0.0;  // returned once the queue is empty
  double Next() override;
  void Seed(std::uint64_t) override {}
};

// A content folder in a fresh temporary directory, removed at the end of the test.
class TempContent {
 public:
  TempContent();
  ~TempContent();
  TempContent(const TempContent&) = delete;
  TempContent& operator=(const TempContent&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // Writes txt/NAME.dat from UTF-8 lines, in CP932 with CR LF after every line.
  void Scene(const std::string& name, const std::vector<std::string>& lines);
  // Writes raw bytes to a file under the folder.
  void Raw(const std::string& relative, const std::string& bytes);
  // A catalogue of `lines` (UTF-8), CR LF ended.
  void Catalogue(const std::vector<std::string>& lines);
  void Picture(const std::string& name, int w = 64, int h = 48);

 private:
  std::filesystem::path dir_;
};

// Everything a test of the game needs: content, host, random source and the window model after
// start-up. The catalogue defaults to five items; scenes are added by the test.
struct Game {
  TempContent content;
  FakeHost host;
  FakeRandom rnd;
  std::unique_ptr<Frm> frm;

  Game();
  // Runs start-up (and, if `activate`, the first new game) on the content written so far.
  bool Load(bool activate = true);
};

std::vector<std::string> DefaultCatalogue();

}  // namespace porukami::testing
