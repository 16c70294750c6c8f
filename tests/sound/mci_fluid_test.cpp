// The music: the game's procedures and loop against a recording device, the FluidSynth device's
// answers to the text commands and its check of the file, then with the synthesiser behind it:
// sound rendered offline, the loop at the sample level, a soundfont loaded late or never.
#include "sound/mci_fluid.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#include "app/Frm.h"
#include "sound/fluid_api.h"
#include "sound/mci_command.h"
#include "sound/mci_midi_file.h"
#include "support/fakes.h"

namespace porukami {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

std::string VarLen(std::uint32_t v) {
  std::string out(1, char(v & 0x7F));
  while ((v >>= 7) != 0) out.insert(out.begin(), char(0x80 | (v & 0x7F)));
  return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
  const auto n = static_cast<std::uint32_t>(body.size());
  return id + std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + body;
}

std::string Header(int format, int tracks, int division = 480) {
  return Chunk("MThd", {0, char(format), 0, char(tracks), char(division >> 8), char(division)});
}

// A track at 120 beats a minute, 480 ticks a quarter note (960 a second), piano: the notes
// {ticks, key} one after another from the start, the end of the track at tick `end`.
std::string Track(const std::vector<std::pair<int, char>>& notes, int end) {
  std::string body("\0\xFF\x51\x03\x07\xA1\x20\0\xC0\0", 10);
  for (const auto& [ticks, key] : notes) {
    body += std::string{0, '\x90', key, 100} + VarLen(ticks) + std::string{'\x80', key, 0};
    end -= ticks;
  }
  return Chunk("MTrk", body + VarLen(end) + std::string("\xFF\x2F\0", 3));
}

std::string Midi(const std::vector<std::pair<int, char>>& notes, int end) {
  return Header(0, 1) + Track(notes, end);
}

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
  const std::int16_t musicOn = std::exchange(共用関数::MusicOn, std::int16_t{-1});
  共用関数::SetMciDevice(&device);
  共用関数::BgmOpen("/home/u/my game\\bgm.mid");
  共用関数::BgmPlay();
  共用関数::BgmStop();
  EXPECT_EQ(device.commands,
            (Strings{"close MIDI notify", "open \"/home/u/my game\\bgm.mid\" alias MIDI",
                     "play MIDI notify", "stop MIDI notify"}));
  // The loop restarts on a "stopped" reply in any case: the first three here ("": nothing open,
  // the reply unchanged).
  const char* const modes[] = {"stopped", "STOPPED", "sToPpEd more", "playing", "stoppe", ""};
  const Strings restart = {"status MIDI mode", "seek MIDI to start", "play MIDI from 0"};
  for (int i = 0; i < 6; ++i) {
    device.commands = {};
    device.mode = modes[i];
    frm.BgmTim_Timer();
    EXPECT_EQ(device.commands, i < 3 ? restart : Strings{"status MIDI mode"}) << modes[i];
  }
  共用関数::SetMciDevice(nullptr);
  共用関数::MusicOn = musicOn;
}

std::string Open(const std::filesystem::path& file) {
  return "open \"" + file.string() + "\" alias MIDI";
}

FluidMciDevice::Options Offline(std::string soundfont = "", bool defer = false) {
  FluidMciDevice::Options o;
  o.output = FluidMciDevice::Output::kOffline;
  o.soundfont = std::move(soundfont);
  o.deferLoading = defer;
  return o;
}

