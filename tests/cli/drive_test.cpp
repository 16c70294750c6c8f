// porukami-cli drive: golden scripts on a little month, and the driver's own rules.
#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

struct Month {
  TempContent content;
  Month() { TestMonth(content); }
  CliRun Drive(const std::string& script) {
    return RunCli({"drive", "--dir", content.dir().string()}, script);
  }
  std::string Shown(const CliRun& run) {
    return ReplaceAll(run.out, content.dir().string(), "$DIR");
  }
};

// golden/NAME.drive on the test month gives the "show" lines of golden/NAME.jsonl.
TEST(Drive, GoldenScripts) {
  for (const std::string name : {"scene", "forest", "home", "gift", "ending"}) {
    SCOPED_TRACE(name);
    Month m;
    const CliRun run = m.Drive(Golden(name + ".drive"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ExpectGolden(name + ".jsonl", m.Shown(run));
    if (name == "ending") {  // her memories page, beside the content
      EXPECT_TRUE(std::filesystem::exists(m.content.dir() / "ラテゥ＿おまけ.html"));
    }
  }
}

TEST(Drive, BadCommandsStopTheScriptAtTheirLine) {
  Month m;
  for (const char* bad : {"fly away", "click Com 5", "click ComLst", "click Lbl 1", "click Shp",
                          "rnd 1", "rnd x", "tick TimSay 0", "tick Bgm", "menu 4", "answer maybe",
                          "seed -1", "resize tall", "show now", "select Lst 0", "select Foo 0"}) {
    const CliRun run = m.Drive("show\n\n# a comment\n" + std::string(bad) + "\nshow\n");
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("line 4"), std::string::npos) << bad << ": " << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << bad;
  }
}

TEST(Drive, ShowsWhatTheScriptDid) {
  struct Case {
    const char* opening;  // txt/opn.dat's bytes, or nullptr for the test month's
    const char* script;
    std::vector<std::string> wanted;
  };
  const Case cases[] = {
      {nullptr,
       "show\ntick BgmTim 2\nshow\n",  // the music timer queries the device
       {"\"mci\":[\"close MIDI notify\",\"open \\\"",
        "\"mci\":[\"status MIDI mode\",\"status MIDI mode\"]"}},
      {nullptr, "name あいうえおかきくけこ\nshow\n", {"\"TxtName\":\"あいうえおかきく\""}},
      {"a\tb\x01\"q\"\\ \xFFz\r\n",
       "show\n",  // control characters and bad bytes stay valid
       {R"("Caption":"\r\na\u0009b\u0001\"q\"\\ )"
        "\xEF\xBF\xBD"
        R"(z▼")",
        "\"messages\":[\"場面ファイル"}},
  };
  for (const Case& c : cases) {
    Month m;
    if (c.opening) m.content.Raw("txt/opn.dat", c.opening);
    const CliRun run = m.Drive(c.script);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& w : c.wanted) EXPECT_NE(run.out.find(w), std::string::npos) << run.out;
  }
}

TEST(Drive, ClicksThatCannotReachTheirControlChangeNothing) {
  Month m;  // during the opening the home panel and the message label are hidden
  const CliRun refused =
      m.Drive("click ComLst 0\nclick ComLst 1\nclick MenuCom\nclick LblGame\nshow\n");
  ASSERT_EQ(refused.status, 0) << refused.err;
  EXPECT_EQ(m.Shown(refused), m.Shown(m.Drive("show\n")));
}

TEST(Drive, MissingCatalogueStopsStartUp) {
  TempContent content;
  content.Scene("opn", {"はじまり"});
  const CliRun run = RunCli({"drive", "--dir", content.dir().string()}, "show\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("item.dat"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace porukami::testing
