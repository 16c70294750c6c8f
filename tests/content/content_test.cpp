// The demo content as the game meets it: every file through the game's own text loader, every
// scene played to its end through the game's own interpreter, the catalogue, the pictures and the
// music checked against what the game and the player need from them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/Frm.h"
#include "support/fakes.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace {

namespace fs = std::filesystem;
using porukami::Frm;
using porukami::text::Len;
using porukami::text::ReadTextFile;
using porukami::text::TextFile;

const fs::path kAppDir = PORUKAMI_CONTENT_DIR;
const char* const kNames[3] = {"ラテゥ", "ヒョウ", "マム"};
const int kKeyStat[3] = {2, 1, 0};
// The text panel shows about 40 full-width characters; lines are kept well inside that.
constexpr std::size_t kMaxRow = 32;

std::string Digit(int d) {
  return std::string(1, static_cast<char>('0' + d));
}

std::vector<std::string> ScenesTheGameAsksFor() {
  std::vector<std::string> names = {"opn", "end", "moneyend"};
  for (int h = 0; h < 3; ++h) {
    for (int stage = 1; stage <= 4; ++stage) {
      for (int v = 0; v < 3; ++v) names.push_back(Digit(h) + Digit(stage) + Digit(v));
    }
    names.push_back(Digit(h) + "5");
    names.push_back(Digit(h) + "6");
  }
  for (int i = 0; i < 4; ++i) names.push_back("mori_" + Digit(i));
  for (int i = 0; i < 3; ++i) names.push_back("ive" + Digit(i));
  return names;
}

fs::path TxtPath(const std::string& name) {
  return kAppDir / "txt" / (name + ".dat");
}
fs::path ImgPath(const std::string& name) {
  return kAppDir / "img" / (name + ".dat");
}

TextFile ReadContent(const std::string& name) {
  return ReadTextFile(TxtPath(name).string());
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

bool IsCommand(const std::string& line) {
  return StartsWith(line, "tugi") || StartsWith(line, "--") || StartsWith(line, ">");
}

// The argument of ">ive", ">htm" and ">img": from the sixth character on.
std::string Argument(const std::string& line) {
  return std::string(porukami::text::MidFrom(line, 6));
}

struct PictureSize {
  std::uint32_t width = 0, height = 0;
};

// The size a PNG or JPEG file declares (the demo's backgrounds are JPEG, its faces PNG).
std::optional<PictureSize> ReadPictureSize(const fs::path& path) {
  const std::string b = ReadBytes(path);
  auto be = [&](std::size_t at, std::size_t n) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
  };
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
    return PictureSize{be(16, 4), be(20, 4)};
  if (b.size() < 4 || b.compare(0, 2, "\xFF\xD8") != 0) return std::nullopt;
  // JPEG: walk the segments to the frame header (SOF0 to SOF2).
  for (std::size_t at = 2; at + 9 <= b.size();) {
    if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
    const unsigned marker = static_cast<unsigned char>(b[at + 1]);
    if (marker >= 0xC0 && marker <= 0xC2) return PictureSize{be(at + 7, 2), be(at + 5, 2)};
    at += 2 + be(at + 2, 2);
  }
  return std::nullopt;
}

// Every scene the game can reach: the ones it asks for and those handed over to with ">ive".
std::vector<std::string> ReachableScenes() {
  std::vector<std::string> order = ScenesTheGameAsksFor();
  std::set<std::string> seen(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (const std::string& line : ReadContent(order[i]).lines) {
      if (StartsWith(line, ">ive") && seen.insert(Argument(line)).second) {
        order.push_back(Argument(line));
      }
    }
  }
  return order;
}

std::vector<std::string> Rows(const std::string& caption) {
  std::vector<std::string> rows;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = caption.find("\r\n", from);
    rows.push_back(caption.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return rows;
    from = at + 2;
  }
}

// ---------------------------------------------------------------------------------------------

