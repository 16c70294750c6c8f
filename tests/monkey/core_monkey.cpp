// The window model played by a monkey on the demo and on the hostile content (see hostile/):
// PORUKAMI_MONKEY_EVENTS events (default 20000) from the seed PORUKAMI_MONKEY_SEED (default 1).
#include <gtest/gtest.h>

#include "monkey/monkey.h"

namespace porukami::monkey {
namespace {

const long kEvents = EnvNumber("PORUKAMI_MONKEY_EVENTS", 20000);
const std::string kSeed = std::to_string(EnvNumber("PORUKAMI_MONKEY_SEED", 1));

TEST(CoreMonkey, DemoContent) {
  if (DemoDir().empty()) GTEST_SKIP() << "no demo content (build porukami_content first)";
  EXPECT_EQ(PlayGame(Copy(DemoDir()), {}, "demo " + kSeed, kEvents), "");
}

TEST(CoreMonkey, HostileContent) {
  EXPECT_EQ(PlayGame(Copy(PORUKAMI_HOSTILE_DIR), {}, "hostile " + kSeed, kEvents), "");
}

}  // namespace
}  // namespace porukami::monkey
