#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/file_size_limit.h"
#include "text/cp932.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;

std::string Sjis(const std::string& utf8) {
  return text::Utf8ToCp932(utf8).value_or("(not CP932)");
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file and folder under `dir`, so a test can see that nothing else was written.
std::set<std::string> Tree(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    names.insert(fs::relative(e.path(), dir).string());
  return names;
}

const std::vector<std::string> kHead = {
    "<html><head><meta charset=Shift_JIS><title>思い出</title></head>", "<body>"};
const std::vector<std::string> kFoot = {"<p>またね</p>", "</body></html>"};
const std::vector<std::string> kHyouMiddle = {
    "<h2>ヒョウとの思い出♪</h2><img src=./img/opn03.dat width=600 height=500><BR>",
    "<img src=./img/21.dat width=600 height=500><BR>",
    "<img src=./img/22.dat width=600 height=500><BR>",
    "<img src=./img/23.dat width=600 height=500><BR>",
    "<img src=./img/24.dat width=600 height=500><BR>",
    "<img src=./img/25.dat width=600 height=500><BR>",
    "<img src=./img/26.dat width=600 height=500><BR>"};

class MemoriesPage : public ::testing::Test {
 protected:
  void SetUp() override {
    game.content.Scene("head", kHead);
    game.content.Scene("foot", kFoot);
    ASSERT_TRUE(game.Load(false));
  }
  fs::path Page(const std::string& name) const {
    return game.content.dir() / (name + "＿おまけ.html");
  }
  testing::Game game;
};

TEST_F(MemoriesPage, WritesTheHeadingAndSevenPicturesBetweenThePieces) {
  auto files = Tree(game.content.dir());
  game.frm->WriteMemories("2,ヒョウ");
  files.insert("ヒョウ＿おまけ.html");

  EXPECT_EQ(Slurp(Page("ヒョウ")), Sjis(CrLf(kHead) + CrLf(kHyouMiddle) + CrLf(kFoot)));
  // The heading in CP932 itself: ヒョウ, then ♪.
  EXPECT_NE(Slurp(Page("ヒョウ")).find("<h2>\x83\x71\x83\x87\x83\x45"), std::string::npos);
  EXPECT_NE(Slurp(Page("ヒョウ")).find("\x81\xF4</h2>"), std::string::npos);
  EXPECT_TRUE(game.host.messages.empty());
  EXPECT_EQ(Tree(game.content.dir()), files) << "the page and nothing else";
}

TEST_F(MemoriesPage, OpeningPictureCountsFromTheValueOthersFromTheDigitsAsWritten) {
  game.frm->WriteMemories("0,マム");
  EXPECT_EQ(Slurp(Page("マム")),
            Sjis(CrLf(kHead) +
                 CrLf({"<h2>マムとの思い出♪</h2><img src=./img/opn01.dat width=600 height=500><BR>",
                       "<img src=./img/01.dat width=600 height=500><BR>",
                       "<img src=./img/02.dat width=600 height=500><BR>",
                       "<img src=./img/03.dat width=600 height=500><BR>",
                       "<img src=./img/04.dat width=600 height=500><BR>",
                       "<img src=./img/05.dat width=600 height=500><BR>",
                       "<img src=./img/06.dat width=600 height=500><BR>"}) +
                 CrLf(kFoot)));

  struct Case {
    std::string a, opening, first, last;
  };
  for (const Case& c : {Case{"09", "opn010.dat", "091.dat", "096.dat"},
                        Case{"99", "opn0100.dat", "991.dat", "996.dat"},
                        Case{"18446744073709551615", "opn018446744073709551616.dat",
                             "184467440737095516151.dat", "184467440737095516156.dat"}}) {
    game.frm->WriteMemories(c.a + ",ラテゥ");
    const std::string page = Slurp(Page("ラテゥ"));
    for (const std::string& picture : {c.opening, c.first, c.last})
      EXPECT_NE(page.find("./img/" + picture + " width"), std::string::npos)
          << c.a << " " << picture;
  }
}

TEST_F(MemoriesPage, PieceLinesEndInCrLfAndKeepTheirBytes) {
  // Lone LF, lone CR, a last line without an end; then bytes a Unicode round trip would change
  // (ED 40 is also written FA 5C) or could not carry (80).
  game.content.Raw("txt/head.dat", "<html>\n<body>\r<p>\r\n\r\nx");
  game.content.Raw("txt/foot.dat", "\xED\x40\x80</html>");
  game.frm->WriteMemories("2,ヒョウ");
  EXPECT_EQ(Slurp(Page("ヒョウ")), "<html>\r\n<body>\r\n<p>\r\n\r\nx\r\n" +
                                       Sjis(CrLf(kHyouMiddle)) + "\xED\x40\x80</html>\r\n");
}

TEST_F(MemoriesPage, EmptyPiecesAddNothing) {
  game.content.Raw("txt/head.dat", "");
  game.content.Raw("txt/foot.dat", "");
  game.frm->WriteMemories("2,ヒョウ");
  EXPECT_EQ(Slurp(Page("ヒョウ")), Sjis(CrLf(kHyouMiddle)));
}

TEST_F(MemoriesPage, NameIsWrittenUnchangedAndAThirdFieldIgnored) {
  game.frm->WriteMemories("2,<i>A&amp;B\"'<b>,3,extra");
  const std::string page = Slurp(Page("<i>A&amp;B\"'<b>"));
  EXPECT_NE(page.find(Sjis("\r\n<h2><i>A&amp;B\"'<b>との思い出♪</h2><img src=./img/opn03.dat ")),
            std::string::npos);
  EXPECT_EQ(page.find("extra"), std::string::npos);
}

TEST_F(MemoriesPage, ReplacesAnEarlierPage) {
  game.content.Raw("ヒョウ＿おまけ.html", std::string(100000, 'x'));
  const auto files = Tree(game.content.dir());
  game.frm->WriteMemories("2,ヒョウ");
  game.frm->WriteMemories("2,ヒョウ");
  EXPECT_EQ(Slurp(Page("ヒョウ")), Sjis(CrLf(kHead) + CrLf(kHyouMiddle) + CrLf(kFoot)));
  EXPECT_EQ(Tree(game.content.dir()), files);
}

// ---- what is refused: one message naming the problem, nothing written, the scene goes on ------

using MemoriesRefusal = MemoriesPage;

TEST_F(MemoriesRefusal, NamesThatLeaveTheFolder) {
  fs::create_directories(game.content.dir() / "a");
  const fs::path outside = game.content.dir().parent_path() / "x＿おまけ.html";
  const bool outsideBefore = fs::exists(outside);
  const auto before = Tree(game.content.dir());
  for (const std::string name : {"../x", "a/b", "/abs", "a\\b"}) {
    game.host.messages.clear();
    game.frm->WriteMemories("2," + name);
    ASSERT_EQ(game.host.messages.size(), 1u) << name;
    EXPECT_NE(game.host.messages[0].find("「" + name + "」"), std::string::npos)
        << game.host.messages[0];
    EXPECT_EQ(game.host.captions[0], Frm::kTitle);
  }
  EXPECT_EQ(Tree(game.content.dir()), before);
  EXPECT_EQ(fs::exists(outside), outsideBefore);
  EXPECT_FALSE(fs::exists("/abs＿おまけ.html"));
}

TEST_F(MemoriesRefusal, ArgumentsThatDoNotSayWhichPicturesOrWhichName) {
  const auto before = Tree(game.content.dir());
  struct Case {
    std::string argument, named;
  };
  for (const Case& c : {Case{"2ヒョウ", "「2ヒョウ」に「番号,名前」の「,」がありません"},
                        Case{"x,ヒョウ", "「ヒョウ＿おまけ.html」を作れません"},
                        Case{"2a,ヒョウ", "絵の番号「2a」が数字ではありません"},
                        Case{" 2,ヒョウ", "絵の番号「 2」"}, Case{",ヒョウ", "絵の番号「」"},
                        Case{"-1,ヒョウ", "絵の番号「-1」"},
                        Case{"2,ヒョウ😀", "名前の「😀」はシフトJIS（CP932）で書けない"}}) {
    game.host.messages.clear();
    game.frm->WriteMemories(c.argument);
    ASSERT_EQ(game.host.messages.size(), 1u) << c.argument;
    EXPECT_NE(game.host.messages[0].find(c.named), std::string::npos) << game.host.messages[0];
  }
  EXPECT_EQ(Tree(game.content.dir()), before);
}

TEST_F(MemoriesRefusal, MissingPieceIsNamedAndNothingWritten) {
  for (const std::string piece : {"head.dat", "foot.dat"}) {
    const fs::path path = game.content.dir() / "txt" / piece;
    fs::rename(path, path.string() + ".away");
    game.host.messages.clear();
    game.frm->WriteMemories("2,ヒョウ");
    ASSERT_EQ(game.host.messages.size(), 1u);
    EXPECT_NE(game.host.messages[0].find("「" + path.string() + "」が見つかりません"),
              std::string::npos)
        << game.host.messages[0];
    EXPECT_FALSE(fs::exists(Page("ヒョウ")));
    fs::rename(path.string() + ".away", path);
  }
}

using testing::FileSizeLimit;

TEST_F(MemoriesRefusal, WriteFailingPartWayKeepsThePreviousPage) {
  game.content.Raw("txt/head.dat", std::string(200000, 'h'));
  game.content.Raw("ヒョウ＿おまけ.html", "the earlier page");
  const auto before = Tree(game.content.dir());
  {
    FileSizeLimit limit(64 * 1024);
    game.frm->WriteMemories("2,ヒョウ");
  }
  EXPECT_EQ(Slurp(Page("ヒョウ")), "the earlier page");
  EXPECT_EQ(Tree(game.content.dir()), before) << "the temporary file is removed";
  ASSERT_EQ(game.host.messages.size(), 1u);
  EXPECT_NE(game.host.messages[0].find("「" + Page("ヒョウ").string() + "」を書き込めません"),
            std::string::npos)
      << game.host.messages[0];
  EXPECT_NE(game.host.messages[0].find("前のページはそのまま残っています"), std::string::npos);
}

TEST_F(MemoriesRefusal, FolderInTheWayOfThePage) {
  fs::create_directories(Page("ヒョウ"));
  const auto before = Tree(game.content.dir());
  game.frm->WriteMemories("2,ヒョウ");
  EXPECT_EQ(Tree(game.content.dir()), before);
  ASSERT_EQ(game.host.messages.size(), 1u);
  EXPECT_NE(game.host.messages[0].find(Page("ヒョウ").string()), std::string::npos);
  EXPECT_EQ(game.host.messages[0].find("前のページ"), std::string::npos) << "there was none";
}

// Root writes anywhere, so as root the call runs in a child process as "nobody". Returns the
// messages shown, or nothing when no unprivileged user could be had.
std::optional<std::vector<std::string>> MessagesWithoutPrivileges(
    testing::Game& game, const std::function<void()>& call) {
  if (::geteuid() != 0) {
    call();
    return game.host.messages;
  }
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    call();
    for (const auto& m : game.host.messages) {
      const std::string record = m + '\0';
      if (::write(fds[1], record.data(), record.size()) < 0) ::_exit(3);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string all;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) all.append(buffer, n);
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  std::vector<std::string> messages;
  for (std::size_t start = 0, end; (end = all.find('\0', start)) != std::string::npos;
       start = end + 1)
    messages.push_back(all.substr(start, end - start));
  return messages;
}

TEST_F(MemoriesRefusal, FolderThatCannotBeWritten) {
  const fs::path dir = game.content.dir();
  game.content.Raw("ヒョウ＿おまけ.html", "the earlier page");
  fs::permissions(dir / "txt", fs::perms(0755));
  fs::permissions(dir / "txt" / "head.dat", fs::perms(0644));
  fs::permissions(dir / "txt" / "foot.dat", fs::perms(0644));
  fs::permissions(dir, fs::perms(0555));
  if (::geteuid() != 0 && ::access(dir.c_str(), W_OK) == 0)
    GTEST_SKIP() << "this user can write into a read-only folder";

  const auto messages =
      MessagesWithoutPrivileges(game, [&] { game.frm->WriteMemories("2,ヒョウ"); });
  fs::permissions(dir, fs::perms(0755));
  if (!messages) GTEST_SKIP() << "could not run as an unprivileged user";
  ASSERT_EQ(messages->size(), 1u);
  EXPECT_NE((*messages)[0].find("「" + Page("ヒョウ").string() + "」を書き込めません"),
            std::string::npos)
      << (*messages)[0];
  EXPECT_NE((*messages)[0].find("書き込む権限がありません"), std::string::npos);
  EXPECT_NE((*messages)[0].find("前のページはそのまま残っています"), std::string::npos);
  EXPECT_EQ(Slurp(Page("ヒョウ")), "the earlier page");
}

// ---- from a scene ----------------------------------------------------------------------------

using MemoriesScene = MemoriesPage;

TEST_F(MemoriesScene, EndingSceneWritesThePageAndGoesOn) {
  game.content.Scene("end", {">htm 2,ヒョウ", ">htm ヒョウ", "おしまい"});
  game.frm->StartScene("end");
  EXPECT_EQ(Slurp(Page("ヒョウ")), Sjis(CrLf(kHead) + CrLf(kHyouMiddle) + CrLf(kFoot)));
  ASSERT_EQ(game.host.messages.size(), 1u);
  EXPECT_NE(game.host.messages[0].find("end.dat"), std::string::npos) << game.host.messages[0];
  EXPECT_NE(game.frm->Lbl.Caption.find("おしまい"), std::string::npos);
}

}  // namespace
}  // namespace porukami