TEST(DemoScenes, EverySceneTheGameAsksForIsThereAndReadsCleanly) {
  for (const std::string& name : ScenesTheGameAsksFor()) {
    SCOPED_TRACE(name);
    const TextFile f = ReadContent(name);
    ASSERT_TRUE(f.opened);
    EXPECT_FALSE(f.lines.empty());
    EXPECT_TRUE(f.badLines.empty());
    EXPECT_TRUE(f.loneLfLines.empty());
    const std::string bytes = ReadBytes(TxtPath(name));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line must end in CR LF too";
  }
}

TEST(DemoScenes, CommandsNameScenesAndPicturesThatExist) {
  for (const std::string& name : ReachableScenes()) {
    const TextFile f = ReadContent(name);
    ASSERT_TRUE(f.opened) << name;
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
      const std::string& line = f.lines[i];
      SCOPED_TRACE(name + ":" + std::to_string(i + 1) + ": " + line);
      if (StartsWith(line, ">ive")) {
        const TextFile next = ReadContent(Argument(line));
        EXPECT_TRUE(next.opened && !next.lines.empty());
      } else if (StartsWith(line, ">img")) {
        ASSERT_FALSE(Argument(line).empty()) << "an empty name repaints the last picture";
        EXPECT_TRUE(ReadPictureSize(ImgPath(Argument(line))).has_value());
      } else if (StartsWith(line, ">fce")) {
        const std::string face(porukami::text::CharAt(line, 6));
        ASSERT_FALSE(face.empty());
        EXPECT_TRUE(ReadPictureSize(ImgPath("face_" + face)).has_value());
      } else if (StartsWith(line, "--")) {
        const std::string count = line.substr(2);
        ASSERT_FALSE(count.empty());
        EXPECT_EQ(count.find_first_not_of("0123456789"), std::string::npos);
        const std::size_t n = std::stoul(count);
        EXPECT_GE(n, 1u);
        EXPECT_LE(i + n, f.lines.size() - 1) << "runs ahead past the end of the scene";
      } else if (StartsWith(line, ">p")) {
        EXPECT_EQ(line, ">p") << "anything after >p hides the page end from the line before";
      } else if (StartsWith(line, ">")) {
        EXPECT_TRUE(StartsWith(line, ">end") || StartsWith(line, ">htm") ||
                    StartsWith(line, ">fcn"))
            << "not a command the game knows; it would be shown as text";
      }
    }
  }
}

TEST(DemoScenes, EveryPageEndsOnATextLineThePlayerCanRead) {
  // A command between the last text line and the end of its page (">p", ">end", ">ive" or the
  // end of the file) takes the page-end mark away, and the text timer then clears the page
  // before the player has read it.
  for (const std::string& name : ReachableScenes()) {
    const TextFile f = ReadContent(name);
    for (std::size_t i = 0; i <= f.lines.size(); ++i) {
      const bool pageEnd = i == f.lines.size() || f.lines[i] == ">p" ||
                           StartsWith(f.lines[i], ">end") || StartsWith(f.lines[i], ">ive") ||
                           StartsWith(f.lines[i], "tugi");
      if (!pageEnd) continue;
      if (i == f.lines.size() && i > 0 &&
          (StartsWith(f.lines[i - 1], ">end") || StartsWith(f.lines[i - 1], ">ive"))) {
        continue;  // the file ends on the command that ended the scene
      }
      ASSERT_GT(i, 0u) << name;
      const std::string& before = f.lines[i - 1];
      EXPECT_TRUE(!IsCommand(before) && !before.empty())
          << name << ":" << i << ": \"" << before << "\" stands before a page end";
    }
  }
}

TEST(DemoScenes, TheNameMarkStandsWhereTheGameReplacesIt) {
  // The game scans a line for "-m" only up to its third-last character, and a long name pushes
  // a second "-m" out of the scanned part; so one "-m" a line, never as the last two characters.
  for (const std::string& name : ReachableScenes()) {
    const TextFile f = ReadContent(name);
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
      const std::string& line = f.lines[i];
      const std::size_t at = line.find("-m");
      if (IsCommand(line) || at == std::string::npos) continue;
      SCOPED_TRACE(name + ":" + std::to_string(i + 1) + ": " + line);
      EXPECT_EQ(line.find("-m", at + 2), std::string::npos);
      EXPECT_LT(at + 2, line.size());
    }
  }
}

