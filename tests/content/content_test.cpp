// The demo content: what `porukami-cli lint` cannot judge (lengths, picture shapes, the music)
// and every scene played to its end through the game itself. (That the catalogue makes a month
// playable shows in `porukami-cli sim` reaching every scene of the demo, the finales among them.)
#include <gtest/gtest.h>

#include <QImageReader>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>

#include "support/fakes.h"
#include "text/number.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace {

namespace fs = std::filesystem;
using porukami::text::ReadTextFile;
const fs::path kAppDir = PORUKAMI_CONTENT_DIR;
const char* const kNames[3] = {"ラテゥ", "ヒョウ", "マム"};

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every scene file: all of txt/ but the catalogue and the memories page pieces.
std::vector<std::string> Scenes() {
  std::vector<std::string> names;
  for (const auto& f : fs::directory_iterator(kAppDir / "txt"))
    if (const auto n = f.path().stem().string(); n != "item" && n != "head" && n != "foot")
      names.push_back(n);
  return names;
}

std::vector<std::string> Lines(const std::string& scene) {
  return ReadTextFile((kAppDir / "txt" / (scene + ".dat")).string()).lines;
}

bool IsCommand(const std::string& line) {
  return line.starts_with("tugi") || line.starts_with("--") || line.starts_with(">");
}

TEST(DemoScenes, LengthsRunAheadsAndTheWholeGrammar) {
  std::set<std::string> used, faces;
  const std::vector<std::string> commands = {">p",   ">img", ">fce", ">fcn",
                                             ">ive", ">htm", ">end", "--"};
  const std::vector<std::string> scenes = Scenes();
  EXPECT_GE(scenes.size(), 50u);
  for (const std::string& name : scenes) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(Bytes(kAppDir / "txt" / (name + ".dat")).ends_with("\r\n")) << "the last line too";
    const std::vector<std::string> lines = Lines(name);
    int text = 0;
    std::vector<std::string> pages;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      for (const std::string& c : commands)
        if (line.starts_with(c)) used.insert(c);
      if (line.starts_with(">fce")) faces.insert(line);
      if (line.starts_with(">htm")) pages.push_back(line.substr(5));
      if (line.starts_with("--")) {  // a run-ahead stays inside its scene
        EXPECT_LE(i + porukami::text::ToLong(line.substr(2)), lines.size() - 1) << line;
      }
      if (IsCommand(line)) continue;
      ++text;
      // The game scans for "-m" up to the third-last character, and a long name pushes a second
      // "-m" out of the scanned part.
      if (const std::size_t at = line.find("-m"); at != std::string::npos) {
        used.insert("-m");
        EXPECT_EQ(line.find("-m", at + 2), std::string::npos) << line;
      }
    }
    if (name.size() == 3 && name[0] <= '2' && name[1] <= '4') {  // a visit: enough, not dragging
      EXPECT_GE(text, 8);
      EXPECT_LE(text, 20);
    }
    const bool finale = name.size() == 2 && name[1] == '6';
    if (finale) {  // she writes her page
      EXPECT_EQ(pages, std::vector<std::string>{name.substr(0, 1) + "," + kNames[name[0] - '0']});
    }
    if (finale || name == "end" || name == "moneyend") {
      EXPECT_TRUE(!lines.empty() && lines.back().starts_with(">end"));
    }
  }
  EXPECT_EQ(used.size(), commands.size() + 1) << "content authors learn the format from the demo";
  EXPECT_GE(faces.size(), 9u) << "several expressions for each heroine";
}

TEST(DemoPictures, BackgroundsKeepThePictureBoxShapeAndFacesAreSquare) {
  for (const auto& f : fs::directory_iterator(kAppDir / "img")) {
    const std::string name = f.path().stem().string();
    const QSize size = QImageReader(QString::fromStdString(f.path().string())).size();
    ASSERT_FALSE(size.isEmpty()) << name;
    const bool memories = name.starts_with("opn0") || (name[0] >= '0' && name[0] <= '2');
    if (name.starts_with("face_")) {
      EXPECT_EQ(size.width(), size.height()) << name;
    } else if (!memories) {
      EXPECT_EQ(size.width() * 5, size.height() * 6) << name;
    }
  }
}

