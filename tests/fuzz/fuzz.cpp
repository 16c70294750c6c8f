// The fuzz targets over what people write, and their one driver: libFuzzer's entry point for the
// target PORUKAMI_FUZZ_TARGET names or, without libFuzzer, `porukami_fuzz_replay TARGET < FILE`.
// A broken rule aborts, so that the fuzzer keeps the input.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

#include "monkey/monkey.h"
#include "sound/mci_command.h"
#include "sound/mci_midi_file.h"
#include "support/file_size_limit.h"
#include "text/cp932.h"
#include "text/number.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::fuzz {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** broken rule: %s\n", what.c_str());
  std::abort();
}
#define FUZZ_CHECK(ok) ((ok) ? void() : Fail(#ok))

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF), by the C library.
bool IsUtf8(std::string_view s) {
  static const iconv_t utf8 = iconv_open("UTF-32LE", "UTF-8");
  std::string out(4 * s.size() + 4, '\0');
  char *in = const_cast<char*>(s.data()), *to = out.data();
  std::size_t inLeft = s.size(), outLeft = out.size();
  iconv(utf8, nullptr, nullptr, nullptr, nullptr);
  return iconv(utf8, &in, &inLeft, &to, &outLeft) != std::size_t(-1);
}

// Any bytes decode to UTF-8 lines without their ends, bad bytes flagged and shown as U+FFFD; a
// clean line survives a round trip, and the character helpers never cut one.
void Cp932(std::string_view input) {
  const std::string bytes(input), kBad = "\xEF\xBF\xBD";
  bool bad = false, again = false;
  const std::string whole = text::Cp932ToUtf8(bytes, &bad);
  const text::TextFile file = text::SplitLines(bytes), limited = text::SplitLines(bytes, 3);
  const auto ends =
      std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n');
  FUZZ_CHECK(IsUtf8(whole) && bad == (whole.find(kBad) != std::string::npos) && file.opened &&
             file.lines.size() <= std::size_t(ends) + 1 && (bytes.empty() || !file.lines.empty()));
  std::size_t flagged = 0;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const std::string& line = file.lines[i];
    const bool isBad = flagged < file.badLines.size() && file.badLines[flagged] == int(i + 1);
    const auto encoded = text::Utf8ToCp932(line);
    flagged += isBad;
    FUZZ_CHECK(IsUtf8(line) && line.find_first_of("\r\n") == std::string::npos &&
               isBad == (line.find(kBad) != std::string::npos) &&
               (isBad || (encoded && text::Cp932ToUtf8(*encoded, &again) == line && !again)));
    const std::size_t len = text::Len(line);
    for (const std::size_t n : std::array<std::size_t, 7>{0, 1, 2, 4, 6, len, len + 1}) {
      const std::string_view left = text::Left(line, n), rest = text::MidFrom(line, n + 1);
      FUZZ_CHECK(IsUtf8(left) && IsUtf8(rest) && std::string(left) + std::string(rest) == line &&
                 text::Len(left) == std::min(n, len) &&
                 rest.starts_with(text::CharAt(line, n + 1)) &&
                 text::Len(text::CharAt(line, n + 1)) == (n < len));
    }
  }
  FUZZ_CHECK(flagged == file.badLines.size());
  for (const int lf : file.loneLfLines) FUZZ_CHECK(lf >= 1 && lf <= int(file.lines.size()));
  // Reading 3 lines stops one line past them; any bytes to encode give nothing or clean CP932.
  std::size_t badOffset = 0;
  const auto encoded = text::Utf8ToCp932(bytes, &badOffset);
  FUZZ_CHECK(limited.lines.size() <= std::min(file.lines.size(), std::size_t{4}) &&
             std::equal(limited.lines.begin(), limited.lines.end(), file.lines.begin()) &&
             (encoded ? IsUtf8(text::Cp932ToUtf8(*encoded, &again)) && !again
                      : badOffset <= bytes.size()));
}

// Any text gives the number it begins with as the C library's strtod reads those characters,
// clamped to the width and rounded (near a half, either way).
void Number(std::string_view s) {
  const std::string number(s.substr(0, s.find_first_not_of(" \t+-.0123456789")));
  const double value = text::LeadingNumber(s), reference = std::strtod(number.c_str(), nullptr);
  FUZZ_CHECK(!std::isnan(value) &&
             (!std::isfinite(reference) || std::fabs(reference) >= 1e15 ||
              std::fabs(value - reference) <= 1e-9 * std::max(1.0, std::fabs(reference))));
  for (const auto& [lo, hi, got] :
       {std::array<double, 3>{INT32_MIN, INT32_MAX, double(text::ToLong(s))},
        {INT16_MIN, INT16_MAX, double(text::ToInteger(s))}})
    FUZZ_CHECK(std::fabs(got - std::clamp(reference, lo, hi)) <=
               0.5 + 8 * std::fabs(got) * DBL_EPSILON);
}

