// Page names that cannot leave the program folder, however odd, give their page there.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace porukami::testing {
namespace {

TEST(MemoriesNames, NamesThatStayInTheFolderAreWritten) {
  Game g;
  g.content.Raw("txt/head.dat", "<html>\r\n");
  g.content.Raw("txt/foot.dat", "</html>\r\n");
  ASSERT_TRUE(g.Load());
  for (const std::string name : {"..あ", "", ".", "..", "...x"}) {
    g.frm->WriteMemories("2," + name);
    EXPECT_EQ(g.host.messages, std::vector<std::string>{}) << name;
    EXPECT_TRUE(std::filesystem::is_regular_file(g.content.dir() / (name + "＿おまけ.html")))
        << name;
  }
}

}  // namespace
}  // namespace porukami::testing
