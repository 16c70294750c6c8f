// The memories page: an ending scene's ">htm a,b" writes AppDir & b & "＿おまけ.html", the head
// piece, a heading with b and seven pictures of set a, then the foot piece, in CP932 with CR LF.
//
// Scripts and pieces are content, and a typo in them must not cost the player a crash or a broken
// keepsake, nor let a page land outside the program folder. So every problem below is refused with
// one message box that names the file involved, nothing is written, and the scene goes on:
// - no "," in the argument: there is no name, so no page to name;
// - a name that would leave the folder ("/" or "\" in it), or a NUL character, which would cut
//   the file name short. Any other name, even an empty one or one starting with "..", gives an
//   ordinary file in the folder once "＿おまけ.html" follows it;
// - a picture-set number a that is not plain decimal digits: the six picture names are a as
//   written, so a typo like "2a" or " 2" would give a page whose pictures all point at files that
//   do not exist. The author sees the message when trying the ending and fixes the one line;
// - a name with a character CP932 cannot hold (the page is a CP932 text);
// - a missing or unreadable head or foot piece: a page without its HTML frame is not a page;
// - a folder or disk that refuses the write: the previous page, if any, stays as it was.
// a + 1 is computed on the digits themselves, so no number is too large.
// The pieces are copied as bytes, line by line, so they reach the page exactly as shipped, even
// where a round trip through Unicode would pick another of CP932's duplicate codes.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/Frm.h"
#include "memories/replace_file.h"
#include "text/cp932.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami {

namespace {

constexpr std::string_view kPageSuffix = "＿おまけ.html";
constexpr std::string_view kPictureTail = ".dat width=600 height=500><BR>";

// Why `name` cannot name a page in the program folder, or nothing when it can.
std::optional<std::string> NameProblem(const std::string& name) {
  const std::string insideOnly = "ページはゲームのフォルダの中にしか作れません。";
  if (name.find('\0') != std::string::npos) return "名前に NUL 文字が入っています。";
  for (const char* separator : {"/", "\\"}) {
    if (name.find(separator) != std::string::npos)
      return "名前「" + name + "」に区切り文字「" + separator + "」が入っています。" + insideOnly;
  }
  return std::nullopt;
}

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The decimal value of `digits` plus one, without leading zeros.
std::string PlusOne(std::string_view digits) {
  std::string sum(digits);
  std::size_t i = sum.size();
  while (i > 0 && sum[i - 1] == '9') sum[--i] = '0';
  if (i == 0)
    sum.insert(sum.begin(), '1');
  else
    ++sum[i - 1];
  const std::size_t first = sum.find_first_not_of('0');
  return sum.substr(first);
}

// The whole file, or nothing with `err` set.
std::optional<std::string> ReadBytes(const std::string& nativePath, int& err) {
  const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err = errno;
    return std::nullopt;
  }
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      ::close(fd);
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

// Copies the lines of a piece, each followed by CR LF. A line ends at CR, CR LF or a lone LF, as
// in every text file of the game; CP932 never uses those bytes inside a character.
void AppendLines(std::string_view piece, std::string& page) {
  std::size_t start = 0;
  while (start < piece.size()) {
    std::size_t end = piece.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = piece.size();
    page.append(piece.substr(start, end - start)).append("\r\n");
    start = end;
    if (start < piece.size() && piece[start] == '\r') ++start;
    if (start < piece.size() && piece[start] == '\n') ++start;
  }
}

// The heading and the seven pictures, each line ended by CR LF: the opening picture of set a is
// numbered a + 1, the six others are a as written followed by 1 to 6.
std::string Middle(const std::string& a, const std::string& b) {
  std::string middle = "<h2>" + b + "との思い出♪</h2><img src=./img/opn0" + PlusOne(a);
  middle += kPictureTail;
  for (char i = '1'; i <= '6'; ++i) {
    middle += "\r\n<img src=./img/" + a + i;
    middle += kPictureTail;
  }
  return middle + "\r\n";
}

std::string ReadProblem(const std::string& nativePath, int err) {
  if (err == ENOENT) return "部品のファイル「" + nativePath + "」が見つかりません。";
  return "部品のファイル「" + nativePath + "」を読めません（" +
         std::generic_category().message(err) + "）。";
}

std::string WriteProblem(const std::string& folder, int err) {
  switch (err) {
    case EACCES:
    case EPERM:
      return "フォルダ「" + folder + "」に書き込む権限がありません。";
    case EROFS:
      return "フォルダ「" + folder + "」は読み取り専用です。";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "ディスクの空きが足りません。";
    case ENAMETOOLONG:
      return "ファイルの名前が長すぎます。";
    case EISDIR:
      return "同じ名前のフォルダがあります。";
    default:
      return "書き込みに失敗しました（" + std::generic_category().message(err) + "）。";
  }
}

}  // namespace

void Frm::WriteMemories(const std::string& argument) {
  const std::string scene =
      OpenScene() ? "\n（場面「" + FileOf(TxtDir + *OpenScene() + ".dat") + "」の >htm）"
                  : std::string();
  auto refuse = [&](const std::string& page, const std::string& why, const std::string& where) {
    const std::string head = page.empty() ? "思い出のページを作れませんでした。"
                                          : "思い出のページ「" + page + "」を作れませんでした。";
    host().MsgBoxOk(head + "\n" + why + where, kTitle);
  };

  const std::size_t comma = argument.find(',');
  if (comma == std::string::npos) {
    refuse("", "「>htm」の後ろの「" + argument + "」に「番号,名前」の「,」がありません。", scene);
    return;
  }
  const std::string a = argument.substr(0, comma);
  const std::size_t nameEnd = argument.find(',', comma + 1);  // a third field is ignored
  const std::string b = argument.substr(
      comma + 1, nameEnd == std::string::npos ? std::string::npos : nameEnd - comma - 1);
  if (auto problem = NameProblem(b)) {
    refuse("", *problem, scene);
    return;
  }
  const std::string fileName = b + std::string(kPageSuffix);
  if (!IsDigits(a)) {
    refuse(fileName,
           "絵の番号「" + a + "」が数字ではありません（「番号,名前」の番号は 0 以上の整数です）。",
           scene);
    return;
  }

  const std::string middle = Middle(a, b);
  std::size_t bad = 0;
  const std::optional<std::string> encodedMiddle = text::Utf8ToCp932(middle, &bad);
  if (!encodedMiddle) {
    refuse(fileName,
           "名前の「" + std::string(text::Left(std::string_view(middle).substr(bad), 1)) +
               "」はシフトJIS（CP932）で書けない文字です。",
           scene);
    return;
  }

  std::string pieces[2];
  for (int i = 0; i < 2; ++i) {
    const std::string path = FileOf(TxtDir + (i == 0 ? "head.dat" : "foot.dat"));
    int err = 0;
    std::optional<std::string> bytes = ReadBytes(path, err);
    if (!bytes) {
      refuse(fileName, ReadProblem(path, err), "");
      return;
    }
    pieces[i] = std::move(*bytes);
  }
  std::string page;
  AppendLines(pieces[0], page);
  page += *encodedMiddle;
  AppendLines(pieces[1], page);

  const std::string pagePath = paths_.Native(AppDir + fileName);
  std::error_code ignored;
  const bool existed = std::filesystem::is_regular_file(pagePath, ignored);
  if (const int err = memories::ReplaceFile(pagePath, page)) {
    std::string why =
        "「" + pagePath + "」を書き込めません。" + WriteProblem(paths_.Native(AppDir), err);
    if (existed) why += "\n前のページはそのまま残っています。";
    refuse(fileName, why, "");
  }
}

}  // namespace porukami
