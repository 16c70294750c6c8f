#pragma once
// Reads the text commands of the media control interface that the music device understands:
//   open "FILE" [alias NAME] [type sequencer]   close NAME|all
//   play NAME [from 0]   stop NAME   seek NAME to start|end|0   status NAME mode
// Keywords are case-insensitive, "notify" and "wait" are accepted after any command and do
// nothing. Any text is safe to pass: the worst it gets is an error code.
#include <cstdint>
#include <string>
#include <string_view>

#include "sound/mci.h"

namespace porukami {

// Error codes of the platform beyond those the game itself names.
inline constexpr std::uint32_t kMciErrUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kMciErrMissingCommandString = 267;
inline constexpr std::uint32_t kMciErrParamOverflow = 268;
inline constexpr std::uint32_t kMciErrMissingStringArgument = 269;
inline constexpr std::uint32_t kMciErrOutOfRange = 282;
inline constexpr std::uint32_t kMciErrMissingDeviceName = 292;
inline constexpr std::uint32_t kMciErrNoClosingQuote = 294;
inline constexpr std::uint32_t kMciErrExtraCharacters = 305;
inline constexpr std::uint32_t kMciErrSequencerInUse = 337;

enum class MciVerb { kUnknown, kOpen, kClose, kPlay, kStop, kSeek, kStatus };
enum class MciSeekTarget { kNone, kStart, kEnd };

struct MciCommand {
  // kMciOk, or the first error found. The verb and the device stay filled in when the error
  // comes after them, so that a device can rank "not open" before a bad keyword, as the
  // platform did.
  std::uint32_t error = kMciOk;
  MciVerb verb = MciVerb::kUnknown;
  bool hasDevice = false;
  std::string device;          // open: the file as written, without its quotes; otherwise the alias
  std::string alias;           // open: the name given after "alias", if any
  bool playFromStart = false;  // play ... from 0
  MciSeekTarget seekTo = MciSeekTarget::kNone;  // seek ... to start|end|0
  bool statusMode = false;                      // status ... mode
};

MciCommand ParseMciCommand(std::string_view text);

// ASCII case-insensitive equality, the way aliases and keywords are matched.
bool MciNameEquals(std::string_view a, std::string_view b);

}  // namespace porukami