// Each command in turn, its answer and the mode the game reads after it ("": nothing open); then
// any text with any reply length: nothing is written past the length, a reply ends in a NUL.
TEST(FluidMciCommandsTest, CommandsInTurnThenAnyText) {
  FluidMciDevice device(Offline("/nonexistent/none.sf2"));
  testing::TempContent content;
  content.Raw("my game/bgm.mid", Midi({{240, 60}}, 480));
  content.Raw("notes.mid", "This is not a sequence.\r\n");
  const std::string dir = content.dir().string(), bgm = dir + "/my game/bgm.mid";
  std::string backslashes = bgm;
  std::replace(backslashes.begin(), backslashes.end(), '/', '\\');
  const std::tuple<std::string, std::uint32_t, std::string> script[] = {
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
  for (const auto& [command, error, mode] : script) {
    EXPECT_EQ(device.SendString(command, nullptr, 0), error) << command;
    char reply[17] = "                ";  // as the game asks: 16 spaces, length 15
    const std::uint32_t e = device.SendString("status MIDI mode", reply, 15);
    EXPECT_EQ(e, mode.empty() ? kMciErrInvalidDeviceName : kMciOk) << command;
    EXPECT_EQ(reply, mode.empty() ? std::string(16, ' ') : mode) << command;
  }
  char small[8] = "xxxxxxx";
  EXPECT_EQ(device.SendString("status MIDI mode", small, 4), kMciErrParamOverflow);
  EXPECT_EQ(std::string(small, 5), std::string("sto\0x", 5));

  Strings words = {"\"" + bgm + "\"", std::string(1, '\0')};
  std::istringstream in(
      "open close play stop seek status MIDI all alias from to start end mode 0 "
      "-1 wait type sequencer 99999999999999999999 \" \\ \x80 \t");
  for (std::string w; in >> w;) words.push_back(w);
  std::mt19937 gen(12345);  // fixed, so that a failure repeats
  for (int round = 0; round < 3000; ++round) {
    std::string command;
    for (int i = static_cast<int>(gen() % 7); i > 0; --i)
      command += words[gen() % words.size()] + (gen() % 4 != 0 ? " " : "");
    char buffer[25] = "########################";
    const std::uint32_t len = gen() % 9;
    device.SendString(command, buffer, len);
    ASSERT_EQ(std::string(buffer + len, 24 - len), std::string(24 - len, '#')) << command;
    ASSERT_TRUE(std::string(buffer, len) == std::string(len, '#') || std::memchr(buffer, 0, len))
        << command;
  }
}

TEST(InspectMidiFile, MeasuresTheLongestTrackAndRefusesWhatThePlayerCannotPlay) {
  const auto info = InspectMidiFile(Header(1, 2) + Track({{100, 60}}, 500) +
                                    Chunk("XTRA", "skipped") + Track({}, 1500));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->totalTicks, 1500);
  // Running status, and a track that stops without its end event.
  const std::string running("\x00\x90\x3C\x64\x10\x3E\x64\x81\x00\x3C\x00", 11);
  EXPECT_EQ(InspectMidiFile(Header(0, 1) + Chunk("MTrk", running))->totalTicks, 0x10 + 0x80);
  const std::string good = Midi({{240, 60}}, 480), track = good.substr(14);
  for (const std::string& bad :
       {std::string("RIFF....WAVEfmt "), Header(0, 1, 0xE728) + track /* SMPTE timing */,
        Header(0, 2) + track /* a track missing */,
        Header(0, 1) + Chunk("MTrk", std::string("\x00\x3C\x64", 3)) /* data, no status */,
        Header(0, 1) + Chunk("MTrk", "\xFF\xFF\xFF\xFF\x7F") /* a delta of five bytes */})
    EXPECT_FALSE(InspectMidiFile(bad));
  for (std::size_t n = 0; n < good.size(); ++n)  // every cut, none read past its end
    EXPECT_FALSE(InspectMidiFile(std::string_view(good).substr(0, n))) << "cut at " << n;
}

struct FluidMciRenderTest : ::testing::Test {
  void SetUp() override {
    // Two notes in the first half second, silence to the end at one second.
    content.Raw("bgm.mid", Midi({{240, 60}, {240, 64}}, 960));
    if (!device.WaitForBackend(30s)) GTEST_SKIP() << "no General MIDI soundfont installed";
    rate = device.sampleRate();
  }
  // Renders the left channel of `d` in blocks of `block` frames, as an audio driver's periods.
  void Render(
      FluidMciDevice& d, long frames, const std::function<void()>& afterBlock = [] {}) {
    std::vector<float> left(static_cast<std::size_t>(block)), right(left.size());
    for (long done = 0; done < frames; done += block) {
      d.RenderOffline(left.data(), right.data(), block);
      for (float f : left) sound.push_back(std::fabs(f));
      afterBlock();
    }
  }
  float Peak(long from, long to) const {
    return *std::max_element(sound.begin() + from,
                             sound.begin() + std::min<long>(to, sound.size()));
  }
  long Onset(long from, float level) const {
    return std::find_if(sound.begin() + from, sound.end(), [&](float f) { return f > level; }) -
           sound.begin();
  }
  std::uint32_t OpenAndPlay(FluidMciDevice& d, const std::filesystem::path& file) {
    const std::uint32_t e = d.SendString(Open(file), nullptr, 0);
    return e != kMciOk ? e : d.SendString("play MIDI notify", nullptr, 0);
  }

  testing::TempContent content;
  std::filesystem::path bgm = content.dir() / "bgm.mid";
  FluidMciDevice device{Offline()};
  std::vector<float> sound;  // magnitudes
  int block = 64;
  long rate = 0;  // and the length of the piece in frames
};

