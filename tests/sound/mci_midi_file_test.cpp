#include "sound/mci_midi_file.h"

#include <gtest/gtest.h>

#include <string>

#include "sound/midi_bytes.h"

namespace porukami {
namespace {

using testing::Chunk;
using testing::Header;
using testing::TrackEvents;

TEST(InspectMidiFile, MeasuresTheLongestTrackToItsEnd) {
  const std::string file = Header(1, 2) + Chunk("MTrk", TrackEvents({{0, 100, 60}}, 500)) +
                           Chunk("XTRA", "skipped") + Chunk("MTrk", TrackEvents({}, 1500));
  const auto info = InspectMidiFile(file);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->totalTicks, 1500);
  // Running status, and a track that stops without its end event.
  const std::string running = std::string("\x00\x90\x3C\x64\x10\x3E\x64\x81\x00\x3C\x00", 11);
  EXPECT_EQ(InspectMidiFile(Header(0, 1) + Chunk("MTrk", running))->totalTicks, 0x10 + 0x80);
}

TEST(InspectMidiFile, RefusesWhatThePlayerCannotPlay) {
  const std::string good = testing::MidiFile({{0, 240, 60}}, 480);
  const std::string tracks = good.substr(14);
  EXPECT_FALSE(InspectMidiFile("RIFF....WAVEfmt "));
  EXPECT_FALSE(InspectMidiFile(Header(0, 1, 0xE728) + tracks)) << "SMPTE timing";
  EXPECT_FALSE(InspectMidiFile(Header(0, 2) + tracks)) << "a track missing";
  EXPECT_FALSE(InspectMidiFile(Header(0, 1) + Chunk("MTrk", std::string("\x00\x3C\x64", 3))))
      << "data with no status";
  EXPECT_FALSE(InspectMidiFile(Header(0, 1) + Chunk("MTrk", "\xFF\xFF\xFF\xFF\x7F")))
      << "a delta time of five bytes";
  for (std::size_t n = 0; n < good.size(); ++n) {  // every cut, none read past its end
    EXPECT_FALSE(InspectMidiFile(std::string_view(good).substr(0, n))) << "cut at " << n;
  }
}

}  // namespace
}  // namespace porukami
