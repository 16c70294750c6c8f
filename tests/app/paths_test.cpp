// Content files as the game names them, wherever the program folder is and whatever it is called.
#include "text/paths.h"

#include <gtest/gtest.h>

#include "sound/mci.h"
#include "support/fakes.h"

namespace porukami::testing {
namespace {

namespace fs = std::filesystem;

struct MusicOpened : MciDevice {
  std::string command;
  std::uint32_t SendString(const std::string& c, char*, std::uint32_t) override {
    if (c.starts_with("open")) command = c;
    return kMciOk;
  }
};

TEST(ContentPaths, ProgramFolderKeepsEveryCharacterOfItsName) {
  for (const std::string folder : {"村\\版 2", "終わりが\\", "plain"}) {
    Game g;
    g.content.Catalogue(DefaultCatalogue());
    g.content.Scene("opn", {">img town", ">htm 1,あ", "はじまり"});
    g.content.Picture("town");
    g.content.Raw("txt/head.dat", "<html>\r\n");
    g.content.Raw("txt/foot.dat", "</html>\r\n");
    g.content.Raw("bgm.mid", "MThd");
    const fs::path app = g.content.dir() / folder;
    fs::create_directories(app);
    for (const char* part : {"txt", "img", "bgm.mid"})
      fs::copy(g.content.dir() / part, app / part, fs::copy_options::recursive);
    g.host.appPath = app.string();
    MusicOpened music;
    共用関数::SetMciDevice(&music);
    EXPECT_TRUE(g.Load()) << folder;
    共用関数::SetMciDevice(nullptr);
    EXPECT_EQ(g.host.messages, std::vector<std::string>{}) << folder;
    EXPECT_EQ(g.frm->Pic.PaintedName, "town") << folder;
    EXPECT_TRUE(fs::exists(app / "あ＿おまけ.html")) << folder;
    EXPECT_EQ(music.command, "open \"" + (app / "bgm.mid").string() + "\" alias MIDI") << folder;
  }
}

// Names written where case does not count: the exact name first, else the folder's names with case
// ignored, the first in byte order when several match.
TEST(ContentPaths, NamesMatchWithCaseIgnoredWhenNoFileHasThemExactly) {
  struct Case {
    std::vector<std::string> files;
    std::string asked, opened;
    std::size_t matches;
  };
  TempContent c;
  text::CaseBlindFiles files;
  int n = 0;
  for (const Case& k : {Case{{"town.dat"}, "Town.dat", "town.dat", 1},
                        Case{{"town.dat", "Town.dat"}, "Town.dat", "Town.dat", 0},
                        Case{{"Town.dat", "TOWN.dat"}, "town.DAT", "TOWN.dat", 2},
                        Case{{"ＡΩЁⅠ.dat"}, "ａωёⅰ.dat", "ＡΩЁⅠ.dat", 1},
                        Case{{"towns.dat"}, "town.dat", "town.dat", 0}}) {
    const std::string folder = (c.dir() / std::to_string(++n)).string() + "/";
    for (const std::string& f : k.files) c.Raw(std::to_string(n) + "/" + f, "x");
    const text::FoundFile found = files.Find(folder + k.asked);
    EXPECT_EQ(found.path, folder + k.opened) << k.asked;
    EXPECT_EQ(found.caseOnly.size(), k.matches) << k.asked;
  }
  EXPECT_EQ(files.Find(c.dir().string() + "/5/TOWN.dat").path, c.dir().string() + "/5/TOWN.dat");
  c.Raw("5/Town.dat", "x");  // after the folder was read: read again on the miss
  EXPECT_EQ(files.Find(c.dir().string() + "/5/TOWN.dat").path, c.dir().string() + "/5/Town.dat");
}

TEST(ContentPaths, ScenesAndPicturesAreFoundWithCaseIgnored) {
  Game g;
  g.content.Scene("opn", {">img Town", ">fce A", ">ive SC2"});
  g.content.Scene("sc2", {"二"});
  g.content.Picture("town");
  g.content.Picture("face_a");
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(g.host.messages, std::vector<std::string>{});
  EXPECT_TRUE(g.frm->Pic.Painted && g.frm->PicKao.Painted);
  EXPECT_EQ(g.frm->OpenScene().value_or(""), "SC2");
}

TEST(ContentPaths, MessagesNameFilesWithThePlatformsSeparators) {
  Game g;
  g.content.Raw("txt/item.dat", "a,1,0,0,0\r\nb,1,0,0,0\r\nc\x80,1,0,0,0\r\n");
  g.content.Scene("opn", {">ive nothing"});
  ASSERT_TRUE(g.Load());
  ASSERT_EQ(g.host.messages.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const fs::path file = g.content.dir() / "txt" / (i == 0 ? "item.dat" : "nothing.dat");
    EXPECT_NE(g.host.messages[i].find(file.string()), std::string::npos) << g.host.messages[i];
  }
}

}  // namespace
}  // namespace porukami::testing
