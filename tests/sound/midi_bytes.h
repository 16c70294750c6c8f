#pragma once
// Builds small Standard MIDI Files for the music tests.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace porukami::testing {

// 480 ticks per quarter note at 120 beats a minute: 960 ticks a second.
inline constexpr int kDivision = 480;
inline constexpr int kTicksPerSecond = 960;

inline std::string VarLen(std::uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while ((v >>= 7) != 0) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  return out;
}

inline std::string Be32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

inline std::string Chunk(const std::string& id, const std::string& body) {
  return id + Be32(static_cast<std::uint32_t>(body.size())) + body;
}

inline std::string Header(int format, int tracks, int division = kDivision) {
  const std::string fields{0,
                           static_cast<char>(format),
                           static_cast<char>(tracks >> 8),
                           static_cast<char>(tracks),
                           static_cast<char>(division >> 8),
                           static_cast<char>(division)};
  return Chunk("MThd", fields);
}

struct Note {
  int start;   // tick
  int length;  // ticks
  int key;
};

// The events of one track: tempo 120, piano, the notes, end of track at `endTick`.
inline std::string TrackEvents(const std::vector<Note>& notes, int endTick) {
  struct Event {
    int tick;
    int order;  // note-offs before note-ons at the same tick
    std::string bytes;
  };
  std::vector<Event> events;
  for (const Note& n : notes) {
    events.push_back({n.start, 1, {'\x90', static_cast<char>(n.key), 100}});
    events.push_back({n.start + n.length, 0, {'\x80', static_cast<char>(n.key), 0}});
  }
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::string body = VarLen(0) + "\xFF\x51\x03\x07\xA1\x20";  // 500000 µs a quarter note
  body += VarLen(0) + std::string("\xC0\x00", 2);
  int at = 0;
  for (const Event& e : events) {
    body += VarLen(static_cast<std::uint32_t>(e.tick - at)) + e.bytes;
    at = e.tick;
  }
  body += VarLen(static_cast<std::uint32_t>(std::max(endTick - at, 0))) + "\xFF\x2F" +
          std::string(1, '\0');
  return body;
}

inline std::string MidiFile(const std::vector<Note>& notes, int endTick) {
  return Header(0, 1) + Chunk("MTrk", TrackEvents(notes, endTick));
}

}  // namespace porukami::testing
