// porukami-cli sim: reproducible runs, the endings each strategy reaches, the forest's odds, and
// every scene of the demo content.
#include "cli/cli_support.h"

namespace porukami::testing {
namespace {

CliRun Sim(const std::string& dir, const std::string& strategy, int months, int seed) {
  return RunCli({"sim", "--dir", dir, "--strategy", strategy, "--months", std::to_string(months),
                 "--seed", std::to_string(seed)});
}

// The number under "key" in the object "section" of the output: 0 if not there, -1 without it.
long long Count(const std::string& out, const std::string& section, const std::string& key) {
  const std::size_t at = out.find("\"" + section + "\":{");
  if (at == std::string::npos) return -1;
  const std::size_t k = out.find("\"" + key + "\":", at);
  return k < out.find('}', at) ? std::stoll(out.substr(k + key.size() + 3)) : 0;
}

struct SimTest : ::testing::Test {
  TempContent content;
  void SetUp() override { TestMonth(content); }
  CliRun Run(const std::string& strategy, int months, int seed) {
    const CliRun run = Sim(content.dir().string(), strategy, months, seed);
    EXPECT_EQ(run.status, 0) << run.err;
    return run;
  }
};

TEST_F(SimTest, RandomPlayRepeatsWithItsSeedAndRunsOutOfMoney) {
  const std::string a = Run("random", 30, 5).out;
  EXPECT_EQ(a, Run("random", 30, 5).out);
  EXPECT_NE(a, Run("random", 30, 6).out);
  EXPECT_EQ(Count(a, "scenes", "opn"), 30);
  EXPECT_GT(Count(a, "endings", "moneyend"), 0) << a;
  EXPECT_EQ(Count(a, "scenes", "moneyend"), Count(a, "endings", "moneyend"));
  EXPECT_LT(Count(a, "money", "max"), 0);
}

// Greedy play reaches each finale. The forest draws a scene "mori_" in 11 of 100 days, an "ive"
// scene in 9.79 and items in 79.21: over thousands of days each share is within 2.5 points.
TEST_F(SimTest, GreedyReachesEachFinaleAndTheForestKeepsItsOdds) {
  std::string out = Run("greedy", 60, 3).out;
  EXPECT_EQ(out.rfind("{\"months\":60,", 0), 0u) << out;
  long long endings = 0;
  for (const char* kind : {"end", "moneyend", "06", "16", "26", "other", "restart"})
    endings += Count(out, "endings", kind);
  EXPECT_EQ(endings, 60);
  for (const char* finale : {"06", "16", "26"}) {
    EXPECT_GE(Count(out, "endings", finale), 8) << finale << ": " << out;
    EXPECT_EQ(Count(out, "scenes", finale), Count(out, "endings", finale));
  }
  EXPECT_EQ(Count(out, "endings", "restart"), 0);
  EXPECT_NE(out.find("\"messages\":{}"), std::string::npos) << out;
  // The memories pages go to a scratch folder, not beside the content.
  EXPECT_FALSE(std::filesystem::exists(content.dir() / "ラテゥ＿おまけ.html"));
  out = Run("greedy", 300, 11).out;
  const double days = static_cast<double>(Count(out, "forest", "days"));
  ASSERT_GT(days, 3000) << out;
  EXPECT_EQ(Count(out, "forest", "hidden"), 0);
  EXPECT_NEAR(Count(out, "forest", "mori") / days, 0.11, 0.025);
  EXPECT_NEAR(Count(out, "forest", "ive") / days, 0.0979, 0.025);
  EXPECT_NEAR(Count(out, "forest", "items") / days, 0.7921, 0.025);
  EXPECT_EQ(Count(out, "scenes", "ive1"), Count(out, "scenes", "ive1b"));  // the hand-over
}

TEST_F(SimTest, ExploreBringsUpEveryStage) {
  const std::string out = Run("explore", 36, 2).out;
  for (int h = 0; h < 3; ++h)
    for (int stage = 2; stage <= 4; ++stage) {
      const std::string prefix = std::to_string(h) + std::to_string(stage);
      long long n = 0;
      for (char v : {'0', '1', '2'}) n += Count(out, "scenes", prefix + v);
      EXPECT_GT(n, 0) << prefix << ": " << out;
    }
}

#ifdef PORUKAMI_DEMO_DIR
// Every scene file of the demo is started by one strategy or another.
TEST(Sim, DemoContentReachesEveryScene) {
  std::string outs;
  for (const char* strategy : {"greedy", "explore", "random"}) {
    const CliRun run = Sim(PORUKAMI_DEMO_DIR, strategy, 300, 1);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"messages\":{}"), std::string::npos) << run.out;
    outs += run.out;
  }
  int scenes = 0;
  for (const auto& f : std::filesystem::directory_iterator(PORUKAMI_DEMO_DIR "/txt")) {
    const std::string name = f.path().stem().string();
    if (name == "item" || name == "head" || name == "foot") continue;
    ++scenes;
    EXPECT_NE(outs.find("\"" + name + "\":"), std::string::npos) << name;
  }
  EXPECT_GE(scenes, 50);
}
#endif

}  // namespace
}  // namespace porukami::testing