TEST(DemoScenes, HandOversNeverComeBackAround) {
  std::map<std::string, std::vector<std::string>> next;
  for (const std::string& name : ReachableScenes()) {
    for (const std::string& line : ReadContent(name).lines) {
      if (StartsWith(line, ">ive")) next[name].push_back(Argument(line));
    }
  }
  EXPECT_FALSE(next.empty()) << "the demo shows a hand-over at least once";
  std::map<std::string, int> state;  // 1 on the path, 2 done
  std::function<bool(const std::string&)> loops = [&](const std::string& n) {
    if (state[n] == 1) return true;
    if (state[n] == 2) return false;
    state[n] = 1;
    for (const std::string& m : next[n]) {
      if (loops(m)) return true;
    }
    state[n] = 2;
    return false;
  };
  for (const auto& [name, targets] : next) EXPECT_FALSE(loops(name)) << name;
}

TEST(DemoScenes, VisitsTellEnoughWithoutDragging) {
  for (const std::string& name : ScenesTheGameAsksFor()) {
    if (name[0] < '0' || name[0] > '2') continue;
    int text = 0;
    for (const std::string& line : ReadContent(name).lines) text += IsCommand(line) ? 0 : 1;
    EXPECT_GE(text, 8) << name;
    EXPECT_LE(text, 20) << name;
  }
}

TEST(DemoScenes, EachFinaleWritesHerPageAndEndsTheGame) {
  for (int h = 0; h < 3; ++h) {
    const TextFile f = ReadContent(Digit(h) + "6");
    ASSERT_TRUE(f.opened);
    std::vector<std::string> pages;
    for (const std::string& line : f.lines) {
      if (StartsWith(line, ">htm")) pages.push_back(Argument(line));
    }
    EXPECT_EQ(pages, std::vector<std::string>{Digit(h) + "," + kNames[h]});
    ASSERT_FALSE(f.lines.empty());
    EXPECT_TRUE(StartsWith(f.lines.back(), ">end"));
  }
  for (const char* ending : {"end", "moneyend"}) {
    const TextFile f = ReadContent(ending);
    ASSERT_FALSE(f.lines.empty()) << ending;
    EXPECT_TRUE(StartsWith(f.lines.back(), ">end")) << ending;
  }
}

TEST(DemoScenes, TheDemoUsesTheWholeGrammar) {
  // Content authors learn the format from the demo: every command appears somewhere.
  std::set<std::string> used;
  for (const std::string& name : ReachableScenes()) {
    for (const std::string& line : ReadContent(name).lines) {
      for (const char* c : {">p", ">img", ">fce", ">fcn", ">ive", ">htm", ">end", "--"}) {
        if (StartsWith(line, c)) used.insert(c);
      }
      if (!IsCommand(line) && line.find("-m") != std::string::npos) used.insert("-m");
    }
  }
  EXPECT_EQ(used, (std::set<std::string>{">p", ">img", ">fce", ">fcn", ">ive", ">htm", ">end", "--",
                                         "-m"}));
}

// ---------------------------------------------------------------------------------------------

struct Item {
  std::string name;
  long price = 0;
  int stat[3] = {0, 0, 0};
};

