// The gap at the music's loop point, measured on the sound itself.
//
//   bench_loop_gap FILE.mid [--period=FRAMES]
//
// Two music devices render the piece offline in blocks of FRAMES (the sound card's period; the
// device's default is 256), from the same start. The first plays it once; the second is the
// game's: at each end it reports, the music timer's tick (BgmTim_Timer) runs before the next
// block, as the window's queued tick does. Up to the loop point both sounds are the same sample
// for sample, so their difference is the second pass alone: its first audible sample is where the
// second pass begins. The end of the sequence is the first pass's first audible sample plus the
// piece's length from its tempo map.
//
// Prints: length_s, end_frame, restart_frame, gap_ms (restart - end; negative: early).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "sound/mci.h"
#include "sound/mci_fluid.h"

namespace {

using porukami::FluidMciDevice;

// The length of a Standard MIDI File in seconds: the longest track, through the tempo map.
std::optional<double> MidiSeconds(const std::string& b) {
  auto u32 = [&](std::size_t i) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 2])) << 8) |
           static_cast<unsigned char>(b[i + 3]);
  };
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
  if (b.size() < 14 || b.compare(0, 4, "MThd") != 0) return std::nullopt;
  const int tracks = byte(10) << 8 | byte(11);
  const int division = byte(12) << 8 | byte(13);
  if (division <= 0 || division & 0x8000) return std::nullopt;
  std::map<std::int64_t, double> tempo{{0, 500000.0}};  // tick -> microseconds a quarter
  std::int64_t last = 0;
  std::size_t pos = 8 + u32(4);
  for (int t = 0; t < tracks && pos + 8 <= b.size(); ++t) {
    if (b.compare(pos, 4, "MTrk") != 0) return std::nullopt;
    const std::size_t end = pos + 8 + u32(pos + 4);
    if (end > b.size()) return std::nullopt;
    std::size_t i = pos + 8;
    std::int64_t tick = 0;
    unsigned status = 0;
    auto varlen = [&] {
      std::uint32_t v = 0;
      while (i < end) {
        const unsigned c = byte(i++);
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
      }
      return v;
    };
    while (i < end) {
      tick += varlen();
      if (i >= end) break;
      if (byte(i) & 0x80) status = byte(i++);
      if (status == 0xFF) {
        const unsigned type = byte(i++);
        const std::uint32_t len = varlen();
        if (type == 0x51 && len == 3) {
          tempo[tick] = static_cast<double>(byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2));
        }
        i += len;
        if (type == 0x2F) break;
      } else if (status == 0xF0 || status == 0xF7) {
        i += varlen();
      } else {
        const unsigned kind = status & 0xF0;
        i += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      }
    }
    last = std::max(last, tick);
    pos = end;
  }
  double seconds = 0;
  for (auto it = tempo.begin(); it != tempo.end() && it->first < last; ++it) {
    const auto next = std::next(it);
    const std::int64_t until = next == tempo.end() ? last : std::min(next->first, last);
    seconds += static_cast<double>(until - it->first) * it->second * 1e-6 / division;
  }
  return seconds;
}

struct Render {
  std::vector<float> left, right;
};

// Renders `frames` of the piece; with `frm`, the game's music timer restarts it at each end.
Render Play(const std::string& midi, int period, long frames, porukami::Frm* frm) {
  FluidMciDevice::Options o;
  o.output = FluidMciDevice::Output::kOffline;
  o.periodFrames = period;
  FluidMciDevice device(o);
  Render r;
  if (!device.WaitForBackend(std::chrono::seconds(30))) return r;
  bool ended = false;
  device.SetEndListener([&ended] { ended = true; });
  共用関数::SetMciDevice(&device);
  共用関数::MusicOn = -1;
  共用関数::BgmOpen(midi);
  共用関数::BgmPlay();
  std::vector<float> l(static_cast<std::size_t>(period)), rt(l.size());
  for (long done = 0; done < frames; done += period) {
    device.RenderOffline(l.data(), rt.data(), period);
    r.left.insert(r.left.end(), l.begin(), l.end());
    r.right.insert(r.right.end(), rt.begin(), rt.end());
    if (frm != nullptr && ended) {
      ended = false;
      frm->BgmTim_Timer();
    }
  }
  共用関数::SetMciDevice(nullptr);
  return r;
}

long Onset(const std::vector<float>& a, const std::vector<float>* minus, long from, float level) {
  for (long i = std::max(from, 0L); i < static_cast<long>(a.size()); ++i) {
    const float v = minus ? a[i] - (*minus)[i] : a[i];
    if (std::fabs(v) > level) return i;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE.mid [--period=FRAMES]\n", argv[0]);
    return 2;
  }
  const std::string midi = argv[1];
  int period = 256;
  for (int i = 2; i < argc; ++i) {
    if (std::strncmp(argv[i], "--period=", 9) == 0) period = std::atoi(argv[i] + 9);
  }
  std::ifstream in(midi, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto seconds = MidiSeconds(bytes);
  if (!seconds || *seconds <= 0) {
    std::fprintf(stderr, "%s: not a MIDI file with ticks per quarter note\n", midi.c_str());
    return 1;
  }
  const int rate = 44100;
  const long frames = static_cast<long>((*seconds + 2.0) * rate);

  porukami::bench::BenchHost host(".");
  porukami::bench::FixedRandom random;
  porukami::Frm frm(host, random);
  const Render once = Play(midi, period, frames, nullptr);
  const Render looped = Play(midi, period, frames, &frm);
  if (once.left.empty() || looped.left.size() != once.left.size()) {
    std::fprintf(stderr, "no soundfont: the music cannot be rendered\n");
    return 1;
  }
  // Above the reverb's anti-denormal noise, far below any note.
  const float level = 1e-3f;
  const long first = Onset(once.left, nullptr, 0, level);
  const double length = *seconds * rate;
  const long end = first + std::lround(length);
  // The two renders agree until the restart; their difference shows where it sounds.
  const long restart = std::min(Onset(looped.left, &once.left, first + 1, level) < 0
                                    ? frames
                                    : Onset(looped.left, &once.left, first + 1, level),
                                Onset(looped.right, &once.right, first + 1, level) < 0
                                    ? frames
                                    : Onset(looped.right, &once.right, first + 1, level));
  if (first < 0 || restart >= frames) {
    std::fprintf(stderr, "the piece was not heard, or did not restart\n");
    return 1;
  }
  std::printf(
      "period=%d length_s=%.4f first_sound_frame=%ld end_frame=%ld restart_frame=%ld "
      "gap_ms=%.3f\n",
      period, *seconds, first, end, restart, 1000.0 * (restart - end) / rate);
  return 0;
}
