// The media control interface's command reader: any text gives a command or an error code the
// platform knows, never a crash; a command read without error names its verb and its device, and
// reading is blind to the case of keywords.
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "sound/mci_command.h"

namespace porukami::fuzz {
namespace {

const std::set<std::uint32_t>& KnownErrors() {
  static const std::set<std::uint32_t> known = {
      kMciOk,
      kMciErrUnrecognizedCommand,
      kMciErrInvalidDeviceName,
      kMciErrDuplicateAlias,
      kMciErrMissingParameter,
      kMciErrBadInteger,
      kMciErrUnrecognizedKeyword,
      kMciErrMissingCommandString,
      kMciErrMissingStringArgument,
      kMciErrOutOfRange,
      kMciErrMissingDeviceName,
      kMciErrNoClosingQuote,
      kMciErrExtraCharacters,
  };
  return known;
}

std::string FlipCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool InQuotes(std::string_view s) {
  return s.find('"') != std::string_view::npos;
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const MciCommand cmd = ParseMciCommand(text);
  const std::string shown(text.substr(0, 120));

  FUZZ_CHECK(KnownErrors().count(cmd.error) == 1,
             "unknown error code " + std::to_string(cmd.error) + " for \"" + shown + "\"");
  if (cmd.error == kMciOk) {
    FUZZ_CHECK(cmd.verb != MciVerb::kUnknown, "no verb for \"" + shown + "\"");
    FUZZ_CHECK(cmd.hasDevice && !cmd.device.empty(), "no device for \"" + shown + "\"");
    FUZZ_CHECK(text.find(cmd.device) != std::string_view::npos, "device not from the text");
    FUZZ_CHECK(cmd.verb != MciVerb::kSeek || cmd.seekTo != MciSeekTarget::kNone, "seek to nowhere");
    FUZZ_CHECK(cmd.verb != MciVerb::kStatus || cmd.statusMode, "status of nothing");
    FUZZ_CHECK(!cmd.playFromStart || cmd.verb == MciVerb::kPlay, "from 0 outside play");
    FUZZ_CHECK(cmd.alias.empty() || cmd.verb == MciVerb::kOpen, "alias outside open");
  }
  if (cmd.hasDevice) FUZZ_CHECK(cmd.verb != MciVerb::kUnknown, "device without verb");

  // Keywords are read whatever their case; only quoted text (a file name) keeps it.
  if (!InQuotes(text)) {
    const MciCommand flipped = ParseMciCommand(FlipCase(text));
    FUZZ_CHECK(flipped.error == cmd.error && flipped.verb == cmd.verb &&
                   flipped.hasDevice == cmd.hasDevice &&
                   MciNameEquals(flipped.device, cmd.device) &&
                   flipped.playFromStart == cmd.playFromStart && flipped.seekTo == cmd.seekTo &&
                   flipped.statusMode == cmd.statusMode,
               "case changes the reading of \"" + shown + "\"");
  }
  return 0;
}
