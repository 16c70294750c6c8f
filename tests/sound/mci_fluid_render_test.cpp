// The music device with the synthesiser behind it: sound rendered offline, the end of the sequence
// and the game's loop at the sample level, and the real-time outputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/Frm.h"
#include "sound/fluid_api.h"
#include "sound/mci_fluid.h"
#include "sound/midi_bytes.h"
#include "support/fakes.h"

namespace porukami {
namespace {

using Output = FluidMciDevice::Output;
using namespace std::chrono_literals;

FluidMciDevice::Options With(Output output, std::string soundfont = "") {
  FluidMciDevice::Options o;
  o.output = output;
  o.soundfont = std::move(soundfont);
  return o;
}

std::string ModeOf(FluidMciDevice& device) {
  std::array<char, 16> reply{};
  device.SendString("status MIDI mode", reply.data(), 15);
  return reply.data();
}

class FluidMciRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two notes in the first half second, silence to the end at one second.
    content.Raw("bgm.mid", testing::MidiFile({{0, 240, 60}, {240, 240, 64}}, 960));
    if (!device.WaitForBackend(30s)) GTEST_SKIP() << "no General MIDI soundfont installed";
    rate = device.sampleRate();
  }
  std::uint32_t Open(FluidMciDevice& d) {
    return d.SendString("open \"" + bgm + "\" alias MIDI", nullptr, 0);
  }
  // Renders the left channel in blocks of `block` frames, as an audio driver's periods.
  template <typename F>
  void Render(long frames, F afterBlock) {
    std::vector<float> left(static_cast<std::size_t>(block)), right(left.size());
    for (long done = 0; done < frames; done += block) {
      device.RenderOffline(left.data(), right.data(), block);
      sound.insert(sound.end(), left.begin(), left.end());
      afterBlock();
    }
  }
  float Peak(long from, long to) const {
    float peak = 0;
    for (long i = std::max(from, 0L); i < std::min<long>(to, sound.size()); ++i) {
      peak = std::max(peak, std::fabs(sound[i]));
    }
    return peak;
  }
  long Onset(long from, float level) const {
    for (long i = from; i < static_cast<long>(sound.size()); ++i) {
      if (std::fabs(sound[i]) > level) return i;
    }
    return -1;
  }

  testing::TempContent content;
  std::string bgm = (content.dir() / "bgm.mid").string();
  FluidMciDevice device{With(Output::kOffline)};
  std::vector<float> sound;
  int block = 64;
  long rate = 0;  // and the length of the piece in frames
};

TEST_F(FluidMciRenderTest, PlaysAndReportsStoppedRightAtTheEnd) {
  int ends = 0;
  device.SetEndListener([&] { ++ends; });
  ASSERT_EQ(Open(device), kMciOk);
  ASSERT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciOk);
  long stoppedAt = -1;
  Render(rate * 3 / 2, [&] {
    if (stoppedAt < 0 && ModeOf(device) == "stopped") stoppedAt = static_cast<long>(sound.size());
  });
  EXPECT_GT(Peak(0, rate / 2), 0.01f) << "the notes are heard";
  EXPECT_GE(stoppedAt, rate - block) << "not before the end";
  EXPECT_LE(stoppedAt, rate + 2L * block) << "the synthesiser's own report comes seconds later";
  EXPECT_EQ(ends, 1);
}

TEST_F(FluidMciRenderTest, AMissingFileStaysSilent) {
  EXPECT_EQ(device.SendString("open \"" + bgm + ".none\" alias MIDI", nullptr, 0),
            kMciErrFileNotFound);
  EXPECT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciErrInvalidDeviceName);
  Render(rate / 2, [] {});
  EXPECT_LT(Peak(0, rate), 1e-5f) << "nothing above the reverb's anti-denormal offset";
}

TEST_F(FluidMciRenderTest, APlaySentBeforeTheSoundfontIsReadyIsKept) {
  FluidMciDevice early(With(Output::kOffline));
  ASSERT_EQ(Open(early), kMciOk);
  ASSERT_EQ(early.SendString("play MIDI notify", nullptr, 0), kMciOk);
  ASSERT_TRUE(early.WaitForBackend(30s));
  std::vector<float> left(static_cast<std::size_t>(rate / 2)), right(left.size());
  ASSERT_TRUE(early.RenderOffline(left.data(), right.data(), static_cast<int>(rate / 2)));
  EXPECT_GT(*std::max_element(left.begin(), left.end()), 0.01f);
}

// A window defers the synthesiser until its first frame is up: commands are taken meanwhile, and
// the loading begins at BeginLoading.
TEST_F(FluidMciRenderTest, ADeferredDeviceLoadsOnlyWhenToldAndKeepsWhatItWasSent) {
  FluidMciDevice::Options o = With(Output::kOffline);
  o.deferLoading = true;
  FluidMciDevice late(o);
  ASSERT_EQ(Open(late), kMciOk);
  ASSERT_EQ(late.SendString("play MIDI notify", nullptr, 0), kMciOk);
  EXPECT_FALSE(late.WaitForBackend(300ms));
  EXPECT_EQ(late.backend(), FluidMciDevice::Backend::kLoading);
  late.BeginLoading();
  ASSERT_TRUE(late.WaitForBackend(30s));
  std::vector<float> left(static_cast<std::size_t>(rate / 2)), right(left.size());
  ASSERT_TRUE(late.RenderOffline(left.data(), right.data(), static_cast<int>(rate / 2)));
  EXPECT_GT(*std::max_element(left.begin(), left.end()), 0.01f);
}

