// The cost of the music alone: plays a MIDI file in a loop through FluidSynth, with no game and no
// window, for a number of seconds in real time, and prints the CPU it took.
//
//   synth_alone FILE.mid [SECONDS=10] [--output=file|null] [--soundfont=PATH] [--period=FRAMES]
//
// --output=file  FluidSynth's own "file" audio driver, writing raw samples to /dev/null; it keeps
//                real time by itself.
// --output=null  no driver: this program renders blocks of --period frames and sleeps between them
//                to keep real time, the way a sound card's callback would be driven.
//
// Prints one line: cpu_percent (user + system time over wall time, of one core), wall_s,
// max_rss_kb.
#include <fluidsynth.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long MaxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Drop(int, const char*, void*) {}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s FILE.mid [SECONDS] [--output=file|null] [--soundfont=PATH] "
                 "[--period=FRAMES]\n",
                 argv[0]);
    return 2;
  }
  std::string midi = argv[1];
  double seconds = 10;
  std::string output = "null";
  std::string soundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  int period = 64;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.rfind("--output=", 0) == 0) {
      output = arg.substr(9);
    } else if (arg.rfind("--soundfont=", 0) == 0) {
      soundfont = arg.substr(12);
    } else if (arg.rfind("--period=", 0) == 0) {
      period = std::atoi(argv[i] + 9);
    } else {
      seconds = std::atof(argv[i]);
    }
  }
  if (period < 64) period = 64;
  for (int level = 0; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, Drop, nullptr);

  fluid_settings_t* settings = new_fluid_settings();
  const int rate = 44100;
  fluid_settings_setnum(settings, "synth.sample-rate", rate);
  fluid_settings_setint(settings, "player.reset-synth", 0);
  fluid_settings_setint(settings, "audio.period-size", period);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (fluid_synth_sfload(synth, soundfont.c_str(), 1) == FLUID_FAILED) {
    std::fprintf(stderr, "cannot load the soundfont %s\n", soundfont.c_str());
    return 1;
  }
  fluid_player_t* player = new_fluid_player(synth);
  if (fluid_player_add(player, midi.c_str()) == FLUID_FAILED) {
    std::fprintf(stderr, "cannot read %s\n", midi.c_str());
    return 1;
  }
  fluid_player_set_loop(player, -1);

  const double cpuBefore = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const auto until = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(seconds));
  fluid_player_play(player);
  if (output == "file") {
    fluid_settings_setstr(settings, "audio.driver", "file");
    fluid_settings_setstr(settings, "audio.file.name", "/dev/null");
    fluid_settings_setstr(settings, "audio.file.type", "raw");
    fluid_audio_driver_t* driver = new_fluid_audio_driver(settings, synth);
    if (driver == nullptr) {
      std::fprintf(stderr, "the file driver did not start\n");
      return 1;
    }
    std::this_thread::sleep_until(until);
    delete_fluid_audio_driver(driver);
  } else {
    std::vector<float> left(static_cast<std::size_t>(period));
    std::vector<float> right(left.size());
    const auto step = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(static_cast<double>(period) / rate));
    auto next = start;
    while (next < until) {
      fluid_synth_write_float(synth, period, left.data(), 0, 1, right.data(), 0, 1);
      next += step;
      std::this_thread::sleep_until(next);
    }
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuSeconds() - cpuBefore;
  std::printf("output=%s period=%d cpu_percent=%.2f wall_s=%.2f max_rss_kb=%ld\n", output.c_str(),
              period, 100.0 * cpu / wall, wall, MaxRssKb());

  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return 0;
}
