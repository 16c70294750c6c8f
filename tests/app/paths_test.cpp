// Content files as the game names them, wherever the program folder is and whatever it is called.
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

}  // namespace
}  // namespace porukami::testing
