// The fuzz targets that play the game on a copy of the monkey's hostile content.
#include <fstream>
#include <iterator>

#include "fuzz/fuzz.h"
#include "monkey/monkey.h"
#include "support/file_size_limit.h"
#include "text/cp932.h"

namespace porukami::fuzz {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

// A game on the hostile content with the files named replaced by the input (see PlayGame).
// Start-up may refuse the content, with a message.
void Game(std::string_view bytes, std::initializer_list<const char*> files) {
  static const monkey::Copy copy(PORUKAMI_HOSTILE_DIR);
  const std::string broken = monkey::PlayGame(copy, files, bytes, 200);
  if (!broken.empty() && !broken.starts_with("start-up refused: ")) Fail(broken);
}

// The memories page's argument, as a ">htm" line passes it. The first byte picks how the rest
// arrives (decoded from CP932 like a script line, or raw), whether a page of that name exists
// already, and whether the disk fills up after 0 to 248 bytes. Either one page named after the
// argument appears, whole, or a message says why not and an earlier page is kept whole; the game
// writes nothing else and leaves the pieces alone.
void Memories(std::string_view bytes) {
  static const monkey::Copy copy(PORUKAMI_HOSTILE_DIR);
  static const std::string head = Slurp(copy.app / "txt/head.dat");
  static const std::string foot = Slurp(copy.app / "txt/foot.dat");
  const auto mode = static_cast<std::uint8_t>(bytes.empty() ? 0 : bytes[0]);
  const std::string_view rest = bytes.substr(std::min<std::size_t>(1, bytes.size()));
  const std::string argument = (mode & 1)
                                   ? text::Cp932ToUtf8(rest.substr(0, rest.find_first_of("\r\n")))
                                   : std::string(rest);
  const std::size_t comma = std::min(argument.find(','), argument.size());
  const std::string name =
      argument.substr(comma + (comma < argument.size()), argument.find(',', comma + 1) - comma - 1);
  const bool plain = !name.empty() &&
                     name.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
                     name != "." && !name.starts_with("..");
  const std::string page = name + "＿おまけ.html";
  const bool earlier = (mode & 2) && plain && name.size() < 200;
  if (earlier) std::ofstream(copy.app / page) << "an earlier page";
  testing::FakeHost host;
  testing::FakeRandom random;
  Frm frm(host, random);
  frm.AppDir = copy.app.string() + "\\";
  frm.TxtDir = frm.AppDir + "txt\\";
  frm.ImgDir = frm.AppDir + "img\\";
  {
    // A disk that fills up part-way: a file-size limit makes the write fail, even for root.
    testing::FileSizeLimit limit(mode & 4 ? static_cast<rlim_t>(mode >> 3) * 8 : RLIM_INFINITY);
    frm.WriteMemories(argument);
  }
  const bool written = host.messages.empty();
  const std::string html = Slurp(copy.app / page);
  bool bad = false;
  const std::string decoded = text::Cp932ToUtf8(html, &bad);
  std::vector<std::string> pages;
  FUZZ_CHECK(copy.Stray(&pages).empty() && host.messages.size() <= 1 &&
             Slurp(copy.app / "txt/head.dat") == head);
  FUZZ_CHECK(pages == (written || earlier ? std::vector{page} : std::vector<std::string>{}));
  FUZZ_CHECK(!written || (plain && html.starts_with(head) && html.ends_with(foot) && !bad &&
                          decoded.find("<h2>" + name + "との思い出♪</h2>") != std::string::npos));
  FUZZ_CHECK(written || !earlier || html == "an earlier page");
}

}  // namespace porukami::fuzz
