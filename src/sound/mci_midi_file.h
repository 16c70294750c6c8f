#pragma once
// Checks that bytes form a Standard MIDI File the synthesiser can play, before it is handed over.
#include <cstdint>
#include <optional>
#include <string_view>

namespace porukami {

struct MidiFileInfo {
  int format = 0;
  int tracks = 0;
  int division = 0;             // ticks per quarter note
  std::int64_t totalTicks = 0;  // length of the longest track, end-of-track event included
};

// Format 0, 1 or 2 with ticks-per-quarter-note timing, 1 to 128 tracks, every event complete
// inside its track chunk. Anything else (including SMPTE timing, which the synthesiser does not
// play) gives nothing. Safe for any input.
std::optional<MidiFileInfo> InspectMidiFile(std::string_view bytes);

}  // namespace porukami