std::vector<Item> ReadCatalogue() {
  const TextFile f = ReadContent("item");
  EXPECT_TRUE(f.opened);
  EXPECT_TRUE(f.badLines.empty());
  std::vector<Item> items;
  for (std::size_t i = 0; i < f.lines.size(); ++i) {
    SCOPED_TRACE("item.dat:" + std::to_string(i + 1) + ": " + f.lines[i]);
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (true) {
      const std::size_t comma = f.lines[i].find(',', from);
      fields.push_back(f.lines[i].substr(from, comma - from));
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    EXPECT_GE(fields.size(), 5u);
    if (fields.size() < 5) continue;
    Item item;
    item.name = fields[0];
    EXPECT_FALSE(item.name.empty());
    EXPECT_EQ(fields[1].find_first_not_of("0123456789"), std::string::npos);
    item.price = std::stol(fields[1]);
    for (int h = 0; h < 3; ++h) {
      const std::string& s = fields[static_cast<std::size_t>(2 + h)];
      EXPECT_TRUE(s == "0" || s == "1" || s == "2" || s == "3") << s;
      item.stat[h] = s.empty() ? -1 : s[0] - '0';
    }
    items.push_back(item);
  }
  return items;
}

TEST(DemoCatalogue, HoldsTwentyWellFormedItems) {
  const std::vector<Item> items = ReadCatalogue();
  EXPECT_GE(items.size(), 20u);
  std::set<std::string> names;
  for (const Item& item : items) EXPECT_TRUE(names.insert(item.name).second) << item.name;
}

TEST(DemoCatalogue, CommonFindsAreCheapAndTreasuresDear) {
  const std::vector<Item> items = ReadCatalogue();
  ASSERT_GE(items.size(), 6u);
  const std::size_t n = items.size();
  for (std::size_t i = 3; i + 2 < n; ++i) {
    for (std::size_t c = 0; c < 3; ++c) EXPECT_LT(items[c].price, items[i].price) << items[i].name;
    for (std::size_t r = n - 2; r < n; ++r) EXPECT_GT(items[r].price, items[i].price);
  }
}

TEST(DemoCatalogue, EveryHeroineCanBeCourtedWithFinds) {
  // Her climax needs her key stat at 67 or more; a gift raises it by 19.5 on average, so the
  // forest must turn up plenty of finds that name it, and selling must pay for the visits.
  const std::vector<Item> items = ReadCatalogue();
  ASSERT_GE(items.size(), 6u);
  const std::size_t n = items.size();
  for (int h = 0; h < 3; ++h) {
    int keyFinds = 0;
    for (std::size_t i = 3; i + 2 < n; ++i) keyFinds += items[i].stat[h] == kKeyStat[h] ? 1 : 0;
    EXPECT_GE(keyFinds, 6) << kNames[h];
    for (std::size_t c = 0; c < 3; ++c) {
      EXPECT_NE(items[c].stat[h], kKeyStat[h])
          << "a common find would knock 30 off " << kNames[h] << "'s key stat";
    }
  }
  long sum = 0;
  for (std::size_t i = 3; i + 2 < n; ++i) sum += items[i].price;
  // A forest day costs 500 and brings about 1.4 mid-range finds: they must pay for it.
  EXPECT_GE(sum / static_cast<long>(n - 5), 500);
}

// ---------------------------------------------------------------------------------------------

TEST(DemoPictures, BackgroundsKeepThePictureBoxShapeAndFacesAreSquare) {
  std::set<std::string> backgrounds = {"mori"};
  std::set<std::string> faces;
  for (const std::string& name : ReachableScenes()) {
    for (const std::string& line : ReadContent(name).lines) {
      if (StartsWith(line, ">img")) backgrounds.insert(Argument(line));
      if (StartsWith(line, ">fce"))
        faces.insert("face_" + std::string(porukami::text::CharAt(line, 6)));
    }
  }
  for (const std::string& name : backgrounds) {
    const auto size = ReadPictureSize(ImgPath(name));
    ASSERT_TRUE(size) << name;
    EXPECT_EQ(size->width * 5, size->height * 6) << name;
  }
  EXPECT_GE(faces.size(), 9u) << "several expressions for each heroine";
  for (const std::string& name : faces) {
    const auto size = ReadPictureSize(ImgPath(name));
    ASSERT_TRUE(size) << name;
    EXPECT_EQ(size->width, size->height) << name;
  }
}

TEST(DemoPictures, EveryMemoriesPagePictureIsThere) {
  for (int h = 0; h < 3; ++h) {
    EXPECT_TRUE(ReadPictureSize(ImgPath("opn0" + Digit(h + 1)))) << h;
    for (int i = 1; i <= 6; ++i)
      EXPECT_TRUE(ReadPictureSize(ImgPath(Digit(h) + Digit(i)))) << h << i;
  }
}

// ---------------------------------------------------------------------------------------------

struct Midi {
  int format = -1, division = 0;
  std::uint32_t usPerQuarter = 500000;
  int meterNum = 4, meterDen = 4;
  std::vector<std::uint32_t> trackEnds;  // tick of each track's end-of-track event
  std::uint32_t firstNoteOn = UINT32_MAX, lastNoteOff = 0;
};

std::optional<Midi> ReadMidi(const fs::path& path) {
  const std::string b = ReadBytes(path);
  auto u = [&](std::size_t at) { return static_cast<unsigned char>(b[at]); };
  auto be = [&](std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | u(at + static_cast<std::size_t>(i));
    return v;
  };
  if (b.size() < 14 || b.compare(0, 4, "MThd") != 0) return std::nullopt;
  Midi m;
  m.format = static_cast<int>(be(8, 2));
  const std::uint32_t tracks = be(10, 2);
  m.division = static_cast<int>(be(12, 2));
  std::size_t at = 14;
  for (std::uint32_t t = 0; t < tracks; ++t) {
    if (at + 8 > b.size() || b.compare(at, 4, "MTrk") != 0) return std::nullopt;
    const std::size_t end = at + 8 + be(at + 4, 4);
    if (end > b.size()) return std::nullopt;
    at += 8;
    std::uint32_t tick = 0;
    int status = 0;
    bool ended = false;
    while (at < end && !ended) {
      std::uint32_t delta = 0;
      do delta = (delta << 7) | (u(at) & 0x7F);
      while (u(at++) & 0x80);
      tick += delta;
      if (u(at) & 0x80) status = u(at++);
      if (status == 0xFF) {
        const int type = u(at++);
        std::uint32_t len = 0;
        do len = (len << 7) | (u(at) & 0x7F);
        while (u(at++) & 0x80);
        if (type == 0x51) m.usPerQuarter = be(at, 3);
        if (type == 0x58) {
          m.meterNum = u(at);
          m.meterDen = 1 << u(at + 1);
        }
        if (type == 0x2F) {
          m.trackEnds.push_back(tick);
          ended = true;
        }
        at += len;
      } else if (status == 0xF0 || status == 0xF7) {
        std::uint32_t len = 0;
        do len = (len << 7) | (u(at) & 0x7F);
        while (u(at++) & 0x80);
        at += len;
      } else {
        const int kind = status & 0xF0;
        const bool on = kind == 0x90 && u(at + 1) > 0;
        const bool off = kind == 0x80 || (kind == 0x90 && u(at + 1) == 0);
        if (on && tick < m.firstNoteOn) m.firstNoteOn = tick;
        if (off && tick > m.lastNoteOff) m.lastNoteOff = tick;
        at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      }
    }
    if (!ended) return std::nullopt;
    at = end;
  }
  return m;
}

TEST(DemoMusic, PlaysAMinuteOrSoAndLoopsOnABarLine) {
  const auto m = ReadMidi(kAppDir / "bgm.mid");
  ASSERT_TRUE(m.has_value());
  ASSERT_GT(m->division, 0);
  ASSERT_FALSE(m->trackEnds.empty());
  const std::uint32_t end = m->trackEnds.front();
  for (std::uint32_t e : m->trackEnds) EXPECT_EQ(e, end) << "every track ends on the same tick";
  const std::uint32_t bar = static_cast<std::uint32_t>(m->division) * 4u *
                            static_cast<std::uint32_t>(m->meterNum) /
                            static_cast<std::uint32_t>(m->meterDen);
  EXPECT_EQ(end % bar, 0u) << "the piece stops on a bar line";
  EXPECT_EQ(m->firstNoteOn, 0u) << "no silence before the first note";
  EXPECT_EQ(m->lastNoteOff, end) << "no silence after the last note";
  const double seconds = static_cast<double>(end) / m->division * m->usPerQuarter / 1e6;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 90.0);
}

