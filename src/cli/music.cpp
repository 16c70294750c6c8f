#include "cli/music.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

#include "text/textfile.h"

namespace porukami::cli {
namespace {

constexpr std::string_view kAlias = " alias MIDI";

// The path of `open "PATH" alias MIDI`, or nothing when the command has another shape.
std::optional<std::string> OpenedPath(std::string_view command) {
  if (!command.starts_with("open \"") || !command.ends_with(kAlias)) return std::nullopt;
  command.remove_prefix(6);
  command.remove_suffix(kAlias.size());
  if (!command.ends_with('"')) return std::nullopt;
  command.remove_suffix(1);
  return std::string(command);
}

}  // namespace

std::uint32_t RecordingMci::SendString(const std::string& command, char* reply,
                                       std::uint32_t replyLen) {
  commands.push_back(command);
  return Run(command, reply, replyLen);
}

std::uint32_t RecordingMci::Run(const std::string& command, char* reply, std::uint32_t replyLen) {
  if (auto path = OpenedPath(command)) {
    if (open_) return kMciErrDuplicateAlias;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(text::AsWrittenOrNative(*path), ec))
      return kMciErrFileNotFound;
    open_ = true;
    return kMciOk;
  }
  const bool known = command == "close MIDI notify" || command == "play MIDI notify" ||
                     command == "play MIDI from 0" || command == "stop MIDI notify" ||
                     command == "seek MIDI to start" || command == "status MIDI mode";
  if (!known) return kMciErrUnrecognizedCommand;
  if (!open_) return kMciErrInvalidDeviceName;
  if (command == "close MIDI notify") {
    open_ = false;
  } else if (command == "status MIDI mode" && reply && replyLen > 0) {
    // The piece never reaches its end here: it is always playing.
    const std::string_view mode = "playing";
    const std::size_t n = std::min<std::size_t>(mode.size(), replyLen - 1);
    std::memcpy(reply, mode.data(), n);
    reply[n] = '\0';
  }
  return kMciOk;
}

}  // namespace porukami::cli
