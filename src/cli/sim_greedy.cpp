// The greedy player: each month aims at one heroine and one of her stats 0 to 2. For her climax on
// day 28 that stat must be her key stat, at least 67 and her strongest, and her stat 3 at least
// 90; the next visit is her finale. The aimed stat comes from gifts of items that raise it, stat 3
// from visits (and gifts of items that raise it); the forest brings items, home sells what she
// cannot use and settles the requests it can.
#include <algorithm>

#include "cli/sim.h"
#include "text/number.h"

namespace porukami::cli {
namespace {

constexpr int kClimaxDay = 28;
constexpr int kAimTarget = 80;    // the climax needs 67; gifts gain 0 to 39
constexpr int kStat3Target = 96;  // the climax needs 90
constexpr int kVisitGain = 12;    // a visit gains 0 to 29: expect a little less than the mean
constexpr int kGiftGain = 15;     // a gift gains 0 to 39
constexpr int kVisitCost = 3000;  // a visit costs at most 2999
constexpr int kForestCost = 500;
constexpr int kClimaxReserve = 6000;  // days 28 and 29 are visits, with no home to sell at
constexpr int kSaveFrom = 18;
constexpr int kFloor = 600;  // a forest day and a day at home

struct Aim {
  int heroine;
  int stat;
};

bool Common(const Frm& f, int row) {
  return text::ToLong(f.Inventory[row][5]) < 3;
}
int GiftStat(const Frm& f, int row, int h) {
  return text::ToInteger(f.Inventory[row][h + 2]);
}

// Items she still gains from are kept for her; everything else may be sold.
bool Keep(const Frm& f, int row, Aim a) {
  if (Common(f, row)) return false;
  const int s = GiftStat(f, row, a.heroine);
  return (s == a.stat || s == 3) && f.Stats[a.heroine][s] < 100;
}

int AimItems(const Frm& f, Aim a) {
  int n = 0;
  for (int row = 0; row < f.Lst.ListCount(); ++row)
    n += Keep(f, row, a) && GiftStat(f, row, a.heroine) == a.stat;
  return n;
}

int VisitsNeeded(const Frm& f, Aim a) {
  const int missing = kStat3Target - f.Stats[a.heroine][3];
  return missing <= 0 ? 0 : (missing + kVisitGain - 1) / kVisitGain;
}

bool AimNeedsItems(const Frm& f, Aim a) {
  const int missing = kAimTarget - f.Stats[a.heroine][a.stat];
  return missing > 0 && AimItems(f, a) * kGiftGain < missing;
}

bool HasSomethingToSell(const Frm& f, Aim a) {
  for (int row = 0; row < f.Lst.ListCount(); ++row)
    if (!Keep(f, row, a)) return true;
  return false;
}

class GreedyStrategy : public Strategy {
 public:
  explicit GreedyStrategy(bool explore) : explore_(explore) {}

  int PickCommand(const Frm& f, long long month) override {
    const auto offered = OfferedCommands(f);
    if (offered.empty()) return -1;
    const Aim a = AimOf(month);
    const int want = f.Day >= kClimaxDay ? a.heroine : Plan(f, a);
    return std::find(offered.begin(), offered.end(), want) != offered.end() ? want
                                                                            : offered.front();
  }

  void Manage(const Frm& f, Hands& hands, long long month) override {
    const Aim a = AimOf(month);
    Give(f, hands, a);
    if (!f.PicSaka.Visible) return;
    SettleAll(f, hands);
    SellTheRest(f, hands, a);
  }

 private:
  Aim AimOf(long long month) const {
    const int h = static_cast<int>(month % Frm::kHeroines);
    return {h, explore_ ? static_cast<int>(month / Frm::kHeroines % 3) : KeyStat(h)};
  }

  // Money for the days 28 and 29 is put by from day kSaveFrom on; only a visit that cannot wait
  // for the climax spends it. Below a visit's cost plus a forest day and a day at home, the
  // player gathers and sells, and when even that runs short it sells what it kept for her.
  static int Plan(const Frm& f, Aim a) {
    const int daysLeft = kClimaxDay - f.Day;  // today included
    const int reserve = f.Day >= kSaveFrom ? kClimaxReserve : 0;
    const bool lastHome = f.Day == kClimaxDay - 1 && f.Money < kClimaxReserve + kVisitCost;
    if (f.Money < kVisitCost + kFloor || lastHome) {
      const bool sell = HasSomethingToSell(f, a) || (Poor(f) && f.Lst.ListCount() > 0);
      return sell || f.Money < kForestCost ? 4 : 3;
    }
    if (VisitsNeeded(f, a) >= daysLeft) return a.heroine;
    if (AimNeedsItems(f, a)) return 3;
    if (HasSomethingToSell(f, a) && f.Money < reserve + 2 * kVisitCost) return 4;
    if (VisitsNeeded(f, a) > 0 && f.Money >= reserve + kVisitCost + kFloor) return a.heroine;
    return 3;
  }

  static bool Poor(const Frm& f) { return f.Money < 2 * kFloor; }

  static void Give(const Frm& f, Hands& hands, Aim a) {
    for (int row = 0; row < f.Lst.ListCount();) {
      if (Keep(f, row, a) && hands.Give(row, a.heroine)) continue;  // the rows after it moved up
      ++row;
    }
  }

  static void SettleAll(const Frm& f, Hands& hands) {
    for (int q = 0; q < f.LstIrai.ListCount();) {
      int match = -1;
      for (int row = 0; row < f.Lst.ListCount() && match < 0; ++row)
        if (f.Inventory[row][0] == f.Requests[q][0]) match = row;
      if (match >= 0 && hands.Settle(q, match)) continue;
      ++q;
    }
  }

  static void SellTheRest(const Frm& f, Hands& hands, Aim a) {
    for (int row = 0; row < f.Lst.ListCount();) {
      if ((!Keep(f, row, a) || Poor(f)) && hands.Sell(row)) continue;
      ++row;
    }
  }

  bool explore_;
};

}  // namespace

std::unique_ptr<Strategy> MakeGreedyStrategy(bool explore) {
  return std::make_unique<GreedyStrategy>(explore);
}

}  // namespace porukami::cli
