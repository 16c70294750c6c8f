// porukami-cli lint on content written where case does not count in file names.
#include <gtest/gtest.h>

#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

TEST(LintCase, NamesThatMatchOnlyWithCaseIgnoredAreWarnedWhereTheyAreWritten) {
  TempContent content;
  TestMonth(content);
  content.Scene("ive0", {">img OPN", "森で誰かに会った。", ">ive Meet"});
  content.Scene("MEET", {"こんにちは。"});
  content.Scene("meeT", {"こんばんは。"});
  std::filesystem::rename(content.dir() / "bgm.mid", content.dir() / "BGM.MID");
  const CliRun run = RunCli({"lint", content.dir().string()});
  EXPECT_EQ(run.status, 0);
  for (const char* line :
       {"bgm.mid:0: warning: bgm.mid exists only as BGM.MID: the game finds it with case ignored",
        "txt/ive0.dat:1: warning: img/OPN.dat exists only as img/opn.dat: the game",
        "txt/ive0.dat:3: warning: txt/Meet.dat exists only as txt/MEET.dat and txt/meeT.dat: the "
        "game finds it with case ignored, systems where case counts do not; the game opens "
        "txt/MEET.dat\n",
        "0 errors, 3 warnings"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

}  // namespace
}  // namespace porukami::testing