// ---------------------------------------------------------------------------------------------
// Playing the scenes through the game itself.

class DemoPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    // A copy, so the memories pages the finales write land in a throw-away folder.
    for (const char* dir : {"txt", "img"}) {
      fs::copy(kAppDir / dir, content_.dir() / dir,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    host_.appPath = content_.dir().string();
    frm_ = std::make_unique<Frm>(host_, rnd_);
    ASSERT_TRUE(frm_->Form_Load());
    ASSERT_TRUE(host_.messages.empty()) << host_.messages.front();
  }

  // Starts a scene and clicks through it until it is over. Returns the rows shown after each
  // click (a row stays on screen over several clicks, so it may come more than once).
  std::vector<std::string> Play(const std::string& name) {
    std::vector<std::string> shown;
    frm_->StartScene(name);
    for (int clicks = 0; clicks < 500; ++clicks) {
      for (const std::string& row : Rows(frm_->Lbl.Caption)) {
        if (!row.empty()) shown.push_back(row);
      }
      const auto& open = frm_->OpenScene();
      if (!open || (*open == "opn" && name != "opn")) return shown;  // done, or a new game
      frm_->Lbl_Click();
    }
    ADD_FAILURE() << name << " never ends";
    return shown;
  }

  porukami::testing::TempContent content_;
  porukami::testing::FakeHost host_;
  porukami::testing::FakeRandom rnd_;
  std::unique_ptr<Frm> frm_;
};

