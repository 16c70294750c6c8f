// The item catalogue: the input is txt/item.dat as it lies on disk. Start-up must either refuse
// it with a message or load it; a loaded catalogue then goes through a month of forest finds,
// requests, sales, settlements and gifts played by a random player, whose draws and events come
// from a hash of the input so that each input replays exactly.
#include <memory>
#include <random>
#include <string>

#include "app/Frm.h"
#include "fuzz/fuzz_support.h"
#include "monkey/events.h"
#include "monkey/invariants.h"
#include "support/fakes.h"
#include "text/number.h"

namespace porukami::fuzz {
namespace {

constexpr int kEvents = 120;

class HashRandom : public Random {
 public:
  explicit HashRandom(std::uint64_t seed) : gen_(seed) {}
  double Next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(gen_); }
  void Seed(std::uint64_t) override {}

 private:
  std::mt19937_64 gen_;
};

std::uint64_t Hash(std::string_view s) {
  std::uint64_t h = 1469598103934665603ULL;
  for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return h;
}

void CheckInventory(const Frm& f) {
  for (int i = 0; i < f.Lst.ListCount(); ++i) {
    const auto& row = f.Inventory[static_cast<std::size_t>(i)];
    const std::string& index = row[5];
    FUZZ_CHECK(!index.empty() && index.find_first_not_of("0123456789") == std::string::npos,
               "inventory row " + std::to_string(i) + " has catalogue index \"" + index + "\"");
    FUZZ_CHECK(text::ToLong(index) < f.ItemCount,
               "inventory row " + std::to_string(i) + " points past the catalogue");
  }
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  static const bool ready = [] {
    const Sandbox& box = Sandbox::Get();
    // Every scene the month asks for exists, so play goes on past the visits and the forest.
    box.Write("app/txt/opn.dat", Cp932File({"はじまり"}));
    for (const char* name :
         {"end", "moneyend", "mori_0", "mori_1", "mori_2", "mori_3", "ive0", "ive1", "ive2"})
      box.Write(std::string("app/txt/") + name + ".dat", Cp932File({name}));
    for (int h = 0; h < 3; ++h)
      for (int stage = 1; stage <= 6; ++stage)
        for (const std::string variant : {"", "0", "1", "2"})
          box.Write("app/txt/" + std::to_string(h) + std::to_string(stage) + variant + ".dat",
                    Cp932File({"訪問"}));
    return true;
  }();
  (void)ready;
  const Sandbox& box = Sandbox::Get();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  box.Write("app/txt/item.dat", bytes);

  testing::FakeHost host;
  host.appPath = (box.root() / "app").string();
  HashRandom random(Hash(bytes));
  auto frm = std::make_unique<Frm>(host, random);
  if (!frm->Form_Load()) {
    FUZZ_CHECK(!host.messages.empty(), "start-up refused the catalogue without a word");
    return 0;
  }
  FUZZ_CHECK(frm->ItemCount >= 0 && frm->ItemCount <= Frm::kCatalogueMax, "ItemCount out of range");
  frm->Form_Activate();

  std::mt19937 player(static_cast<std::uint32_t>(Hash(bytes) >> 7));
  std::string trace = "start";
  for (int i = 0; i < kEvents; ++i) {
    // Mostly the item commands; the rest of the player's repertoire now and then.
    const std::uint8_t how = static_cast<std::uint8_t>(player());
    static constexpr std::uint8_t kItemEvents[] = {10, 13, 14, 15, 16, 0, 6};
    std::uint8_t what = static_cast<std::uint8_t>(player());
    if (what % 4 != 0) what = kItemEvents[what % std::size(kItemEvents)];
    std::uint8_t target = how;
    if (what == 10) target = static_cast<std::uint8_t>(3 + (how & 1));  // forest or home
    const std::string done = monkey::PlayEvent(*frm, host, what, target);
    if (!done.empty()) trace = done;
    if (const std::string broken = monkey::BrokenRule(*frm); !broken.empty())
      Fail(broken + " after " + trace);
    CheckInventory(*frm);
    host.messages.clear();
    host.captions.clear();
    host.loadedPictures.clear();
  }
  return 0;
}
