// The window model played by a monkey: random clicks on whatever is shown, ticks of running
// timers, menu picks, answers to the restart prompt, selections, names and resizes, on the demo
// content and on a folder of broken content. After every event the rules of invariants.h must
// hold and no file descriptor may stay open. PORUKAMI_MONKEY_EVENTS sets the number of events
// (default 20000), PORUKAMI_MONKEY_SEED the random seed (default 1).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "app/Frm.h"
#include "monkey/events.h"
#include "monkey/invariants.h"
#include "sound/mci.h"
#include "support/fakes.h"
#include "text/cp932.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return (v && *v) ? std::strtol(v, nullptr, 10) : fallback;
}

// The fake host, plus real picture files (PNG, BMP, GIF, JPEG) recognised by their first bytes,
// so the demo's pictures load while broken ones do not.
class MonkeyHost : public testing::FakeHost {
 public:
  ImageRef LoadPicture(const std::string& nativePath) override {
    std::ifstream in(nativePath, std::ios::binary);
    char head[8] = {};
    in.read(head, sizeof head);
    const std::string_view magic(head, static_cast<std::size_t>(in.gcount()));
    if (magic.starts_with("\x89PNG") || magic.starts_with("BM") || magic.starts_with("GIF8") ||
        magic.starts_with("\xFF\xD8")) {
      auto img = std::make_shared<testing::FakeImage>();
      img->width = 640;
      img->height = 480;
      img->path = nativePath;
      return img;
    }
    return FakeHost::LoadPicture(nativePath);
  }
};

struct Outcome {
  long events = 0;
  long handled = 0;
  long newGames = 0;  // after the first
  long messages = 0;
  long scenes = 0;  // events that left a different scene open
  int lastDay = 0;  // the furthest day reached
  std::set<std::string> sceneNames;
  std::set<std::string> firstMessages;  // a few of the messages shown, for the report
  double seconds = 0;
  std::string broken;
};

// Plays `count` events on the content of `dir`; stops at the first broken rule.
Outcome Play(const fs::path& dir, long count, unsigned seed) {
  Outcome out;
  MonkeyHost host;
  host.appPath = dir.string();
  std::mt19937_64 monkey(seed);
  // The game's draws, from the test's seed: the clock seed that start-up gives is ignored, so a
  // run replays exactly.
  class SeededRandom : public Random {
   public:
    explicit SeededRandom(unsigned s) : gen_(s) {}
    double Next() override { return std::uniform_real_distribution<double>(0, 1)(gen_); }
    void Seed(std::uint64_t) override {}

   private:
    std::mt19937_64 gen_;
  } random(seed * 7919u + 1u);

  Frm frm(host, random);
  if (!frm.Form_Load()) {
    out.broken = "start-up refused the content: " +
                 (host.messages.empty() ? std::string("(no message)") : host.messages.back());
    return out;
  }
  frm.Form_Activate();
  const int fds = monkey::OpenFileDescriptors();
  std::string last = "Form_Activate";
  int day = frm.Day;
  std::string scene = frm.OpenScene().value_or("");
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < count; ++i) {
    const auto what = static_cast<std::uint8_t>(monkey());
    const auto how = static_cast<std::uint8_t>(monkey());
    std::string done;
    if (what % 20 == 18) {
      // Any height a window can have, from nothing to far beyond a screen.
      host.canReshape = (how & 1) == 0;
      const double exponent = std::uniform_real_distribution<double>(0, 8.4)(monkey);
      frm.Height = std::floor(std::pow(10.0, exponent)) - 1;
      frm.Form_Resize();
      done = "Form_Resize " + std::to_string(frm.Height);
    } else {
      // A player short of money mostly goes to the forest or home instead of visiting, so that
      // some play-throughs reach the month's end.
      const bool visit = what % 20 >= 10 && what % 20 <= 12 && how % 5 < 3;
      const auto thrifty = static_cast<std::uint8_t>(3 + (how & 1));
      done = monkey::PlayEvent(frm, host, what,
                               visit && frm.Money < 5000 && (how & 0x80) ? thrifty : how);
    }
    if (!done.empty()) {
      last = done;
      ++out.handled;
    }
    if (frm.Day == 1 && day > 1) ++out.newGames;
    day = frm.Day;
    out.lastDay = std::max(out.lastDay, day);
    if (frm.OpenScene() && *frm.OpenScene() != scene) {
      ++out.scenes;
      out.sceneNames.insert(*frm.OpenScene());
    }
    scene = frm.OpenScene().value_or("");
    for (const std::string& m : host.messages) {
      if (m == "初期化しますか？") continue;
      ++out.messages;
      if (out.firstMessages.size() < 5 && !out.firstMessages.count(m)) out.firstMessages.insert(m);
    }
    ++out.events;
    if (std::string why = monkey::BrokenRule(frm); !why.empty()) {
      out.broken = why + "after event " + std::to_string(i) + ": " + last;
      break;
    }
    if (const int now = monkey::OpenFileDescriptors(); now != fds) {
      out.broken = std::to_string(now - fds) + " more file descriptors open after event " +
                   std::to_string(i) + ": " + last;
      break;
    }
    host.messages.clear();
    host.captions.clear();
    host.loadedPictures.clear();
    host.geometries.clear();
  }
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  bool cancel = false;
  frm.Form_Unload(cancel);
  return out;
}

