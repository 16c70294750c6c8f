#pragma once
#include <random>

#include "app/host.h"

namespace porukami {

// The game's one generator: uniform numbers in [0, 1).
class StdRandom : public Random {
 public:
  double Next() override { return dist_(gen_); }
  void Seed(std::uint64_t seed) override { gen_.seed(seed); }

 private:
  std::mt19937_64 gen_{1};
  std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

}  // namespace porukami
