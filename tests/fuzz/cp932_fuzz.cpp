// The CP932 reader: any bytes decode to well-formed UTF-8, split into lines without line ends,
// and every line that decoded cleanly survives a round trip through the encoder. The character
// helpers never cut a character in two.
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/cp932.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::fuzz {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string Hex(std::string_view s) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s.substr(0, 64)) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
    out += ' ';
  }
  return out;
}

void CheckCharacterHelpers(std::string_view s) {
  const std::size_t len = text::Len(s);
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{4},
                        std::size_t{6}, len, len + 1}) {
    const std::string_view left = text::Left(s, n);
    FUZZ_CHECK(s.starts_with(left) && IsUtf8(left), "Left cuts a character: " + Hex(s));
    FUZZ_CHECK(text::Len(left) == std::min(n, len), "Left counts wrong: " + Hex(s));
    const std::string_view rest = text::MidFrom(s, n + 1);
    FUZZ_CHECK(IsUtf8(rest) && std::string(left) + std::string(rest) == s,
               "Left and MidFrom do not make the whole: " + Hex(s));
    const std::string_view one = text::CharAt(s, n + 1);
    FUZZ_CHECK(text::Len(one) == (n < len ? 1u : 0u) && rest.starts_with(one),
               "CharAt is not one character: " + Hex(s));
  }
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  bool bad = false;
  const std::string whole = text::Cp932ToUtf8(bytes, &bad);
  FUZZ_CHECK(IsUtf8(whole), "decoder output is not UTF-8: " + Hex(bytes));
  // CP932 has no U+FFFD, so the replacement character appears exactly when bytes were bad.
  FUZZ_CHECK(bad == (whole.find(kReplacement) != std::string::npos),
             "bad bytes and replacement characters disagree: " + Hex(bytes));

  const text::TextFile file = text::SplitLines(bytes);
  FUZZ_CHECK(file.opened, "split bytes are not opened");
  std::size_t ends = 0;
  for (char c : bytes) ends += c == '\r' || c == '\n';
  FUZZ_CHECK(file.lines.size() <= ends + 1, "more lines than line ends: " + Hex(bytes));
  FUZZ_CHECK(bytes.empty() || !file.lines.empty(), "bytes but no line: " + Hex(bytes));
  std::size_t badAt = 0;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const std::string& line = file.lines[i];
    FUZZ_CHECK(IsUtf8(line), "line is not UTF-8: " + Hex(bytes));
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos,
               "line keeps its end: " + Hex(bytes));
    const bool flagged =
        badAt < file.badLines.size() && file.badLines[badAt] == static_cast<int>(i + 1);
    if (flagged) ++badAt;
    FUZZ_CHECK(flagged == (line.find(kReplacement) != std::string::npos),
               "line " + std::to_string(i + 1) + " flagged wrongly: " + Hex(bytes));
    if (!flagged) {
      // A clean line encodes, and decoding that gives the same text back.
      const auto encoded = text::Utf8ToCp932(line);
      FUZZ_CHECK(encoded.has_value(), "a decoded line does not encode: " + Hex(bytes));
      bool again = false;
      FUZZ_CHECK(text::Cp932ToUtf8(*encoded, &again) == line && !again,
                 "round trip changes the line: " + Hex(bytes));
    }
    CheckCharacterHelpers(line);
  }
  FUZZ_CHECK(badAt == file.badLines.size(),
             "bad line numbers out of order or range: " + Hex(bytes));
  for (int lf : file.loneLfLines)
    FUZZ_CHECK(lf >= 1 && lf <= static_cast<int>(file.lines.size()), "lone LF line out of range");

  // Limited reading stops one line past the limit, with the same lines as far as it goes.
  const text::TextFile limited = text::SplitLines(bytes, 3);
  FUZZ_CHECK(limited.lines.size() <= 4, "limited reading read on");
  for (std::size_t i = 0; i < limited.lines.size(); ++i)
    FUZZ_CHECK(limited.lines[i] == file.lines[i], "limited reading differs: " + Hex(bytes));

  // Any bytes given to the encoder: nothing, or CP932 that decodes cleanly.
  std::size_t badOffset = 0;
  if (const auto encoded = text::Utf8ToCp932(bytes, &badOffset)) {
    bool again = false;
    const std::string back = text::Cp932ToUtf8(*encoded, &again);
    FUZZ_CHECK(!again && IsUtf8(back), "encoder output does not decode: " + Hex(bytes));
  } else {
    FUZZ_CHECK(badOffset <= bytes.size(), "bad offset past the end");
  }
  return 0;
}
