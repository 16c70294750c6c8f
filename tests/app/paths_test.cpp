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

// The program folder's name and the memories page's name are kept whole, whatever they hold.
TEST(ContentPaths, ProgramFolderAndPageNamesKeepEveryCharacter) {
  for (const std::string folder : {"村\\版 2", "終わりが\\", "plain"}) {
    Game g;
    g.content.Catalogue(DefaultCatalogue());
    g.content.Scene("opn", {">img town", ">htm 1,..あ", ">htm 1,", "はじまり"});
    g.content.Picture("town");
    for (const char* piece : {"head", "foot"}) g.content.Scene(piece, {"<html>"});
    TempContent elsewhere;
    const fs::path app = elsewhere.dir() / folder;
    fs::copy(g.content.dir(), app, fs::copy_options::recursive);
    g.host.appPath = app.string();
    MusicOpened music;
    共用関数::SetMciDevice(&music);
    EXPECT_TRUE(g.Load()) << folder;
    共用関数::SetMciDevice(nullptr);
    EXPECT_EQ(g.host.messages, std::vector<std::string>{}) << folder;
    EXPECT_EQ(g.frm->Pic.PaintedName, "town") << folder;
    for (const char* page : {"..あ＿おまけ.html", "＿おまけ.html"})
      EXPECT_TRUE(fs::exists(app / page)) << folder << page;
    EXPECT_EQ(music.command, "open \"" + (app / "bgm.mid").string() + "\" alias MIDI") << folder;
  }
}

// Names in other case are found: exact names first, a folder read again on a miss.
TEST(ContentPaths, NamesWithOtherCaseAreFoundAndMessagesUsePlatformPaths) {
  Game g;
  g.content.Scene("opn", {">img Town", ">fce Ａ", ">ive SC2"});
  g.content.Scene("sc2", {">ive nothing"});
  for (const char* picture : {"town", "Town", "face_ａ"}) g.content.Picture(picture);
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(static_cast<const FakeImage&>(*g.frm->E.Painted).path,
            (g.content.dir() / "img/Town.dat").string());
  EXPECT_TRUE(g.frm->PicKao.Painted);
  EXPECT_EQ(g.host.messages,
            std::vector<std::string>{"場面ファイルを開けません: " +
                                     (g.content.dir() / "txt/nothing.dat").string()});
  g.content.Scene("LATER", {"あと"});
  g.frm->StartScene("later");
  EXPECT_EQ(g.frm->Lbl.Caption, "\r\nあと▼");
}

}  // namespace
}  // namespace porukami::testing
