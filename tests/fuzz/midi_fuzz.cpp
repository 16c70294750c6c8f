// The check of bgm.mid before the synthesiser sees it: any bytes give either nothing or a file
// whose figures the player can hold, and a file it accepts is still accepted with bytes after it.
#include <string>

#include "fuzz/fuzz_support.h"
#include "sound/mci_midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto info = InspectMidiFile(bytes);
  if (!info) return 0;
  FUZZ_CHECK(info->format >= 0 && info->format <= 2, "format " + std::to_string(info->format));
  FUZZ_CHECK(info->tracks >= 1 && info->tracks <= 128, "tracks " + std::to_string(info->tracks));
  FUZZ_CHECK(info->division > 0 && info->division < 0x8000,
             "division " + std::to_string(info->division));
  FUZZ_CHECK(info->totalTicks >= 0 && info->totalTicks <= 0x7FFFFFFF,
             "ticks " + std::to_string(info->totalTicks));
  FUZZ_CHECK(bytes.starts_with("MThd"), "accepted without a header");
  const auto padded = InspectMidiFile(bytes + std::string(16, '\0'));
  FUZZ_CHECK(padded && padded->totalTicks == info->totalTicks && padded->tracks == info->tracks,
             "trailing bytes change the reading");
  return 0;
}
