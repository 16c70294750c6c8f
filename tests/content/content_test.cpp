// The demo content: what `porukami-cli lint` cannot judge (lengths, picture shapes) and every
// scene played to its end through the game itself. (That the catalogue makes a month
// playable shows in `porukami-cli sim` reaching every scene of the demo, the finales among them.)
#include <gtest/gtest.h>

#include <QImageReader>

#include "support/fakes.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace {

namespace fs = std::filesystem;
using porukami::text::ReadTextFile;
const fs::path kAppDir = PORUKAMI_CONTENT_DIR;

// Every scene file: all of txt/ but the catalogue and the memories page pieces.
std::vector<std::string> Scenes() {
  std::vector<std::string> names;
  for (const auto& f : fs::directory_iterator(kAppDir / "txt"))
    if (const auto n = f.path().stem().string(); n != "item" && n != "head" && n != "foot")
      names.push_back(n);
  return names;
}

// A second "-m" in a line is not replaced when a long name pushes it past the part the game scans;
// a visit tells enough without dragging; the finales and the two other endings end the month.
TEST(DemoScenes, OneNameMarkALineVisitLengthsAndEndings) {
  EXPECT_GE(Scenes().size(), 50u);
  for (const std::string& name : Scenes()) {
    SCOPED_TRACE(name);
    const auto lines = ReadTextFile((kAppDir / "txt" / (name + ".dat")).string()).lines;
    int text = 0;
    for (const std::string& line : lines) {
      if (line.starts_with(">") || line.starts_with("--") || line.starts_with("tugi")) continue;
      ++text;
      if (const std::size_t at = line.find("-m"); at != std::string::npos) {
        EXPECT_EQ(line.find("-m", at + 2), std::string::npos) << line;
      }
    }
    if (name.size() == 3 && name[0] <= '2' && name[1] <= '4') {
      EXPECT_GE(text, 8);
      EXPECT_LE(text, 20);
    }
    if ((name.size() == 2 && name[1] == '6') || name == "end" || name == "moneyend") {
      EXPECT_TRUE(!lines.empty() && lines.back().starts_with(">end"));
    }
  }
}

TEST(DemoPictures, BackgroundsKeepThePictureBoxShapeAndFacesAreSquare) {
  for (const auto& f : fs::directory_iterator(kAppDir / "img")) {
    const std::string name = f.path().stem().string();
    const QSize size = QImageReader(QString::fromStdString(f.path().string())).size();
    ASSERT_FALSE(size.isEmpty()) << name;
    if (name.starts_with("face_")) {
      EXPECT_EQ(size.width(), size.height()) << name;
    } else if (!name.starts_with("opn0") && (name[0] < '0' || name[0] > '2')) {  // no page's
      EXPECT_EQ(size.width() * 5, size.height() * 6) << name;
    }
  }
}

// A copy of the demo, so the memories pages the finales write land in a throw-away folder.
struct DemoPlay : ::testing::Test {
  porukami::testing::Game game;
  void SetUp() override {
    for (const char* dir : {"txt", "img"})
      fs::copy(kAppDir / dir, game.content.dir() / dir, fs::copy_options::recursive);
    ASSERT_TRUE(game.Load(false));
  }
  // Starts scene `name` and clicks through it; the rows shown after each click (a row stays on
  // screen over several clicks, so it may come more than once).
  std::vector<std::string> Play(const std::string& name) {
    std::vector<std::string> shown;
    game.frm->StartScene(name);
    for (int clicks = 0; clicks < 500; ++clicks) {
      std::string rows = game.frm->Lbl.Caption + "\r\n";
      for (std::size_t at; (at = rows.find("\r\n")) != std::string::npos; rows.erase(0, at + 2))
        if (at > 0) shown.push_back(rows.substr(0, at));
      const auto& open = game.frm->OpenScene();
      if (!open || (*open == "opn" && name != "opn")) return shown;  // done, or a new game
      game.frm->Lbl_Click();
    }
    ADD_FAILURE() << name << " never ends";
    return shown;
  }
};

TEST_F(DemoPlay, EverySceneRunsToItsEndWithThePlayersNameInPlace) {
  for (const std::string& name : Scenes()) {
    SCOPED_TRACE(name);
    game.host.loadedPictures.clear();
    const std::vector<std::string> shown = Play(name);
    EXPECT_FALSE(shown.empty());
    for (std::string row : shown) {
      for (const char* mark : {"▼", "▽"})
        if (const auto at = row.rfind(mark); at != std::string::npos) row.erase(at);
      EXPECT_EQ(row.find("-m"), std::string::npos) << row;
      // The text panel holds about 40 full-width characters; rows keep well inside that.
      EXPECT_LE(porukami::text::Len(row), 32u) << row;
    }
    for (const std::string& path : game.host.loadedPictures) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(game.host.messages, std::vector<std::string>{});
    game.host.messages.clear();
  }
}

TEST_F(DemoPlay, FinalesWriteAPageWhosePicturesAreAllThere) {
  const char* const names[] = {"ラテゥ", "ヒョウ", "マム"};
  for (int h = 0; h < 3; ++h) {
    SCOPED_TRACE(names[h]);
    Play(std::to_string(h) + "6");
    const fs::path page = game.content.dir() / (std::string(names[h]) + "＿おまけ.html");
    const auto f = ReadTextFile(page.string());
    ASSERT_TRUE(f.opened && f.badLines.empty() && !f.lines.empty());
    EXPECT_NE(f.lines.back().find("</html>"), std::string::npos);
    std::string all;
    for (const std::string& line : f.lines) all += line + "\n";
    EXPECT_NE(all.find("<meta charset=\"Shift_JIS\">"), std::string::npos) << "for browsers";
    int pictures = 0;
    for (std::size_t at = 0; (at = all.find("<img src=./img/", at)) != std::string::npos;
         ++pictures) {
      at += 15;
      EXPECT_TRUE(fs::exists(game.content.dir() / "img" / all.substr(at, all.find(' ', at) - at)));
    }
    EXPECT_EQ(pictures, 7);
  }
}

}  // namespace
