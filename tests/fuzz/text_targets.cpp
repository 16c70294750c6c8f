// The fuzz targets over the readers of CP932 text, numbers in text, music commands and bgm.mid.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

#include "fuzz/fuzz.h"
#include "sound/mci_command.h"
#include "sound/mci_midi_file.h"
#include "text/cp932.h"
#include "text/number.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::fuzz {
namespace {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF), as the C
// library's decoder reads it.
bool IsUtf8(std::string_view s) {
  static const iconv_t utf8 = iconv_open("UTF-32LE", "UTF-8");
  std::string out(4 * s.size() + 4, '\0');
  char *in = const_cast<char*>(s.data()), *to = out.data();
  std::size_t inLeft = s.size(), outLeft = out.size();
  iconv(utf8, nullptr, nullptr, nullptr, nullptr);
  return iconv(utf8, &in, &inLeft, &to, &outLeft) != std::size_t(-1);
}

}  // namespace

// Any bytes decode to well-formed UTF-8 lines without their ends, bad bytes flagged; a clean
// line survives a round trip through the encoder, and the character helpers never cut one.
void Cp932(std::string_view input) {
  const std::string bytes(input), kBad = "\xEF\xBF\xBD";  // U+FFFD, which CP932 cannot hold
  bool bad = false, again = false;
  const std::string whole = text::Cp932ToUtf8(bytes, &bad);
  FUZZ_CHECK(IsUtf8(whole) && bad == (whole.find(kBad) != std::string::npos));
  const text::TextFile file = text::SplitLines(bytes), limited = text::SplitLines(bytes, 3);
  const auto ends =
      std::count(bytes.begin(), bytes.end(), '\r') + std::count(bytes.begin(), bytes.end(), '\n');
  FUZZ_CHECK(file.opened && file.lines.size() <= std::size_t(ends) + 1 &&
             (bytes.empty() || !file.lines.empty()));
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
  // Limited reading stops one line past the limit, with the same lines as far as it goes.
  FUZZ_CHECK(limited.lines.size() <= std::min(file.lines.size(), std::size_t{4}) &&
             std::equal(limited.lines.begin(), limited.lines.end(), file.lines.begin()));
  // Any bytes given to the encoder give nothing, or CP932 that decodes cleanly.
  std::size_t badOffset = 0;
  const auto encoded = text::Utf8ToCp932(bytes, &badOffset);
  FUZZ_CHECK(encoded ? IsUtf8(text::Cp932ToUtf8(*encoded, &again)) && !again
                     : badOffset <= bytes.size());
}

// Any text gives the number it begins with (blanks, a sign, digits, a point and digits) as the C
// library's strtod reads those characters, clamped to the width asked for and rounded to the
// nearest integer; within a few units in the last place of a half, either neighbour will do.
void Number(std::string_view s) {
  const std::string number(s.substr(0, s.find_first_not_of(" \t+-.0123456789")));
  const double value = text::LeadingNumber(s), reference = std::strtod(number.c_str(), nullptr);
  FUZZ_CHECK(!std::isnan(value) &&
             (!std::isfinite(reference) || std::fabs(reference) >= 1e15 ||
              std::fabs(value - reference) <= 1e-9 * std::max(1.0, std::fabs(reference))));
  const double slack = 0.5 + 8 * std::max(std::fabs(reference) * DBL_EPSILON, DBL_MIN);
  for (const auto& [lo, hi, got] :
       {std::array<double, 3>{INT32_MIN, INT32_MAX, double(text::ToLong(s))},
        {INT16_MIN, INT16_MAX, double(text::ToInteger(s))}})
    FUZZ_CHECK(reference <= lo   ? got == lo
               : reference >= hi ? got == hi
                                 : std::fabs(got - reference) <= slack);
  // Rounding any double into any range stays in the range.
  if (s.size() < 24) return;
  double v;
  std::int64_t range[2];
  std::memcpy(&v, s.data(), 8);
  std::memcpy(range, s.data() + 8, 16);
  std::sort(range, range + 2);
  const std::int64_t r = text::RoundHalfEvenClamped(v, range[0], range[1]);
  FUZZ_CHECK((std::isnan(v) && r == 0) || (r >= range[0] && r <= range[1]));
}

// Any text gives a command or an error code the platform knows; a command read without error
// names its verb and its device; keywords are read whatever their case, quoted text keeps it.
void Mci(std::string_view text) {
  const MciCommand cmd = ParseMciCommand(text);
  std::string flipped(text);
  for (char& c : flipped) c = std::isalpha(static_cast<unsigned char>(c)) ? c ^ 0x20 : c;
  const MciCommand other = ParseMciCommand(flipped);
  int known = 0;
  for (const std::uint32_t e :
       {kMciOk, kMciErrUnrecognizedCommand, kMciErrInvalidDeviceName, kMciErrDuplicateAlias,
        kMciErrMissingParameter, kMciErrBadInteger, kMciErrUnrecognizedKeyword,
        kMciErrMissingCommandString, kMciErrMissingStringArgument, kMciErrOutOfRange,
        kMciErrMissingDeviceName, kMciErrNoClosingQuote, kMciErrExtraCharacters})
    known += e == cmd.error;
  FUZZ_CHECK(known == 1 && (!cmd.hasDevice || cmd.verb != MciVerb::kUnknown));
  FUZZ_CHECK(cmd.error != kMciOk ||
             (cmd.verb != MciVerb::kUnknown && cmd.hasDevice && !cmd.device.empty() &&
              text.find(cmd.device) != std::string_view::npos &&
              (cmd.verb != MciVerb::kSeek || cmd.seekTo != MciSeekTarget::kNone) &&
              (cmd.verb != MciVerb::kStatus || cmd.statusMode) &&
              (!cmd.playFromStart || cmd.verb == MciVerb::kPlay) &&
              (cmd.alias.empty() || cmd.verb == MciVerb::kOpen)));
  FUZZ_CHECK(text.find('"') != std::string_view::npos ||
             (other.error == cmd.error && other.verb == cmd.verb &&
              other.hasDevice == cmd.hasDevice && MciNameEquals(other.device, cmd.device) &&
              other.playFromStart == cmd.playFromStart && other.seekTo == cmd.seekTo &&
              other.statusMode == cmd.statusMode));
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

}  // namespace porukami::fuzz
