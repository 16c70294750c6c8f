// The window model played by a monkey on the demo and on the hostile content (see hostile/).
#include <gtest/gtest.h>

#include "monkey/monkey.h"

namespace porukami::monkey {
namespace {

TEST(CoreMonkey, DemoContent) {
  if (!fs::exists(kDemo / "txt/opn.dat")) GTEST_SKIP() << "no demo content: build porukami_content";
  EXPECT_EQ(PlayGame(Copy(kDemo), {}, "demo", kEvents), "");
}

TEST(CoreMonkey, HostileContent) {
  EXPECT_EQ(PlayGame(Copy(PORUKAMI_HOSTILE_DIR), {}, "hostile", kEvents), "");
}

}  // namespace
}  // namespace porukami::monkey
