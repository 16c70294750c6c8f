// The music without a synthesiser: the game's procedures and loop against a recording device,
// the device's answers to the text commands, and the check of the file it is asked to open.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

#include "app/Frm.h"
#include "sound/mci_command.h"
#include "sound/mci_fluid.h"
#include "sound/mci_midi_file.h"
#include "sound/midi_bytes.h"
#include "support/fakes.h"

namespace porukami {
namespace {

using Strings = std::vector<std::string>;

struct RecordingDevice : MciDevice {
  std::uint32_t SendString(const std::string& command, char* reply, std::uint32_t len) override {
    commands.push_back(command);
    if (command.starts_with("status") && !mode.empty()) std::strncpy(reply, mode.c_str(), len);
    return mode.empty() ? kMciErrInvalidDeviceName : kMciOk;
  }
  Strings commands;
  std::string mode = "playing";  // empty: nothing open, every command fails
};

TEST(Bgm, ProceduresAndTheLoopSendTheirCommands) {
  RecordingDevice device;
  testing::FakeHost host;
  testing::FakeRandom random;
  Frm frm(host, random);
  const std::int16_t musicOn = std::exchange(共用関数::MusicOn, std::int16_t{0});
  共用関数::SetMciDevice(&device);
  共用関数::BgmPlay();  // music off: nothing
  共用関数::MusicOn = -1;
  共用関数::BgmOpen("/home/u/my game\\bgm.mid");
  共用関数::BgmPlay();
  共用関数::BgmStop();
  EXPECT_EQ(device.commands,
            (Strings{"close MIDI notify", "open \"/home/u/my game\\bgm.mid\" alias MIDI",
                     "play MIDI notify", "stop MIDI notify"}));
  // The loop restarts on a "stopped" reply in any case ("": nothing open, the reply unchanged).
  const Strings query = {"status MIDI mode"},
                restart = {"status MIDI mode", "seek MIDI to start", "play MIDI from 0"};
  for (const auto& [mode, sent] :
       std::vector<std::pair<std::string, Strings>>{{"stopped", restart},
                                                    {"STOPPED", restart},
                                                    {"sToPpEd more", restart},
                                                    {"playing", query},
                                                    {"stoppe", query},
                                                    {"", query}}) {
    device.commands.clear();
    device.mode = mode;
    frm.BgmTim_Timer();
    EXPECT_EQ(device.commands, sent) << mode;
  }
  共用関数::SetMciDevice(nullptr);
  共用関数::MusicOn = musicOn;
}

std::string Open(const std::string& path) {
  return "open \"" + path + "\" alias MIDI";
}

// Each command in turn, its answer, and the mode the game reads after it ("": nothing open).
TEST(FluidMciCommandsTest, CommandsInTurnThenAnyText) {
  FluidMciDevice::Options silent;
  silent.output = FluidMciDevice::Output::kOffline;
  silent.soundfont = "/nonexistent/none.sf2";
  FluidMciDevice device(silent);
  testing::TempContent content;
  content.Raw("my game/bgm.mid", testing::MidiFile({{0, 240, 60}}, 480));
  content.Raw("notes.mid", "This is not a sequence.\r\n");
  const std::string dir = content.dir().string(), bgm = dir + "/my game/bgm.mid";
  std::string backslashes = bgm;
  std::replace(backslashes.begin(), backslashes.end(), '/', '\\');
  const struct {
    std::string command;
    std::uint32_t error;
    std::string mode;
  } script[] = {
      {"close MIDI notify", kMciErrInvalidDeviceName, ""},
      {"fly MIDI", kMciErrUnrecognizedCommand, ""},
      {" \t", kMciErrMissingCommandString, ""},
      {Open(dir + "/absent.mid"), kMciErrFileNotFound, ""},
      {Open(dir + "/notes.mid"), kMciErrInvalidFile, ""},
      {Open(dir), kMciErrInvalidFile, ""},  // a folder
      {Open(bgm), kMciOk, "stopped"},
      {Open(bgm), kMciErrDuplicateAlias, "stopped"},
      {"close MIDI notify", kMciOk, ""},
      {Open(dir + "\\my game\\bgm.mid"), kMciOk, "stopped"},
      {"close MIDI", kMciOk, ""},
      {Open(backslashes), kMciOk, "stopped"},
      {"close MIDI", kMciOk, ""},
      {"open \"" + bgm + " alias MIDI", kMciErrNoClosingQuote, ""},
      {Open(bgm), kMciOk, "stopped"},
      {"play MIDI notify", kMciOk, "playing"},
      {"stop MIDI notify", kMciOk, "stopped"},
      {"PLAY midi FROM 0 WAIT", kMciOk, "playing"},  // keywords and alias in any case
      {"seek MIDI to start", kMciOk, "stopped"},
      {"play MIDI from 5", kMciErrOutOfRange, "stopped"},
      {"play OTHER from 5", kMciErrInvalidDeviceName, "stopped"},  // the name comes first
  };
  for (const auto& step : script) {
    EXPECT_EQ(device.SendString(step.command, nullptr, 0), step.error) << step.command;
    char reply[17] = "                ";  // as the game asks: 16 spaces, length 15
    const std::uint32_t e = device.SendString("status MIDI mode", reply, 15);
    EXPECT_EQ(e, step.mode.empty() ? kMciErrInvalidDeviceName : kMciOk) << step.command;
    EXPECT_EQ(reply, step.mode.empty() ? std::string(16, ' ') : step.mode) << step.command;
  }
  char small[8] = "xxxxxxx";
  EXPECT_EQ(device.SendString("status MIDI mode", small, 4), kMciErrParamOverflow);
  EXPECT_EQ(std::string(small, 5), std::string("sto\0x", 5));

  // Any text, any reply length: nothing is written past the length, and a reply ends in a NUL.
  Strings words = {"\"" + bgm + "\"", std::string(1, '\0'), "\"", "\\"};
  std::istringstream in(
      "open close play stop seek status MIDI all alias from to start end mode "
      "0 -1 wait type sequencer 99999999999999999999");
  for (std::string w; in >> w;) words.push_back(w);
  std::mt19937 gen(12345);  // fixed, so that a failure repeats
  for (int round = 0; round < 3000; ++round) {
    std::string command;
    for (int i = static_cast<int>(gen() % 7); i > 0; --i) {
      command += gen() % 8 == 0 ? std::string(1, char(gen())) : words[gen() % words.size()];
      if (gen() % 4 != 0) command += ' ';
    }
    char buffer[25] = "########################";
    const std::uint32_t len = gen() % 9;
    device.SendString(command, buffer, len);
    const std::string written(buffer, len);
    ASSERT_EQ(std::string(buffer + len, 24 - len), std::string(24 - len, '#')) << command;
    ASSERT_TRUE(written == std::string(len, '#') || written.find('\0') != std::string::npos)
        << command;
  }
}

TEST(InspectMidiFile, MeasuresTheLongestTrackAndRefusesWhatThePlayerCannotPlay) {
  using testing::Chunk, testing::Header, testing::TrackEvents;
  const auto info =
      InspectMidiFile(Header(1, 2) + Chunk("MTrk", TrackEvents({{0, 100, 60}}, 500)) +
                      Chunk("XTRA", "skipped") + Chunk("MTrk", TrackEvents({}, 1500)));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->totalTicks, 1500);
  // Running status, and a track that stops without its end event.
  const std::string running("\x00\x90\x3C\x64\x10\x3E\x64\x81\x00\x3C\x00", 11);
  EXPECT_EQ(InspectMidiFile(Header(0, 1) + Chunk("MTrk", running))->totalTicks, 0x10 + 0x80);
  const std::string good = testing::MidiFile({{0, 240, 60}}, 480), tracks = good.substr(14);
  EXPECT_FALSE(InspectMidiFile("RIFF....WAVEfmt "));
  EXPECT_FALSE(InspectMidiFile(Header(0, 1, 0xE728) + tracks)) << "SMPTE timing";
  EXPECT_FALSE(InspectMidiFile(Header(0, 2) + tracks)) << "a track missing";
  EXPECT_FALSE(InspectMidiFile(Header(0, 1) + Chunk("MTrk", std::string("\x00\x3C\x64", 3))))
      << "data with no status";
  EXPECT_FALSE(InspectMidiFile(Header(0, 1) + Chunk("MTrk", "\xFF\xFF\xFF\xFF\x7F")))
      << "a delta time of five bytes";
  for (std::size_t n = 0; n < good.size(); ++n)  // every cut, none read past its end
    EXPECT_FALSE(InspectMidiFile(std::string_view(good).substr(0, n))) << "cut at " << n;
}

}  // namespace
}  // namespace porukami
