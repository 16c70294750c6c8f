// porukami-cli lint: a folder with one of each fault, small faults one by one, the demo content.
#include "cli/cli_support.h"
#include "text/cp932.h"

namespace porukami::testing {
namespace {

TEST(Lint, ReportsOneOfEachFault) {
  TempContent c;
  TestMonth(c);
  WriteMonth(c, "lint_month.txt");
  const auto cp932 = [](const std::string& utf8) { return *text::Utf8ToCp932(utf8); };
  c.Raw("txt/opn.dat", cp932(">img opn\r\nこん") + "\x80" + cp932("ちは\n") +
                           ReadAll(c.dir() / "txt" / "opn.dat"));
  c.Raw("img/broken.dat", "not a picture");
  c.Raw("txt/moneyend.dat", "");
  for (const char* gone : {"txt/end.dat", "txt/foot.dat", "bgm.mid"})
    std::filesystem::remove(c.dir() / gone);
  const CliRun run = RunCli({"lint", c.dir().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  ExpectGolden("lint_faults.txt", run.out);
}

TEST(Lint, OneChangeToTheTestMonth) {
  const struct {
    std::string scene;
    std::vector<std::string> lines;
    int status;
    std::string wanted;
  } cases[] = {
      {"", {}, 0, "0 errors, 0 warnings\n"},
      {"item", {"木の実,10,0,1,2", "小石,5,1,2,0"}, 1, "txt/item.dat:0: error: 2 line(s)"},
      {"item", std::vector<std::string>(1002, "木の実,10,0,1,2"), 1,
       "txt/item.dat:1002: error: more than 1001"},
      {"opn",
       {">img opn", ">end"},
       1,
       "txt/opn.dat:2: error: hand-over cycle that shows no text: opn → opn"},
  };
  for (const auto& k : cases) {
    TempContent c;
    TestMonth(c);
    if (!k.scene.empty()) c.Scene(k.scene, k.lines);
    const CliRun run = RunCli({"lint", c.dir().string()});
    EXPECT_EQ(run.status, k.status) << k.wanted;
    EXPECT_NE(run.out.find(k.wanted), std::string::npos) << run.out;
  }
}

#ifdef PORUKAMI_DEMO_DIR
TEST(Lint, DemoContentIsClean) {
  const CliRun run = RunCli({"lint", PORUKAMI_DEMO_DIR});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "0 errors, 0 warnings\n");
}
#endif

}  // namespace
}  // namespace porukami::testing
