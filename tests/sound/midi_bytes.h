#pragma once
// Builds small Standard MIDI Files for the music tests: 480 ticks a quarter note at 120 beats a
// minute, so 960 ticks a second.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace porukami::testing {

inline std::string VarLen(std::uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while ((v >>= 7) != 0) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  return out;
}

inline std::string Chunk(const std::string& id, const std::string& body) {
  const auto n = static_cast<std::uint32_t>(body.size());
  return id + std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + body;
}

inline std::string Header(int format, int tracks, int division = 480) {
  return Chunk("MThd", {0, char(format), char(tracks >> 8), char(tracks), char(division >> 8),
                        char(division)});
}

struct Note {
  int start, length, key;  // ticks, ticks, key
};

// One track: tempo 120, piano, the notes one after another, the end of the track at `endTick`.
inline std::string TrackEvents(const std::vector<Note>& notes, int endTick) {
  std::string body = VarLen(0) + "\xFF\x51\x03\x07\xA1\x20" + VarLen(0) + std::string("\xC0\0", 2);
  int at = 0;
  for (const Note& n : notes) {
    body += VarLen(n.start - at) + std::string{'\x90', char(n.key), 100};
    body += VarLen(n.length) + std::string{'\x80', char(n.key), 0};
    at = n.start + n.length;
  }
  return body + VarLen(std::max(endTick - at, 0)) + std::string("\xFF\x2F\0", 3);
}

inline std::string MidiFile(const std::vector<Note>& notes, int endTick) {
  return Header(0, 1) + Chunk("MTrk", TrackEvents(notes, endTick));
}

}  // namespace porukami::testing
