// The music device with the synthesiser behind it: sound rendered offline, the game's loop at the
// sample level, a soundfont loaded late or never, and the system's sound output.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "app/Frm.h"
#include "sound/fluid_api.h"
#include "sound/mci_fluid.h"
#include "sound/midi_bytes.h"
#include "support/fakes.h"

namespace porukami {
namespace {

using namespace std::chrono_literals;

FluidMciDevice::Options Offline(std::string soundfont = "", bool defer = false) {
  FluidMciDevice::Options o;
  o.output = FluidMciDevice::Output::kOffline;
  o.soundfont = std::move(soundfont);
  o.deferLoading = defer;
  return o;
}

std::uint32_t OpenAndPlay(FluidMciDevice& device, const std::filesystem::path& file) {
  const std::uint32_t e =
      device.SendString("open \"" + file.string() + "\" alias MIDI", nullptr, 0);
  return e != kMciOk ? e : device.SendString("play MIDI notify", nullptr, 0);
}

struct FluidMciRenderTest : ::testing::Test {
  void SetUp() override {
    // Two notes in the first half second, silence to the end at one second.
    content.Raw("bgm.mid", testing::MidiFile({{0, 240, 60}, {240, 240, 64}}, 960));
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
  RecordProperty("loop_gap_ms", std::to_string(gap));
}

TEST(FluidMciDeviceTest, WithoutASoundfontItStaysPlayingSilently) {
  std::string why;
  EXPECT_NE(LoadFluidApi(&why), nullptr) << why;  // FluidSynth itself is found at run time
  EXPECT_EQ(why, "");
  testing::TempContent content;
  content.Raw("bgm.mid", testing::MidiFile({{0, 240, 60}}, 480));
  FluidMciDevice device(Offline((content.dir() / "missing.sf2").string()));
  EXPECT_FALSE(device.WaitForBackend(30s));
  ASSERT_EQ(OpenAndPlay(device, content.dir() / "bgm.mid"), kMciOk);
  std::vector<float> left(44100, 1.0f), right(left.size(), 1.0f);
  EXPECT_FALSE(device.RenderOffline(left.data(), right.data(), static_cast<int>(left.size())));
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0.0f);
  char mode[16] = "";
  device.SendString("status MIDI mode", mode, 15);
  EXPECT_STREQ(mode, "playing") << "so the game's loop never fires";

  // The system's sound output, whatever this machine has (often nothing): not a word printed.
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  {
    FluidMciDevice system;
    system.WaitForBackend(30s);
    OpenAndPlay(system, content.dir() / "bgm.mid");
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace porukami
