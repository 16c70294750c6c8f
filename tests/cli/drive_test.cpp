// porukami-cli drive: golden scripts on a little month, and the driver's own rules.
#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

CliRun Drive(const TempContent& content, const std::string& script) {
  return RunCli({"drive", "--dir", content.dir().string()}, script);
}

// golden/NAME.drive on the test month gives the "show" lines of golden/NAME.jsonl.
TEST(Drive, GoldenScripts) {
  for (const std::string name : {"scene", "forest", "home", "gift", "ending"}) {
    SCOPED_TRACE(name);
    TempContent m;
    TestMonth(m);
    const CliRun run = Drive(m, Golden(name + ".drive"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::string out = run.out;
    for (std::size_t at; (at = out.find(m.dir().string())) != std::string::npos;)
      out.replace(at, m.dir().string().size(), "$DIR");
    ExpectGolden(name + ".jsonl", out);
    if (name == "ending") {  // her memories page, beside the content
      EXPECT_TRUE(std::filesystem::exists(m.dir() / "ラテゥ＿おまけ.html"));
    }
  }
}

TEST(Drive, BadCommandsStopTheScriptAtTheirLine) {
  TempContent m;
  TestMonth(m);
  for (const char* bad : {"fly away", "click Com 5", "click ComLst", "click Lbl 1", "click Shp",
                          "rnd 1", "rnd x", "tick TimSay 0", "tick Bgm", "menu 4", "answer maybe",
                          "seed -1", "resize tall", "show now", "select Lst 0", "select Foo 0"}) {
    const CliRun run = Drive(m, "show\n\n# a comment\n" + std::string(bad) + "\nshow\n");
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("line 4"), std::string::npos) << bad << ": " << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << bad;
  }
}

TEST(Drive, ControlCharactersAndBadBytesStayValidJson) {
  TempContent m;
  TestMonth(m);
  m.Raw("txt/opn.dat", "a\tb\x01\"q\"\\ \xFFz\r\n");
  const CliRun run = Drive(m, "show\n");
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

}  // namespace
}  // namespace porukami::testing
