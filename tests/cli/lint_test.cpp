// porukami-cli lint: a folder with one of each fault, small faults one by one, the demo content.
#include <functional>

#include "cli/cli_support.h"
#include "text/cp932.h"

namespace porukami::testing {
namespace {

TEST(Lint, ReportsOneOfEachFault) {
  TempContent c;
  TestMonth(c);
  c.Catalogue({"木の実,10,0,1,2", "小石,5,1,2", "野草,abc,2,0,1", "銀の指輪,99999999999,2,1,0",
               "花の髪飾り,1200,3,5,3", "星のかけら,3000.5円,2,1,0", "月の涙,5000,3,3,3"});
  const auto cp932 = [](const std::string& utf8) { return *text::Utf8ToCp932(utf8); };
  std::string opn = cp932(">img opn") + "\r\n" + cp932("こん") + "\x80" + cp932("ちは") + "\n";
  for (const std::string& line : std::vector<std::string>{
           "--x", ">fce", ">fce 12", ">img nothere", ">img broken", ">imgXopn", "tugiの話",
           std::string(258, 'a'), ">htm 0x,ラテゥ", "ページの終わり", ">img opn", ">p",
           ">ive nowhere", ">pause", "名前は-m", ">IMG opn", "最後の行"})
    opn += cp932(line) + "\r\n";
  c.Raw("txt/opn.dat", opn);
  c.Raw("img/broken.dat", "not a picture");
  c.Raw("txt/moneyend.dat", "");
  c.Scene("mori_0", {">ive loopa"});
  c.Scene("loopa", {">img opn", ">ive mori_0"});
  c.Scene("06", {">htm 3,ラテゥ", "ずっと一緒。", ">end"});
  for (const char* gone : {"txt/end.dat", "txt/foot.dat", "bgm.mid"})
    std::filesystem::remove(c.dir() / gone);
  const CliRun run = RunCli({"lint", c.dir().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  ExpectGolden("lint_faults.txt", run.out);
}

TEST(Lint, OneChangeToTheTestMonth) {
  struct Case {
    std::function<void(TempContent&)> change;
    int status;
    std::string wanted;
  };
  const Case cases[] = {
      {[](TempContent&) {}, 0, "0 errors, 0 warnings\n"},
      {[](TempContent& c) {
         c.Catalogue({"木の実,10,0,1,2", "小石,5,1,2,0"});
       },
       1, "txt/item.dat:0: error: 2 line(s)"},
      {[](TempContent& c) { c.Catalogue(std::vector<std::string>(1002, "木の実,10,0,1,2")); }, 1,
       "txt/item.dat:1002: error: more than 1001"},
      {[](TempContent& c) {
         c.Scene("opn", {">img opn", ">end"});
       },
       1, "txt/opn.dat:2: error: hand-over cycle that shows no text: opn → opn"},
  };
  for (const Case& k : cases) {
    TempContent c;
    TestMonth(c);
    k.change(c);
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
