// The memories page's argument, as a ">htm" line passes it. The first input byte picks how the
// rest arrives (decoded from CP932 like a script line, or as raw bytes), whether a page of that
// name exists already, and whether the disk fills up after 0 to 248 bytes. Whatever happens:
// nothing is written outside the program folder, no temporary file is left behind, the pieces
// are untouched, and either exactly one page named after the argument appears, complete, or a
// message says why not and an earlier page is kept whole.

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/Frm.h"
#include "fuzz/fuzz_support.h"
#include "support/fakes.h"
#include "support/file_size_limit.h"
#include "text/cp932.h"

namespace porukami::fuzz {
namespace {

constexpr std::string_view kSuffix = "＿おまけ.html";
const std::string kHead = "<html><body>\r\n";
const std::string kFoot = "</body></html>\r\n";
const std::string kEarlier = "an earlier page";

using testing::FileSizeLimit;

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  const Sandbox& box = Sandbox::Get();
  static const bool ready = [&box] {
    box.Write("app/txt/head.dat", kHead);
    box.Write("app/txt/foot.dat", kFoot);
    box.Write("app/txt/item.dat", Cp932File(testing::DefaultCatalogue()));
    return true;
  }();
  (void)ready;

  Bytes in(data, size);
  const std::uint8_t mode = in.Byte();
  const std::string_view rest = in.Rest();
  std::string argument = (mode & 1) ? text::Cp932ToUtf8(rest) : std::string(rest);
  if (mode & 1) argument = argument.substr(0, argument.find_first_of("\r\n"));

  // The name the page would get, if the argument gives one.
  const std::size_t comma = argument.find(',');
  std::string name;
  if (comma != std::string::npos) {
    const std::size_t end = argument.find(',', comma + 1);
    name = argument.substr(comma + 1, end == std::string::npos ? end : end - comma - 1);
  }
  const bool plainName = comma != std::string::npos &&
                         name.find_first_of("/\\") == std::string::npos &&
                         name.find('\0') == std::string::npos;
  const std::filesystem::path page = box.root() / "app" / (name + std::string(kSuffix));
  const bool earlier = (mode & 2) && plainName && name.size() < 200;
  if (earlier) box.Write("app/" + name + std::string(kSuffix), kEarlier);

  testing::FakeHost host;
  host.appPath = (box.root() / "app").string();
  testing::FakeRandom random;
  Frm frm(host, random);
  frm.AppDir = host.appPath + "\\";
  frm.TxtDir = frm.AppDir + "txt\\";
  frm.ImgDir = frm.AppDir + "img\\";
  if (mode & 4) {
    // A disk that fills up part-way: a file-size limit makes the write fail, even for root.
    FileSizeLimit limit(static_cast<rlim_t>(mode >> 3) * 8);
    frm.WriteMemories(argument);
  } else {
    frm.WriteMemories(argument);
  }

  FUZZ_CHECK(host.messages.size() <= 1, "more than one message for one page");
  FUZZ_CHECK(box.List("") == std::vector<std::string>{"app"}, "a file appeared beside the folder");
  FUZZ_CHECK(box.List("app/txt") == (std::vector<std::string>{"foot.dat", "head.dat", "item.dat"}),
             "the pieces' folder changed");
  FUZZ_CHECK(Slurp(box.root() / "app/txt/head.dat") == kHead, "the head piece changed");
  std::vector<std::string> pages;
  for (const std::string& entry : box.List("app"))
    if (entry != "txt") pages.push_back(entry);
  if (host.messages.empty()) {
    FUZZ_CHECK(plainName, "a page was written for the name \"" + name + "\"");
    FUZZ_CHECK(pages.size() == 1 && box.root() / "app" / pages[0] == page,
               "the page is not where its name says");
    const std::string bytes = Slurp(page);
    FUZZ_CHECK(bytes.starts_with(kHead) && bytes.ends_with(kFoot), "the page lost a piece");
    bool bad = false;
    const std::string decoded = text::Cp932ToUtf8(bytes, &bad);
    FUZZ_CHECK(!bad, "the page is not CP932");
    FUZZ_CHECK(decoded.find("<h2>" + name + "との思い出♪</h2>") != std::string::npos,
               "the page lacks its heading");
  } else {
    FUZZ_CHECK(pages.size() == (earlier ? 1u : 0u), "a refused page left files behind");
    if (earlier) FUZZ_CHECK(Slurp(page) == kEarlier, "a refused page spoiled the earlier one");
  }
  for (const std::string& entry : pages) std::filesystem::remove(box.root() / "app" / entry);
  return 0;
}