TEST_F(FluidMciRenderTest, AMissingFileStaysSilent) {
  EXPECT_EQ(OpenAndPlay(device, content.dir() / "none.mid"), kMciErrFileNotFound);
  EXPECT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciErrInvalidDeviceName);
  Render(device, rate / 2);
  EXPECT_LT(Peak(0, rate), 1e-5f) << "nothing above the reverb's anti-denormal offset";
}

// A play sent while the soundfont loads is kept. A window defers the loading until its first
// frame is up: such a device takes commands meanwhile, loads only when told, and is gone at once
// when never told.
TEST_F(FluidMciRenderTest, APlaySentBeforeTheSoundfontIsReadyIsKept) {
  for (const bool defer : {false, true}) {
    FluidMciDevice late(Offline("", defer));
    ASSERT_EQ(OpenAndPlay(late, bgm), kMciOk);
    if (defer) {
      EXPECT_FALSE(late.WaitForBackend(300ms));
      EXPECT_EQ(late.backend(), FluidMciDevice::Backend::kLoading);
      late.BeginLoading();
    }
    ASSERT_TRUE(late.WaitForBackend(30s));
    sound.clear();
    Render(late, rate / 2);
    EXPECT_GT(Peak(0, rate / 2), 0.01f) << defer;
  }
  const auto start = std::chrono::steady_clock::now();
  { FluidMciDevice never(Offline("", true)); }
  EXPECT_LT(std::chrono::steady_clock::now() - start, FluidMciDevice::kDeferLimit / 2);
}

// The end is reported after the output block that ends nearest to it, so the game's restart lands
// within half a block of the true end (plus the player's millisecond clock), whatever the block.
struct FluidMciLoopTest : FluidMciRenderTest, ::testing::WithParamInterface<int> {};
INSTANTIATE_TEST_SUITE_P(Periods, FluidMciLoopTest, ::testing::Values(64, 128, 256));

TEST_P(FluidMciLoopTest, TheGamesLoopStartsEachPassOnTime) {
  block = GetParam();
  testing::FakeHost host;
  testing::FakeRandom random;
  Frm frm(host, random);
  const std::int16_t musicOn = std::exchange(共用関数::MusicOn, std::int16_t{-1});
  共用関数::SetMciDevice(&device);
  int ends = 0;
  device.SetEndListener([&] { ++ends; });
  共用関数::BgmOpen(bgm.string());
  共用関数::BgmPlay();
  Render(device, rate * 5 / 2, [&] { frm.BgmTim_Timer(); });  // the music timer after each block
  共用関数::SetMciDevice(nullptr);
  共用関数::MusicOn = musicOn;

  const float level = 0.1f * Peak(0, rate);
  ASSERT_LT(Peak(rate - rate / 10, rate - block), level)
      << "the first pass dies away before its end";
  const long first = Onset(0, level), second = Onset(rate - rate / 10, level),
             third = Onset(2 * rate - rate / 10, level);
  ASSERT_GT(third, second);
  const double bound = std::min(5.0, 500.0 * block / rate + 1.2);
  const double gap = 1000.0 * (second - first - rate) / rate;
  EXPECT_LE(std::fabs(gap), bound);
  EXPECT_LE(std::fabs(1000.0 * (third - second - rate) / rate), bound);
  EXPECT_EQ(ends, 2);
}

// With no soundfont the device takes every command and stays "playing", silently.
TEST(FluidMciDeviceTest, WithoutASoundfontItStaysPlayingSilently) {
  std::string why;
  EXPECT_NE(LoadFluidApi(&why), nullptr) << why;  // FluidSynth itself is found at run time
  EXPECT_EQ(why, "");
  testing::TempContent content;
  content.Raw("bgm.mid", Midi({{240, 60}}, 480));
  const std::string open = Open(content.dir() / "bgm.mid");
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  {  // the system's sound output, whatever this machine has (often nothing): not a word printed
    FluidMciDevice system;
    system.WaitForBackend(30s);
    system.SendString(open, nullptr, 0);
    system.SendString("play MIDI notify", nullptr, 0);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  FluidMciDevice device(Offline((content.dir() / "none.sf2").string()));
  EXPECT_FALSE(device.WaitForBackend(30s));
  EXPECT_EQ(device.SendString(open, nullptr, 0), kMciOk);
  EXPECT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciOk);
  std::vector<float> left(44100, 1.0f), right(left.size(), 1.0f);
  EXPECT_FALSE(device.RenderOffline(left.data(), right.data(), 44100));
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0.0f);
  char mode[16] = "";
  device.SendString("status MIDI mode", mode, 15);
  EXPECT_STREQ(mode, "playing") << "so the game's loop never fires";
}

}  // namespace
}  // namespace porukami
