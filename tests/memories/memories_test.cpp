#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "support/fakes.h"
#include "support/file_size_limit.h"
#include "text/cp932.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Lines = std::vector<std::string>;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every file and folder under `dir`, to see that nothing else was written.
std::set<std::string> Tree(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    names.insert(fs::relative(e.path(), dir).string());
  return names;
}

// The pieces as shipped, with a lone LF, a lone CR and no last line end, and bytes a round trip
// through Unicode would change (ED 40 is also FA 5C) or could not carry (80); and as they reach
// the page: every line ended by CR LF, the bytes kept.
const std::string kHead = "<html>\n<body>\r<p>\r\n\r\nx", kFoot = "\xED\x40\x80</html>";
const std::string kHeadOut = "<html>\r\n<body>\r\n<p>\r\n\r\nx\r\n", kFootOut = kFoot + "\r\n";

// The heading and the seven pictures of set `a`, the opening one numbered `opening`, in CP932.
std::string Middle(const std::string& name, const std::string& a, const std::string& opening) {
  const std::string tail = ".dat width=600 height=500><BR>\r\n";
  std::string s = "<h2>" + name + "との思い出♪</h2><img src=./img/opn0" + opening + tail;
  for (char i = '1'; i <= '6'; ++i) s += "<img src=./img/" + a + i + tail;
  return text::Utf8ToCp932(s).value_or("");
}

class MemoriesPage : public ::testing::Test {
 protected:
  void SetUp() override {
    game.content.Raw("txt/head.dat", kHead);
    game.content.Raw("txt/foot.dat", kFoot);
    ASSERT_TRUE(game.Load(false));
  }
  fs::path Page(const std::string& name) const { return dir / (name + "＿おまけ.html"); }
  // The one message shown since the last call.
  std::string Message() {
    EXPECT_EQ(std::exchange(game.host.captions, {}), Lines{Frm::kTitle});
    const auto shown = std::exchange(game.host.messages, {});
    return shown.empty() ? "" : shown.back();
  }
  testing::Game game;
  const fs::path dir = game.content.dir();
};
using MemoriesRefusal = MemoriesPage;  // one message naming the problem, nothing written

TEST_F(MemoriesPage, WritesTheHeadingAndSevenPicturesOfTheSetBetweenThePieces) {
  game.content.Raw("ヒョウ＿おまけ.html", std::string(100000, 'x'));  // replaced whole
  auto files = Tree(dir);
  // The opening picture counts from the value, the others from the digits as written.
  // clang-format off
  for (const auto& [argument, name, a, opening] : std::vector<std::array<std::string, 4>>{
           {"2,ヒョウ", "ヒョウ", "2", "3"}, {"0,マム", "マム", "0", "1"},
           {"09,ラテゥ", "ラテゥ", "09", "10"}, {"99,x", "x", "99", "100"},
           {"18446744073709551615,y", "y", "18446744073709551615", "18446744073709551616"},
           {"2,<i>A&amp;B\"'<b>,3,extra", "<i>A&amp;B\"'<b>", "2", "3"}}) {  // a third field
    // clang-format on
    game.frm->WriteMemories(argument);
    EXPECT_EQ(Slurp(Page(name)), kHeadOut + Middle(name, a, opening) + kFootOut) << argument;
    files.insert(name + "＿おまけ.html");
  }
  EXPECT_EQ(std::tie(game.host.messages, files), std::tuple(Lines{}, Tree(dir)));  // nothing else
  game.content.Raw("txt/head.dat", "");
  game.content.Raw("txt/foot.dat", "");
  game.frm->WriteMemories("2,x");
  EXPECT_EQ(Slurp(Page("x")), Middle("x", "2", "3")) << "empty pieces add nothing";
}

