// porukami-cli lint: a folder with one of each fault, a clean one, and the demo content.
#include <gtest/gtest.h>

#include "cli/cli_support.h"
#include "text/cp932.h"

namespace porukami::testing {
namespace {

std::string Cp932(const std::string& utf8) {
  return *text::Utf8ToCp932(utf8);
}

void Faults(TempContent& c) {
  c.Catalogue({"木の実,10,0,1,2", "小石,5,1,2", "野草,abc,2,0,1", "銀の指輪,99999999999,2,1,0",
               "花の髪飾り,1200,3,5,3", "星のかけら,3000.5円,2,1,0", "月の涙,5000,3,3,3"});
  std::string opn = Cp932(">img opn") + "\r\n" + Cp932("こん") + "\x80" + Cp932("ちは") + "\n";
  for (const std::string& line : std::vector<std::string>{
           "--x", ">fce", ">fce 12", ">img nothere", ">img broken", ">imgXopn", "tugiの話",
           std::string(258, 'a'), ">htm 0x,ラテゥ", "ページの終わり", ">img opn", ">p",
           ">ive nowhere", ">pause", "名前は-m", ">IMG opn", "最後の行"})
    opn += Cp932(line) + "\r\n";
  c.Raw("txt/opn.dat", opn);
  c.Raw("img/broken.dat", "not a picture");
  std::filesystem::remove(c.dir() / "txt" / "end.dat");
  c.Raw("txt/moneyend.dat", "");
  c.Scene("mori_0", {">ive loopa"});
  c.Scene("loopa", {">img opn", ">ive mori_0"});
  c.Scene("06", {">htm 3,ラテゥ", "ずっと一緒。", ">end"});
  std::filesystem::remove(c.dir() / "txt" / "foot.dat");
  std::filesystem::remove(c.dir() / "bgm.mid");
}

TEST(Lint, ReportsOneOfEachFault) {
  TempContent content;
  TestMonth(content);
  Faults(content);
  const CliRun run = RunCli({"lint", content.dir().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  ExpectGolden("lint_faults.txt", run.out);
}

TEST(Lint, TestMonthIsClean) {
  TempContent content;
  TestMonth(content);
  const CliRun run = RunCli({"lint", content.dir().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "0 errors, 0 warnings\n");
}

TEST(Lint, CatalogueOfTwoLinesAndOfTooManyLines) {
  TempContent content;
  TestMonth(content);
  content.Catalogue({"木の実,10,0,1,2", "小石,5,1,2,0"});
  CliRun run = RunCli({"lint", content.dir().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("txt/item.dat:0: error: 2 line(s)"), std::string::npos) << run.out;
  content.Catalogue(std::vector<std::string>(1002, "木の実,10,0,1,2"));
  run = RunCli({"lint", content.dir().string()});
  EXPECT_NE(run.out.find("txt/item.dat:1002: error: more than 1001"), std::string::npos);
}

TEST(Lint, OpeningThatEndsAtOnceIsACycle) {
  TempContent content;
  TestMonth(content);
  content.Scene("opn", {">img opn", ">end"});
  const CliRun run = RunCli({"lint", content.dir().string()});
  EXPECT_NE(run.out.find("txt/opn.dat:2: error: hand-over cycle that shows no text: opn → opn"),
            std::string::npos)
      << run.out;
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