TEST_F(DemoPlay, EverySceneRunsToItsEndWithThePlayersNameInPlace) {
  for (const std::string& name : ScenesTheGameAsksFor()) {
    SCOPED_TRACE(name);
    host_.loadedPictures.clear();
    const std::vector<std::string> shown = Play(name);
    EXPECT_FALSE(shown.empty());
    for (std::string row : shown) {
      for (const char* mark : {"▼", "▽"}) {
        if (const auto at = row.rfind(mark); at != std::string::npos) row.erase(at);
      }
      EXPECT_EQ(row.find("-m"), std::string::npos) << row;
      EXPECT_LE(Len(row), kMaxRow) << row;
    }
    for (const std::string& path : host_.loadedPictures) {
      EXPECT_TRUE(fs::exists(path)) << "the scene asks for a missing picture: " << path;
    }
    EXPECT_TRUE(host_.messages.empty()) << host_.messages.front();
    host_.messages.clear();
  }
}

TEST_F(DemoPlay, FinalesWriteAPageWhosePicturesAreAllThere) {
  for (int h = 0; h < 3; ++h) {
    SCOPED_TRACE(kNames[h]);
    Play(Digit(h) + "6");
    const fs::path page = content_.dir() / (std::string(kNames[h]) + "＿おまけ.html");
    const TextFile f = ReadTextFile(page.string());
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.badLines.empty());
    bool charset = false;
    int pictures = 0;
    for (const std::string& line : f.lines) {
      charset = charset || line.find("<meta charset=\"Shift_JIS\">") != std::string::npos;
      const std::size_t at = line.find("<img src=./img/");
      if (at == std::string::npos) continue;
      const std::size_t from = at + std::string("<img src=./img/").size();
      const std::string file = line.substr(from, line.find(' ', from) - from);
      EXPECT_TRUE(fs::exists(content_.dir() / "img" / file)) << file;
      ++pictures;
    }
    EXPECT_TRUE(charset) << "browsers need the charset to read the page";
    EXPECT_EQ(pictures, 7);
    EXPECT_NE(f.lines.back().find("</html>"), std::string::npos);
  }
}

}  // namespace