TEST_F(MemoriesRefusal, ArgumentsThatNameNoPageInTheFolderOrAMissingPieceWriteNothing) {
  fs::create_directories(Page("z"));
  const auto before = Tree(dir);
  const auto missing = [&](const char* piece) {
    return "部品のファイル「" + (dir / "txt" / piece).string() + "」が見つかりません";
  };
  // clang-format off
  for (const auto& [argument, named, hidden] : std::vector<std::array<std::string, 3>>{
           {"2,ヒョウ", missing("head.dat"), "head.dat"},
           {"2,ヒョウ", missing("foot.dat"), "foot.dat"},
           {"2ヒョウ", "「2ヒョウ」に「番号,名前」の「,」がありません"},
           {std::string("2,a\0b", 5), "名前に NUL 文字"}, {"2,../x", "名前「../x」"},
           {"2,a/b", "名前「a/b」"}, {"2,/abs", "名前「/abs」"}, {"2,a\\b", "名前「a\\b」"},
           {"x,ヒョウ", "「ヒョウ＿おまけ.html」を作れません"}, {",ヒョウ", "絵の番号「」"},
           {"2a,ヒョウ", "絵の番号「2a」が数字ではありません"}, {"-1,ヒョウ", "絵の番号「-1」"},
           {" 2,ヒョウ", "絵の番号「 2」"}, {"2,ヒョウ😀", "名前の「😀」はシフトJIS（CP932）で書けない"},
           {"2,z", "「" + Page("z").string() + "」を書き込めません。同じ名前のフォルダがあります。"}}) {
    // clang-format on
    if (!hidden.empty()) fs::rename(dir / "txt" / hidden, dir / "away");
    game.frm->WriteMemories(argument);
    EXPECT_THAT(Message(), AllOf(HasSubstr(named), Not(HasSubstr("前のページ")))) << argument;
    if (!hidden.empty()) fs::rename(dir / "away", dir / "txt" / hidden);
  }
  EXPECT_EQ(Tree(dir), before);
  EXPECT_FALSE(fs::exists(dir.parent_path() / "x＿おまけ.html"));
}

// The earlier page is kept when the disk fills up part-way or the folder cannot be written.
TEST_F(MemoriesRefusal, WriteFailingPartWayOrInAReadOnlyFolderKeepsThePreviousPage) {
  game.content.Raw("ヒョウ＿おまけ.html", "the earlier page");
  const auto before = Tree(dir);
  const std::string cannot = "「" + Page("ヒョウ").string() + "」を書き込めません。";
  const std::string kept = "\n前のページはそのまま残っています。";
  game.content.Raw("txt/foot.dat", std::string(200000, 'f'));
  {
    testing::FileSizeLimit limit(64 * 1024);
    game.frm->WriteMemories("2,ヒョウ");
  }
  EXPECT_THAT(Message(), HasSubstr(cannot + "ディスクの空きが足りません。" + kept));
  EXPECT_EQ(Tree(dir), before) << "the temporary file is removed";

  for (const char* readable : {"txt", "txt/head.dat", "txt/foot.dat"})
    fs::permissions(dir / readable, fs::perms(0755));
  fs::permissions(dir, fs::perms(0555));
  const auto write = [&] {
    game.frm->WriteMemories("2,ヒョウ");
    EXPECT_THAT(Message(), HasSubstr(cannot + "フォルダ「" + dir.string() +
                                     "/」に書き込む権限がありません。" + kept));
  };
  // Root writes anywhere, so as root the write is tried by a child process running as "nobody".
  int status = 0;
  if (::geteuid() != 0) {
    write();
  } else if (const pid_t pid = ::fork(); pid == 0) {
    ::_exit(::setgid(65534) || ::setuid(65534) ? 2 : (write(), HasFailure()));
  } else {
    ::waitpid(pid, &status, 0);
  }
  fs::permissions(dir, fs::perms(0755));
  EXPECT_EQ(status, 0) << "the child's checks failed or it could not become nobody";
  EXPECT_EQ(Slurp(Page("ヒョウ")), "the earlier page");
}

TEST_F(MemoriesPage, EndingSceneWritesThePageAndGoesOn) {
  game.content.Scene("end", {">htm 2,ヒョウ", ">htm ヒョウ", "おしまい"});
  game.frm->StartScene("end");
  EXPECT_EQ(Slurp(Page("ヒョウ")), kHeadOut + Middle("ヒョウ", "2", "3") + kFootOut);
  EXPECT_THAT(Message(), HasSubstr("（場面「" + (dir / "txt/end.dat").string() + "」の >htm）"));
  EXPECT_THAT(game.frm->Lbl.Caption, HasSubstr("おしまい"));
}

}  // namespace
}  // namespace porukami
