#pragma once
// Test doubles: a host with scripted answers that records what the game showed, a random source
// with scripted numbers, a throw-away content folder, and a game started on it.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Frm.h"
#include "app/host.h"

namespace porukami::testing {

// The front of `queue`, taken off it, or `none` when it is empty.
template <class T>
T Pop(std::deque<T>& queue, T none) {
  if (queue.empty()) return none;
  T front = queue.front();
  queue.pop_front();
  return front;
}

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
  int popups = 0;
  std::vector<std::string> messages, captions;
  std::vector<std::string> loadedPictures, prefetched;  // native paths asked for, and hinted
  std::vector<const PictureBox*> prefetchedFor;         // the box each was hinted for
  struct Geo {
    double left, top, width, height;
  };
  std::vector<Geo> geometries;

  void MsgBoxOk(const std::string& text, const std::string& caption) override {
    messages.push_back(text);
    captions.push_back(caption);
  }
  bool MsgBoxYesNo(const std::string& text, const std::string& caption) override {
    FakeHost::MsgBoxOk(text, caption);
    return Pop(yesNoAnswers, false);
  }
  int PopupMenu(const Frm&) override { return ++popups, Pop(menuPicks, -1); }
  ImageRef LoadPicture(const std::string& nativePath) override;  // of a file starting "IMG W H"
  void PrefetchPicture(const std::string& nativePath, const PictureBox& box) override {
    prefetched.push_back(nativePath);
    prefetchedFor.push_back(&box);
  }
  std::string AppPath() override { return appPath; }
  std::int32_t ScreenWidth() override { return screenW; }
  std::int32_t ScreenHeight() override { return screenH; }
  bool SetOuterGeometry(double left, double top, double width, double height) override {
    if (canReshape) geometries.push_back({left, top, width, height});
    return canReshape;
  }
};

class FakeRandom : public Random {
 public:
  std::deque<double> queue;  // returned first, in order
  int draws = 0;
  double fallback = 0.0;  // returned once the queue is empty
  double Next() override { return ++draws, Pop(queue, fallback); }
  void Seed(std::uint64_t) override {}
};

// A content folder (with txt/ and img/) in a fresh temporary directory, removed at the end.
class TempContent {
 public:
  TempContent();
  ~TempContent();
  TempContent(const TempContent&) = delete;
  TempContent& operator=(const TempContent&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // Writes txt/NAME.dat from UTF-8 lines, in CP932 with CR LF after every line.
  void Scene(const std::string& name, const std::vector<std::string>& lines);
  void Catalogue(const std::vector<std::string>& lines) { Scene("item", lines); }
  void Raw(const std::string& relative, const std::string& bytes);  // bytes as they are
  void Picture(const std::string& name, int w = 64, int h = 48);

 private:
  std::filesystem::path dir_;
};

// Content, host, random source and the window model. Unless the test wrote them, the catalogue
// is DefaultCatalogue() and the opening scene one line.
struct Game {
  TempContent content;
  FakeHost host;
  FakeRandom rnd;
  std::unique_ptr<Frm> frm;

  Game() { host.appPath = content.dir().string(); }
  // Runs start-up (and, if `activate`, the first new game) on the content written so far.
  bool Load(bool activate = true);
};

std::vector<std::string> DefaultCatalogue();

}  // namespace porukami::testing
