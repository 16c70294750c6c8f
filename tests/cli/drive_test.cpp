// porukami-cli drive: golden scripts on a little month, and the driver's own rules.
#include <gtest/gtest.h>

#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

// Runs golden/NAME.drive on the test month and compares the "show" lines with golden/NAME.jsonl.
void DriveGolden(const std::string& name) {
  TempContent content;
  TestMonth(content);
  const CliRun run = RunCli({"drive", "--dir", content.dir().string()}, Golden(name + ".drive"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectGolden(name + ".jsonl", ReplaceAll(run.out, content.dir().string(), "$DIR"));
}

TEST(DriveGolden, OpeningScene) {
  DriveGolden("scene");
}
TEST(DriveGolden, ForestDays) {
  DriveGolden("forest");
}
TEST(DriveGolden, HomeDayWithSettling) {
  DriveGolden("home");
}
TEST(DriveGolden, Gifts) {
  DriveGolden("gift");
}
TEST(DriveGolden, FinaleAndMoneyEnd) {
  DriveGolden("ending");
}

CliRun Drive(TempContent& content, const std::string& script) {
  return RunCli({"drive", "--dir", content.dir().string()}, script);
}

TEST(Drive, FinalePageIsWrittenInTheFolder) {
  TempContent content;
  TestMonth(content);
  ASSERT_EQ(Drive(content, Golden("ending.drive")).status, 0);
  EXPECT_TRUE(std::filesystem::exists(content.dir() / "ラテゥ＿おまけ.html"));
}

TEST(Drive, UnknownCommandNamesItsLine) {
  TempContent content;
  TestMonth(content);
  const CliRun run = Drive(content, "show\n\n# a comment\nfly away\nshow\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 4"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

TEST(Drive, MalformedCommandsAreErrors) {
  TempContent content;
  TestMonth(content);
  for (const char* bad : {"click Com 5", "click ComLst", "click Lbl 1", "click Shp", "rnd 1",
                          "rnd x", "tick TimSay 0", "tick Bgm", "menu 4", "answer maybe", "seed -1",
                          "resize tall", "show now", "select Lst 0", "select Foo 0"}) {
    const CliRun run = Drive(content, std::string(bad) + "\n");
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("line 1"), std::string::npos) << bad << ": " << run.err;
  }
}

TEST(Drive, ClicksThatCannotReachTheirControlChangeNothing) {
  TempContent content;
  TestMonth(content);
  const CliRun plain = Drive(content, "show\n");
  // During the opening: the home panel and the message label are hidden.
  const CliRun refused =
      Drive(content, "click ComLst 0\nclick ComLst 1\nclick MenuCom\nclick LblGame\nshow\n");
  ASSERT_EQ(refused.status, 0) << refused.err;
  EXPECT_EQ(ReplaceAll(refused.out, content.dir().string(), "$DIR"),
            ReplaceAll(plain.out, content.dir().string(), "$DIR"));
}

TEST(Drive, MusicTimerQueriesTheDevice) {
  TempContent content;
  TestMonth(content);
  const CliRun run = Drive(content, "show\ntick BgmTim 2\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"mci\":[\"close MIDI notify\",\"open \\\""), std::string::npos);
  EXPECT_NE(run.out.find("\"mci\":[\"status MIDI mode\",\"status MIDI mode\"]"), std::string::npos);
}

TEST(Drive, ControlCharactersAndBadBytesStayValidJson) {
  TempContent content;
  TestMonth(content);
  content.Raw("txt/opn.dat", std::string("a\tb\x01\"q\"\\ \xFF") + "z\r\n");
  const CliRun run = Drive(content, "show\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("Caption":"\r\na\u0009b\u0001\"q\"\\ )"
                         "\xEF\xBF\xBD"
                         R"(z▼")"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"messages\":[\"場面ファイル"), std::string::npos) << run.out;
}

TEST(Drive, MissingCatalogueStopsStartUp) {
  TempContent content;
  content.Scene("opn", {"はじまり"});
  const CliRun run = Drive(content, "show\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("item.dat"), std::string::npos) << run.err;
}

TEST(Drive, NameKeepsEightCharacters) {
  TempContent content;
  TestMonth(content);
  const CliRun run = Drive(content, "name あいうえおかきくけこ\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"TxtName\":\"あいうえおかきく\""), std::string::npos);
}

}  // namespace
}  // namespace porukami::testing