TEST(FluidMciDeviceTest, ADeferredDeviceIsDestroyedAtOnceWhenNeverToldToLoad) {
  FluidMciDevice::Options o;
  o.output = FluidMciDevice::Output::kOffline;
  o.deferLoading = true;
  const auto start = std::chrono::steady_clock::now();
  { FluidMciDevice device(o); }
  EXPECT_LT(std::chrono::steady_clock::now() - start, FluidMciDevice::kDeferLimit / 2);
}

TEST(FluidMciDeviceTest, FluidSynthIsFoundAtRunTime) {
  std::string why;
  EXPECT_NE(LoadFluidApi(&why), nullptr) << why;
  EXPECT_EQ(why, "");
}

// The end is reported after the output block that ends nearest to it, so the game's restart lands
// within half a block of the true end (plus the player's millisecond clock), whatever the block.
class FluidMciLoopTest : public FluidMciRenderTest, public ::testing::WithParamInterface<int> {};

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
  共用関数::BgmOpen(bgm);
  共用関数::BgmPlay();
  Render(rate * 5 / 2, [&] { frm.BgmTim_Timer(); });  // the music timer ticks after each block
  共用関数::SetMciDevice(nullptr);
  共用関数::MusicOn = musicOn;

  const float level = 0.1f * Peak(0, rate);
  ASSERT_LT(Peak(rate - rate / 10, rate - block), level)
      << "the first pass dies away before its end";
  const long first = Onset(0, level);
  const long second = Onset(rate - rate / 10, level);
  const long third = Onset(2 * rate - rate / 10, level);
  ASSERT_GE(first, 0);
  ASSERT_GT(third, second);
  const double bound = std::min(5.0, 500.0 * block / rate + 1.2);
  const double gap = 1000.0 * (second - first - rate) / rate;
  EXPECT_LE(std::fabs(gap), bound);
  EXPECT_LE(std::fabs(1000.0 * (third - second - rate) / rate), bound);
  EXPECT_EQ(ends, 2);
  RecordProperty("loop_gap_ms", std::to_string(gap));
}

TEST(FluidMciDeviceTest, WithoutASoundfontItStaysPlayingSilently) {
  testing::TempContent content;
  content.Raw("bgm.mid", testing::MidiFile({{0, 240, 60}}, 480));
  FluidMciDevice device(With(Output::kOffline, (content.dir() / "missing.sf2").string()));
  EXPECT_FALSE(device.WaitForBackend(30s));
  ASSERT_EQ(device.SendString("open \"" + (content.dir() / "bgm.mid").string() + "\" alias MIDI",
                              nullptr, 0),
            kMciOk);
  ASSERT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciOk);
  std::vector<float> left(44100, 1.0f), right(left.size(), 1.0f);
  EXPECT_FALSE(device.RenderOffline(left.data(), right.data(), static_cast<int>(left.size())));
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0.0f);
  EXPECT_EQ(ModeOf(device), "playing") << "so the game's loop never fires";
}

// The system's sound output, whatever this machine has (often nothing): not a word on the terminal.
TEST(FluidMciDeviceTest, TheSystemOutputPrintsNothing) {
  testing::TempContent content;
  content.Raw("bgm.mid", testing::MidiFile({{0, 240, 60}}, 480));
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  {
    FluidMciDevice device;
    device.WaitForBackend(30s);
    device.SendString("open \"" + (content.dir() / "bgm.mid").string() + "\" alias MIDI", nullptr,
                      0);
    device.SendString("play MIDI notify", nullptr, 0);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(FluidMciDeviceTest, TheClockOutputReachesTheEndByItself) {
  testing::TempContent content;
  content.Raw("bgm.mid", testing::MidiFile({{0, 48, 72}}, 96));  // a tenth of a second
  FluidMciDevice device(With(Output::kNullClock));
  if (!device.WaitForBackend(30s)) GTEST_SKIP() << "no General MIDI soundfont installed";
  std::mutex mutex;
  std::condition_variable ended;
  std::thread::id caller;
  device.SetEndListener([&] {
    const std::lock_guard lock(mutex);
    caller = std::this_thread::get_id();
    ended.notify_all();
  });
  ASSERT_EQ(device.SendString("open \"" + (content.dir() / "bgm.mid").string() + "\" alias MIDI",
                              nullptr, 0),
            kMciOk);
  ASSERT_EQ(device.SendString("play MIDI notify", nullptr, 0), kMciOk);
  std::unique_lock lock(mutex);
  ASSERT_TRUE(ended.wait_for(lock, 10s, [&] { return caller != std::thread::id(); }));
  EXPECT_NE(caller, std::this_thread::get_id()) << "called on the device's own thread";
  EXPECT_EQ(ModeOf(device), "stopped");
}

}  // namespace
}  // namespace porukami
