#pragma once
// Random states of the mixture calculation for the tests that compare two ways of computing it:
// mostly sound states over the whole span where the fits give positive viscosities, and a share
// of states that fail at each step.

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "engine/gas_table.hpp"

namespace toluvek::testing {

struct RandomState {
  double pressure;     // [Pa]
  double temperature;  // [K]
  SpeciesArray amounts;
};

inline std::vector<RandomState> RandomStates(std::size_t count, std::uint64_t seed,
                                             bool with_failures) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  const auto pick = [&](double probability) { return unit(engine) < probability; };
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::vector<RandomState> states(count);
  for (RandomState& s : states) {
    // Log-uniform from 32 K to 3500 K, inside the viscosity fits' positive span.
    s.temperature = 32 * std::exp(unit(engine) * std::log(3500.0 / 32));
    s.pressure = std::exp(unit(engine) * std::log(1e8));
    for (double& x : s.amounts)
      x = pick(0.4) ? 0 : unit(engine) * std::pow(10.0, unit(engine) * 6 - 3);
    if (pick(0.02)) s.amounts.fill(0);
    if (!with_failures || pick(0.7)) continue;
    // A failure, or a state at an edge of one.
    switch (engine() % 10) {
      case 0:
        s.temperature = unit(engine) * 40;
        break;  // viscosities of mixed signs
      case 1:
        s.temperature = 3500 + unit(engine) * 1e4;
        break;  // water's viscosity negative
      case 2:
        s.pressure = 0;
        break;  // no density
      case 3:
        s.pressure = std::pow(10.0, 300 + unit(engine) * 8);
        break;  // M·P overflows
      case 4:
        s.temperature = std::pow(10.0, unit(engine) * 120);
        break;  // T³ overflows
      case 5:
        s.amounts.fill(0);
        break;  // nothing to normalise
      case 6:
        s.amounts[engine() % kSpeciesCount] = 1e308;
        break;  // the sums overflow
      case 7:
        s.temperature = pick(0.5) ? kNaN : -kInf;
        break;
      case 8:
        s.pressure = pick(0.5) ? kNaN : -s.pressure;
        break;
      case 9:
        s.amounts[engine() % kSpeciesCount] = pick(0.5) ? kNaN : 5e-324;
        break;
    }
  }
  return states;
}

}  // namespace toluvek::testing
