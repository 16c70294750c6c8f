// ScriptStep throughput on a long scene: the opening scene's pages repeated many times, played
// click by click through the game's own interpreter, with no window (pictures are not decoded).
//   bench_script [--content=DIR] [Google Benchmark flags]
// DIR is the game's folder with txt/ (default: the folder of this program).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench_host.h"
#include "text/cp932.h"
#include "text/textfile.h"

namespace {

namespace fs = std::filesystem;
using porukami::Frm;

constexpr int kRepeats = 200;  // copies of the opening's pages in the long scene

using porukami::bench::BenchHost;
using porukami::bench::FixedRandom;

std::string g_content;

// A game folder in a temporary directory: the real content, plus txt/long.dat.
struct LongScene {
  fs::path dir;
  std::size_t lines = 0;

  LongScene() {
    dir = fs::temp_directory_path() / ("porukami-bench-script-" + std::to_string(getpid()));
    fs::create_directories(dir / "txt");
    for (const auto& e : fs::directory_iterator(fs::path(g_content) / "txt")) {
      fs::copy_file(e.path(), dir / "txt" / e.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
    const auto opening =
        porukami::text::ReadTextFile((fs::path(g_content) / "txt" / "opn.dat").string());
    // Its pages: everything before the hand-over to the day ("--" and what follows).
    std::vector<std::string> pages;
    for (const auto& l : opening.lines) {
      if (l.rfind("--", 0) == 0) break;
      pages.push_back(l);
    }
    std::string utf8;
    for (int r = 0; r < kRepeats; ++r) {
      for (const auto& l : pages) utf8 += l + "\r\n";
    }
    lines = pages.size() * kRepeats;
    const auto bytes = porukami::text::Utf8ToCp932(utf8);
    std::ofstream(dir / "txt" / "long.dat", std::ios::binary) << bytes.value_or("");
  }
  ~LongScene() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

LongScene& Scene() {
  static LongScene scene;
  return scene;
}

// The window model after start-up, on the long scene's content.
struct LoadedGame {
  explicit LoadedGame(const LongScene& scene) : host(scene.dir.string()) {}
  BenchHost host;
  FixedRandom random;
  Frm frm{host, random};
  bool loaded = frm.Form_Load();
  // False, with the benchmark marked failed, when the content did not load.
  bool Ready(benchmark::State& state) {
    if (!loaded) state.SkipWithError("the content does not load");
    return loaded;
  }
};

// Steps of the interpreter only: each iteration plays the whole scene by clicks (the click's
// handler is one ScriptStep), the reading of the file excluded.
void BM_ScriptStep(benchmark::State& state) {
  LongScene& scene = Scene();
  LoadedGame game(scene);
  if (!game.Ready(state)) return;
  Frm& frm = game.frm;
  BenchHost& host = game.host;
  frm.Form_Activate();
  std::int64_t steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    frm.StartScene("long");
    state.ResumeTiming();
    while (frm.OpenScene()) {
      frm.ScriptStep();
      ++steps;
    }
  }
  state.counters["steps"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  state.counters["lines"] =
      benchmark::Counter(static_cast<double>(scene.lines) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["scene_lines"] = static_cast<double>(scene.lines);
  if (host.messages) state.SkipWithError("the scene reported a content error");
}
BENCHMARK(BM_ScriptStep)->Unit(benchmark::kMillisecond);

// Starting the long scene: reading and decoding its file.
void BM_StartScene(benchmark::State& state) {
  LongScene& scene = Scene();
  LoadedGame game(scene);
  if (!game.Ready(state)) return;
  Frm& frm = game.frm;
  for (auto _ : state) {
    frm.StartScene("long");
    benchmark::DoNotOptimize(frm.Lbl.Caption);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(scene.lines) * state.iterations());
}
BENCHMARK(BM_StartScene)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  g_content = fs::canonical("/proc/self/exe").parent_path().string();
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--content=", 10) == 0) {
      g_content = argv[i] + 10;
    } else {
      args.push_back(argv[i]);
    }
  }
  int n = static_cast<int>(args.size());
  benchmark::Initialize(&n, args.data());
  if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