std::string Sjis(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string bytes;
  for (const auto& l : lines) bytes += *text::Utf8ToCp932(l) + end;
  return bytes;
}

// Content that breaks every rule it can: a two-line catalogue with short lines, huge numbers and
// gift stat indexes 7 and -1; scenes missing, empty, unreadable in places, handing over to
// themselves or to nothing, running ahead by billions; pictures missing, truncated or not
// pictures; a memories piece missing; a bgm.mid that is not MIDI.
void WriteHostileContent(testing::TempContent& c) {
  c.Raw("txt/item.dat", Sjis({"石ころ,99999999999999999999,7,-1,2", "短い"}));
  c.Raw("txt/opn.dat",
        Sjis({"はじまり", ">img cut", ">fce 9", ">fce", ">img nothing", ">img", "--99999999999",
              "一", "--", "--x", "二", std::string(300, 'x') + "-m", ">p", "", "", ">fcn"}) +
            "\x81\x20\x82\xA0\xFF lone\nLF\r" + Sjis({">ive 011"}));
  c.Raw("txt/010.dat", "");
  c.Scene("011", {">ive 011"});
  c.Scene("012", {"名のない場面へ", ">ive "});
  c.Scene("020", {"--2147483647", "あ", "い", "tugi", "う"});
  c.Scene("030", {">fce 1", "顔", ">fce", ">ive 030"});
  c.Scene("021", {"-m-m-m", ">htm 3,モンキー", ">htm ../外", ">htm 4,a/b", "終"});
  c.Raw("txt/mori_1.dat", "\r\n");
  c.Scene("ive0", {"森の奥", ">end"});
  c.Scene("ive1", {">end"});
  c.Scene("end", {"おわり", ">htm 1,モンキー", ">end"});
  c.Raw("txt/head.dat", "<html>");
  c.Raw("img/mori.dat", "IMG");
  c.Raw("img/cut.dat", "IMG 64");
  c.Raw("img/face_9.dat", "\x89PN");
  c.Picture("face_1", 81, 81);
  c.Raw("bgm.mid", "MThd but not really");
}

void CopyDemo(const fs::path& from, const fs::path& to) {
  for (const char* part : {"txt", "img"})
    fs::copy(from / part, to / part,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  if (fs::exists(from / "bgm.mid")) fs::copy_file(from / "bgm.mid", to / "bgm.mid");
}

class CoreMonkey : public ::testing::Test {
 protected:
  void Report(const char* what, const Outcome& o) {
    std::printf(
        "[ monkey ] %s: %ld events (%ld acted on) in %.2f s, seed %u: %ld new games, furthest "
        "day %d, %ld scene changes (%zu scenes), %ld messages\n",
        what, o.events, o.handled, o.seconds, seed_, o.newGames, o.lastDay, o.scenes,
        o.sceneNames.size(), o.messages);
    for (const std::string& m : o.firstMessages)
      std::printf("[ monkey ]   message: %s\n", m.c_str());
  }
  long count_ = EnvNumber("PORUKAMI_MONKEY_EVENTS", 20000);
  unsigned seed_ = static_cast<unsigned>(EnvNumber("PORUKAMI_MONKEY_SEED", 1));
};

TEST_F(CoreMonkey, DemoContent) {
  const char* env = std::getenv("PORUKAMI_APP_DIR");
  const fs::path demo = (env && *env) ? fs::path(env) : fs::path(PORUKAMI_DEMO_DIR);
  if (!fs::exists(demo / "txt" / "item.dat") || !fs::exists(demo / "txt" / "opn.dat"))
    GTEST_SKIP() << "no demo content in " << demo << " (build porukami_content first)";
  testing::TempContent copy;  // ">htm" writes pages into the program folder
  CopyDemo(demo, copy.dir());
  const Outcome o = Play(copy.dir(), count_, seed_);
  Report("demo content", o);
  EXPECT_EQ(o.broken, "");
  EXPECT_EQ(o.events, count_);
}

TEST_F(CoreMonkey, HostileContent) {
  testing::TempContent content;
  WriteHostileContent(content);
  const Outcome o = Play(content.dir(), count_, seed_ + 1);
  Report("hostile content", o);
  EXPECT_EQ(o.broken, "");
  EXPECT_EQ(o.events, count_);
  // Nothing was written outside the program folder, and no page for a name that leaves it.
  EXPECT_FALSE(fs::exists(content.dir().parent_path() / "外＿おまけ.html"));
  for (const auto& e : fs::directory_iterator(content.dir())) {
    const std::string name = e.path().filename().string();
    EXPECT_TRUE(name == "txt" || name == "img" || name == "bgm.mid" ||
                name == "モンキー＿おまけ.html")
        << name;
  }
}

}  // namespace
}  // namespace porukami