// Any text gives a known error, or a command with its verb and its device.
void Mci(std::string_view text) {
  const MciCommand cmd = ParseMciCommand(text);
  int known = 0;
  for (const std::uint32_t e :
       {kMciOk, kMciErrUnrecognizedCommand, kMciErrInvalidDeviceName, kMciErrDuplicateAlias,
        kMciErrMissingParameter, kMciErrBadInteger, kMciErrUnrecognizedKeyword,
        kMciErrMissingCommandString, kMciErrMissingStringArgument, kMciErrOutOfRange,
        kMciErrMissingDeviceName, kMciErrNoClosingQuote, kMciErrExtraCharacters})
    known += e == cmd.error;
  FUZZ_CHECK(known == 1 && (!cmd.hasDevice || cmd.verb != MciVerb::kUnknown) &&
             (cmd.error != kMciOk ||
              (cmd.verb != MciVerb::kUnknown && cmd.hasDevice && !cmd.device.empty() &&
               text.find(cmd.device) != std::string_view::npos &&
               (cmd.verb != MciVerb::kSeek || cmd.seekTo != MciSeekTarget::kNone) &&
               (cmd.verb != MciVerb::kStatus || cmd.statusMode) &&
               (!cmd.playFromStart || cmd.verb == MciVerb::kPlay) &&
               (cmd.alias.empty() || cmd.verb == MciVerb::kOpen))));
}

// Any bytes give nothing or a file whose figures the player can hold, the same with bytes after.
void Midi(std::string_view input) {
  const std::string bytes(input);
  const auto info = InspectMidiFile(bytes), padded = InspectMidiFile(bytes + std::string(16, '\0'));
  FUZZ_CHECK(!info ||
             (bytes.starts_with("MThd") && info->format >= 0 && info->format <= 2 &&
              info->tracks >= 1 && info->tracks <= 128 && info->division > 0 &&
              info->division < 0x8000 && info->totalTicks >= 0 && info->totalTicks <= 0x7FFFFFFF &&
              padded && padded->totalTicks == info->totalTicks && padded->tracks == info->tracks));
}

// A ">htm" line's argument, after a byte that picks whether a page of that name exists and
// whether the disk fills up after 0 to 248 bytes: one whole page for it, or a message and the
// earlier page kept; nothing else written.
void Memories(const monkey::Copy& copy, std::string_view bytes) {
  const auto slurp = [&copy](const std::string& name) {
    std::ifstream in(copy.app / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  static const std::string head = slurp("txt/head.dat"), foot = slurp("txt/foot.dat");
  const auto mode = static_cast<std::uint8_t>(bytes.empty() ? 0 : bytes[0]);
  const std::string_view rest = bytes.substr(std::min<std::size_t>(1, bytes.size()));
  const std::string argument = text::Cp932ToUtf8(rest.substr(0, rest.find_first_of("\r\n")));
  const std::size_t comma = std::min(argument.find(','), argument.size());
  const std::string name =
      argument.substr(comma + (comma < argument.size()), argument.find(',', comma + 1) - comma - 1);
  const bool plain =
      comma < argument.size() && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
  const std::string page = name + "＿おまけ.html";
  const bool earlier = (mode & 2) && plain && name.size() < 200;
  if (earlier) std::ofstream(copy.app / page) << "an earlier page";
  testing::FakeHost host;
  host.appPath = copy.app.string();
  testing::FakeRandom random;
  Frm frm(host, random);
  frm.Form_Load();
  host.messages.clear();
  {
    // A disk that fills up part-way: a file-size limit makes the write fail, even for root.
    testing::FileSizeLimit limit(mode & 4 ? static_cast<rlim_t>(mode >> 3) * 8 : RLIM_INFINITY);
    frm.WriteMemories(argument);
  }
  const bool written = host.messages.empty();
  const std::string html = plain ? slurp(page) : "";
  const std::string decoded = text::Cp932ToUtf8(html);
  std::vector<std::string> pages;
  FUZZ_CHECK(copy.Stray(&pages).empty() && host.messages.size() <= 1 &&
             slurp("txt/head.dat") == head);
  FUZZ_CHECK(pages == (written || earlier ? std::vector{page} : std::vector<std::string>{}));
  FUZZ_CHECK(!written || (plain && html.starts_with(head) && html.ends_with(foot) &&
                          decoded.find("\xEF\xBF\xBD") == std::string::npos &&
                          decoded.find("<h2>" + name + "との思い出♪</h2>") != std::string::npos));
  FUZZ_CHECK(written || !earlier || html == "an earlier page");
}

// The scene (with the player's events) and the catalogue (with 120 drawn): a game on the hostile
// content with that file replaced by the input (see PlayGame); start-up may refuse the catalogue.
void Run(std::string_view target, std::string_view bytes) {
  static const monkey::Copy hostile(PORUKAMI_HOSTILE_DIR);
  const auto game = [&](std::initializer_list<const char*> files, long count) {
    const std::string broken = monkey::PlayGame(hostile, files, bytes, count);
    if (!broken.empty() && !broken.starts_with("start-up refused: ")) Fail(broken);
  };
  if (target == "scene") return game({"txt/opn.dat", "txt/s.dat"}, 0);
  if (target == "catalogue") return game({"txt/item.dat"}, 120);
  if (target == "memories") return Memories(hostile, bytes);
  if (target == "cp932") return Cp932(bytes);
  if (target == "number") return Number(bytes);
  if (target == "mci") return Mci(bytes);
  if (target == "midi") return Midi(bytes);
  Fail("no fuzz target " + std::string(target));
}

}  // namespace
}  // namespace porukami::fuzz

#ifdef PORUKAMI_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  porukami::fuzz::Run(PORUKAMI_FUZZ_TARGET, {reinterpret_cast<const char*>(data), size});
  return 0;
}
#else
int main(int argc, char** argv) {
  porukami::fuzz::Run(argc > 1 ? argv[1] : "", std::string(std::istreambuf_iterator(std::cin), {}));
}
#endif
