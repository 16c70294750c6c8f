// The random player: every choice uniform among what the screen offers.
#include <random>

#include "cli/sim.h"

namespace porukami::cli {

std::vector<int> OfferedCommands(const Frm& frm) {
  std::vector<int> offered;
  for (int i = 0; i < Frm::kComCount; ++i)
    if (frm.Com[i].Visible && frm.Com[i].Enabled) offered.push_back(i);
  return offered;
}

namespace {

constexpr int kMaxActionsBetweenDays = 50;

class RandomStrategy : public Strategy {
 public:
  explicit RandomStrategy(std::uint64_t seed) : gen_(seed ^ 0x9E3779B97F4A7C15ULL) {}

  int PickCommand(const Frm& frm, long long) override {
    const auto offered = OfferedCommands(frm);
    return offered.empty() ? -1 : offered[Below(offered.size())];
  }

  // One more action or "next day", uniform among those offered, until it picks the next day.
  void Manage(const Frm& frm, Hands& hands, long long) override {
    enum Action { kNextDay, kGive, kSell, kSettle };
    for (int n = 0; n < kMaxActionsBetweenDays; ++n) {
      const int items = frm.Lst.ListCount(), requests = frm.LstIrai.ListCount();
      std::vector<Action> offered{kNextDay};
      if (items) offered.push_back(kGive);
      if (items && frm.PicSaka.Visible) offered.push_back(kSell);
      if (items && requests && frm.PicSaka.Visible) offered.push_back(kSettle);
      const Action a = offered[Below(offered.size())];
      if (a == kNextDay) return;
      const int row = static_cast<int>(Below(static_cast<std::size_t>(items)));
      if (a == kGive) hands.Give(row, static_cast<int>(Below(Frm::kHeroines)));
      if (a == kSell) hands.Sell(row);
      if (a == kSettle)
        hands.Settle(static_cast<int>(Below(static_cast<std::size_t>(requests))), row);
    }
  }

 private:
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(gen_);
  }
  std::mt19937_64 gen_;
};

}  // namespace

std::unique_ptr<Strategy> MakeRandomStrategy(std::uint64_t seed) {
  return std::make_unique<RandomStrategy>(seed);
}

}  // namespace porukami::cli