TEST(DemoMusic, PlaysAMinuteOrSoAndLoopsOnABarLine) {
  const std::string b = Bytes(kAppDir / "bgm.mid");
  std::size_t at = 10;  // past "MThd", its length and the format
  const auto u = [&] { return static_cast<unsigned char>(b.at(at++)); };
  const auto be = [&](int n) {
    std::uint32_t v = 0;
    while (n-- > 0) v = v << 8 | u();
    return v;
  };
  const auto var = [&] {
    std::uint32_t v = 0, c = 0x80;
    while (c & 0x80) v = v << 7 | ((c = u()) & 0x7F);
    return v;
  };
  ASSERT_TRUE(b.starts_with("MThd"));
  const std::uint32_t tracks = be(2), division = be(2);
  std::uint32_t usPerQuarter = 500000, bar = division * 4, firstOn = UINT32_MAX, lastOff = 0;
  std::set<std::uint32_t> ends;  // the tick of each track's end-of-track event
  for (std::uint32_t t = 0; t < tracks; ++t) {
    ASSERT_EQ(b.substr(at, 4), "MTrk");
    at += 4;
    const std::size_t end = be(4) + at;
    std::uint32_t tick = 0, status = 0;
    while (at < end) {
      tick += var();
      if (b.at(at) & 0x80) status = u();
      if (status == 0xFF || status == 0xF0 || status == 0xF7) {
        const std::uint32_t type = status == 0xFF ? u() : 0, len = var();
        const std::size_t next = at + len;
        if (type == 0x51) usPerQuarter = be(3);
        if (type == 0x58) bar = division * 4 * u() >> u();  // numerator, log2 of the denominator
        if (type == 0x2F) ends.insert(tick);
        at = next;
      } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
        u();
      } else {
        u();  // the key
        const std::uint32_t kind = status & 0xF0, velocity = u();
        if (kind == 0x90 && velocity > 0) firstOn = std::min(firstOn, tick);
        if (kind == 0x80 || (kind == 0x90 && velocity == 0)) lastOff = std::max(lastOff, tick);
      }
    }
  }
  ASSERT_EQ(ends.size(), 1u) << "every track ends on the same tick";
  const std::uint32_t end = *ends.begin();
  EXPECT_EQ(end % bar, 0u) << "the piece stops on a bar line";
  EXPECT_EQ(firstOn, 0u) << "no silence before the first note";
  EXPECT_EQ(lastOff, end) << "no silence after the last note";
  const double seconds = static_cast<double>(end) / division * usPerQuarter / 1e6;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 90.0);
}

// Starts scene `name` in `frm` and clicks through it; the rows shown after each click (a row
// stays on screen over several clicks, so it may come more than once).
std::vector<std::string> Play(porukami::Frm& frm, const std::string& name) {
  std::vector<std::string> shown;
  frm.StartScene(name);
  for (int clicks = 0; clicks < 500; ++clicks) {
    std::string caption = frm.Lbl.Caption + "\r\n";
    for (std::size_t at; (at = caption.find("\r\n")) != std::string::npos; caption.erase(0, at + 2))
      if (at > 0) shown.push_back(caption.substr(0, at));
    const auto& open = frm.OpenScene();
    if (!open || (*open == "opn" && name != "opn")) return shown;  // done, or a new game
    frm.Lbl_Click();
  }
  ADD_FAILURE() << name << " never ends";
  return shown;
}

// A copy of the demo, so the memories pages the finales write land in a throw-away folder.
struct DemoPlay : ::testing::Test {
  porukami::testing::Game game;
  void SetUp() override {
    for (const char* dir : {"txt", "img"})
      fs::copy(kAppDir / dir, game.content.dir() / dir, fs::copy_options::recursive);
    ASSERT_TRUE(game.Load(false));
    ASSERT_TRUE(game.host.messages.empty()) << game.host.messages.front();
  }
};

TEST_F(DemoPlay, EverySceneRunsToItsEndWithThePlayersNameInPlace) {
  for (const std::string& name : Scenes()) {
    SCOPED_TRACE(name);
    game.host.loadedPictures.clear();
    const std::vector<std::string> shown = Play(*game.frm, name);
    EXPECT_FALSE(shown.empty());
    for (std::string row : shown) {
      for (const char* mark : {"▼", "▽"})
        if (const auto at = row.rfind(mark); at != std::string::npos) row.erase(at);
      EXPECT_EQ(row.find("-m"), std::string::npos) << row;
      // The text panel holds about 40 full-width characters; rows keep well inside that.
      EXPECT_LE(porukami::text::Len(row), 32u) << row;
    }
    for (const std::string& path : game.host.loadedPictures) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(game.host.messages.empty()) << game.host.messages.front();
    game.host.messages.clear();
  }
}

TEST_F(DemoPlay, FinalesWriteAPageWhosePicturesAreAllThere) {
  for (int h = 0; h < 3; ++h) {
    SCOPED_TRACE(kNames[h]);
    Play(*game.frm, std::to_string(h) + "6");
    const auto f =
        ReadTextFile((game.content.dir() / (std::string(kNames[h]) + "＿おまけ.html")).string());
    ASSERT_TRUE(f.opened && f.badLines.empty() && !f.lines.empty());
    EXPECT_NE(f.lines.back().find("</html>"), std::string::npos);
    std::string all;
    for (const std::string& line : f.lines) all += line + "\n";
    EXPECT_NE(all.find("<meta charset=\"Shift_JIS\">"), std::string::npos) << "for browsers";
    int pictures = 0;
    for (std::size_t at = 0; (at = all.find("<img src=./img/", at)) != std::string::npos;) {
      at += 15;
      ++pictures;
      EXPECT_TRUE(fs::exists(game.content.dir() / "img" / all.substr(at, all.find(' ', at) - at)));
    }
    EXPECT_EQ(pictures, 7);
  }
}

}  // namespace
