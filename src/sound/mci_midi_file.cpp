#include "sound/mci_midi_file.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace porukami {

namespace {

constexpr int kMaxTracks = 128;  // what the synthesiser's player holds

std::uint32_t Be32(std::string_view b, std::size_t at) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

int Be16(std::string_view b, std::size_t at) {
  return (static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]);
}

// Reads a variable-length quantity of at most four bytes; false when it runs out or is longer.
bool ReadVarLen(std::string_view track, std::size_t& pos, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (pos >= track.size()) return false;
    const auto byte = static_cast<unsigned char>(track[pos++]);
    value = (value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80u) == 0) return true;
  }
  return false;
}

// Walks the events of one track chunk; gives its length in ticks, or -1 when it is malformed.
std::int64_t TrackTicks(std::string_view track) {
  std::size_t pos = 0;
  std::int64_t ticks = 0;
  unsigned running = 0;  // running status, 0 when none is in effect
  while (pos < track.size()) {
    std::uint32_t delta = 0;
    if (!ReadVarLen(track, pos, delta)) return -1;
    ticks += delta;
    if (ticks > std::numeric_limits<std::int32_t>::max()) return -1;
    if (pos >= track.size()) return -1;
    unsigned status = static_cast<unsigned char>(track[pos]);
    if (status & 0x80u) {
      ++pos;
    } else if (running != 0) {
      status = running;
    } else {
      return -1;
    }
    if (status < 0xF0u) {
      running = status;
      const std::size_t dataBytes =
          ((status & 0xF0u) == 0xC0u || (status & 0xF0u) == 0xD0u) ? 1 : 2;
      if (track.size() - pos < dataBytes) return -1;
      pos += dataBytes;
      continue;
    }
    running = 0;
    bool endOfTrack = false;
    if (status == 0xFFu) {
      if (pos >= track.size()) return -1;
      endOfTrack = static_cast<unsigned char>(track[pos++]) == 0x2Fu;
    } else if (status != 0xF0u && status != 0xF7u) {
      return -1;
    }
    std::uint32_t length = 0;
    if (!ReadVarLen(track, pos, length)) return -1;
    if (track.size() - pos < length) return -1;
    pos += length;
    if (endOfTrack) break;
  }
  return ticks;
}

}  // namespace

std::optional<MidiFileInfo> InspectMidiFile(std::string_view bytes) {
  if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd") return std::nullopt;
  const std::uint32_t headerLength = Be32(bytes, 4);
  if (headerLength < 6 || headerLength > bytes.size() - 8) return std::nullopt;
  MidiFileInfo info;
  info.format = Be16(bytes, 8);
  info.tracks = Be16(bytes, 10);
  info.division = Be16(bytes, 12);
  if (info.format > 2 || info.tracks < 1 || info.tracks > kMaxTracks) return std::nullopt;
  if (info.division == 0 || (info.division & 0x8000) != 0) return std::nullopt;

  std::size_t pos = 8 + static_cast<std::size_t>(headerLength);
  int found = 0;
  while (found < info.tracks) {
    if (bytes.size() - pos < 8) return std::nullopt;
    const std::string_view id = bytes.substr(pos, 4);
    const std::uint32_t length = Be32(bytes, pos + 4);
    pos += 8;
    if (bytes.size() - pos < length) return std::nullopt;
    if (id == "MTrk") {
      const std::int64_t ticks = TrackTicks(bytes.substr(pos, length));
      if (ticks < 0) return std::nullopt;
      info.totalTicks = std::max(info.totalTicks, ticks);
      ++found;
    }
    pos += length;
  }
  return info;
}

}  // namespace porukami
