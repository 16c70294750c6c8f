// porukami-cli lint on content written where case does not count in file names.
#include <gtest/gtest.h>

#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

TEST(LintCase, NamesThatMatchOnlyWithCaseIgnoredAreWarnedWhereWritten) {
  TempContent content;
  TestMonth(content);
  content.Scene("ive0", {">img OPN", "森で誰かに会った。", ">ive Meet"});
  content.Scene("MEET", {"こんにちは。"});
  content.Scene("meeT", {"こんばんは。"});
  const CliRun run = RunCli({"lint", content.dir().string()});
  for (const char* want :
       {"txt/ive0.dat:1: warning: img/OPN.dat exists only as img/opn.dat: the game "
        "finds it with case ignored, systems where case counts do not\n",
        "txt/ive0.dat:3: warning: txt/Meet.dat exists only as txt/MEET.dat and "
        "txt/meeT.dat: the game finds it with case ignored, systems where case "
        "counts do not; the game opens txt/MEET.dat\n0 errors, 2 warnings\n"})
    EXPECT_NE(run.out.find(want), std::string::npos) << run.out;
}

}  // namespace
}  // namespace porukami::testing
