// porukami-cli from outside, on content folders the tests write: drive scripts against golden
// output, lint on a folder with one of each fault and on the demo, sim's endings, the forest's
// odds and every scene of the demo reached.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli_support.h"
#include "text/cp932.h"

namespace porukami::testing {
namespace {

std::string Golden(const std::string& name) {
  return ReadAll(std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name);
}

// Compares `actual` with golden/NAME; with PORUKAMI_UPDATE_GOLDEN=1, writes it there instead.
void ExpectGolden(const std::string& name, const std::string& actual) {
  if (const char* update = std::getenv("PORUKAMI_UPDATE_GOLDEN"); update && *update == '1')
    std::ofstream(std::filesystem::path(PORUKAMI_CLI_GOLDEN) / name, std::ios::binary) << actual;
  else
    EXPECT_EQ(Golden(name), actual) << name;
}

// Writes the scenes and pictures of golden/NAME into `c`: "SCENE: line | line" or "img: NAMES".
void WriteMonth(TempContent& c, const std::string& name) {
  static constexpr char png[] =  // two by two pixels
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0\xfd\xd4\x9a\x73\0\0\0\x13"
      "IDATx\x9c\x63\xf8\xdf\xe0\0D\x0c\x0a\x0e\x0d@\x04\0+\x97\x05?\xcaH'\x0c\0\0\0\0IEND\xae"
      "B`\x82";
  std::istringstream in(Golden(name));
  for (std::string line; std::getline(in, line);) {
    const std::size_t colon = line.find(": ");
    std::vector<std::string> parts;
    for (std::size_t at = colon + 2, bar = 0; bar != std::string::npos; at = bar + 3)
      parts.push_back(line.substr(at, (bar = line.find(" | ", at)) - at));
    if (line.starts_with("img: ")) {
      std::istringstream names(parts[0]);
      for (std::string n; names >> n;) c.Raw("img/" + n + ".dat", std::string(png, sizeof png - 1));
    } else if (colon != std::string::npos && !line.starts_with("#")) {
      c.Scene(line.substr(0, colon), parts);
    }
  }
}

// A complete little month (golden/month.txt): a catalogue of nine items, every scene the game
// asks for (the opening uses pictures, a face, the name and a page; each finale writes the
// memories page), the pictures they show, the page pieces, and the music.
void TestMonth(TempContent& c) {
  WriteMonth(c, "month.txt");
  c.Raw("bgm.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14));
}

// golden/NAME.drive on the test month gives the "show" lines of golden/NAME.jsonl ("control" on
// an opening of golden/control_opn.dat).
TEST(Drive, GoldenScripts) {
  for (const std::string name : {"scene", "forest", "home", "gift", "ending", "control"}) {
    SCOPED_TRACE(name);
    TempContent m;
    TestMonth(m);
    if (name == "control") m.Raw("txt/opn.dat", Golden("control_opn.dat"));
    const CliRun run = RunCli({"drive", "--dir", m.dir().string()}, Golden(name + ".drive"));
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
  // Two more: a catalogue of two lines with an opening that ends at once, one of 1002 lines.
  std::string out = run.out;
  for (const std::size_t items : {2, 1002}) {
    TempContent more;
    TestMonth(more);
    more.Catalogue(std::vector<std::string>(items, "木の実,10,0,1,2"));
    more.Scene("opn", {">img opn", ">end"});
    out += RunCli({"lint", more.dir().string()}).out;
  }
  ExpectGolden("lint_faults.txt", out);
}

#ifdef PORUKAMI_DEMO_DIR
TEST(Lint, DemoContentIsClean) {
  const CliRun run = RunCli({"lint", PORUKAMI_DEMO_DIR});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "0 errors, 0 warnings\n");
}
#endif

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

std::string Sim(const std::string& dir, const std::string& strategy, int months, int seed) {
  const CliRun run = RunCli({"sim", "--dir", dir, "--strategy", strategy, "--months",
                             std::to_string(months), "--seed", std::to_string(seed)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"messages\":{}"), std::string::npos) << run.out;
  return run.out;
}

// The number under "key" in the object "section" of the output (0 when it is not there).
double Count(const std::string& out, const std::string& section, const std::string& key) {
  const std::size_t at = out.find("\"" + section + "\":{"), k = out.find("\"" + key + "\":", at);
  return at != std::string::npos && k < out.find('}', at)
             ? std::stod(out.substr(k + key.size() + 3))
             : 0;
}

// Greedy play reaches each finale. The forest draws a scene "mori_" in 11 of 100 days, an "ive"
// scene in 9.79 and items in 79.21: over thousands of days each share is within 2.5 points. A
// run repeats from its seed.
TEST(Sim, GreedyReachesEachFinaleAndTheForestKeepsItsOdds) {
  TempContent month;
  TestMonth(month);
  const std::string out = Sim(month.dir().string(), "greedy", 300, 11);
  double endings = 0;
  for (const char* kind : {"end", "moneyend", "06", "16", "26", "other"})
    endings += Count(out, "endings", kind);
  EXPECT_EQ(endings, 300) << "none by \"restart\": " << out;
  for (const char* finale : {"06", "16", "26"}) EXPECT_GE(Count(out, "endings", finale), 40) << out;
  // The memories pages go to a scratch folder, not beside the content.
  EXPECT_FALSE(std::filesystem::exists(month.dir() / "ラテゥ＿おまけ.html"));
  const double days = Count(out, "forest", "days");
  ASSERT_GT(days, 3000) << out;
  EXPECT_EQ(Count(out, "forest", "hidden"), 0);
  EXPECT_NEAR(Count(out, "forest", "mori") / days, 0.11, 0.025);
  EXPECT_NEAR(Count(out, "forest", "ive") / days, 0.0979, 0.025);
  EXPECT_NEAR(Count(out, "forest", "items") / days, 0.7921, 0.025);
  EXPECT_EQ(Count(out, "scenes", "ive1"), Count(out, "scenes", "ive1b"));  // the hand-over
  const std::string random = Sim(month.dir().string(), "random", 20, 7);   // the seed decides
  EXPECT_EQ(random, Sim(month.dir().string(), "random", 20, 7));
  EXPECT_NE(random, Sim(month.dir().string(), "random", 20, 8));
}

#ifdef PORUKAMI_DEMO_DIR
TEST(Sim, DemoContentReachesEveryScene) {
  std::string scenes;
  for (const char* strategy : {"greedy", "explore", "random"}) {
    const std::string out = Sim(PORUKAMI_DEMO_DIR, strategy, 300, 1);
    scenes += out.substr(out.find("\"scenes\":{"));
  }
  int n = 0;
  for (const auto& f : std::filesystem::directory_iterator(PORUKAMI_DEMO_DIR "/txt")) {
    const std::string name = f.path().stem().string();
    if (name == "item" || name == "head" || name == "foot") continue;
    EXPECT_NE(scenes.find("\"" + name + "\":"), std::string::npos) << name;
    ++n;
  }
  EXPECT_GE(n, 50);
}
#endif

}  // namespace
}  // namespace porukami::testing
