// The one driver of the fuzz targets. Built for libFuzzer with PORUKAMI_FUZZ_TARGET naming the
// target, it is the fuzzer's entry point; built without, `porukami_fuzz_replay TARGET < FILE`
// runs the target once on a file, as the seeds and saved findings are replayed in every build.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>

#include "fuzz/fuzz.h"

namespace porukami::fuzz {

void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** broken rule: %s\n", what.c_str());
  std::abort();
}

void Run(std::string_view target, std::string_view bytes) {
  if (target == "scene") return Game(bytes, {"txt/opn.dat", "txt/s.dat"});
  if (target == "catalogue") return Game(bytes, {"txt/item.dat"});
  if (target == "memories") return Memories(bytes);
  if (target == "cp932") return Cp932(bytes);
  if (target == "number") return Number(bytes);
  if (target == "mci") return Mci(bytes);
  if (target == "midi") return Midi(bytes);
  Fail("no fuzz target " + std::string(target));
}

}  // namespace porukami::fuzz

#ifdef PORUKAMI_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  porukami::fuzz::Run(PORUKAMI_FUZZ_TARGET, {reinterpret_cast<const char*>(data), size});
  return 0;
}
#else
int main(int argc, char** argv) {
  porukami::fuzz::Run(argc > 1 ? argv[1] : "", std::string(std::istreambuf_iterator(std::cin), {}));
}
#endif
