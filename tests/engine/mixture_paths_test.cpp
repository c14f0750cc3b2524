// The fast factored form, the stepwise form and the many-state entry point give the same bits.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/mixture.hpp"
#include "tests/engine/random_states.hpp"

namespace toluvek {
namespace {

using testing::RandomState;
using testing::RandomStates;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every number of the result as bits, with its name, so that a difference says where it is.
std::vector<std::pair<std::string, std::uint64_t>> Bits(const MixtureResult& r) {
  const MixtureProperties& p = r.properties;
  std::vector<std::pair<std::string, std::uint64_t>> bits = {
      {"M", std::bit_cast<std::uint64_t>(p.molar_mass)},
      {"rho", std::bit_cast<std::uint64_t>(p.density)},
      {"R", std::bit_cast<std::uint64_t>(p.gas_constant)},
      {"cp", std::bit_cast<std::uint64_t>(p.cp)},
      {"lambda", std::bit_cast<std::uint64_t>(p.conductivity)},
      {"mu", std::bit_cast<std::uint64_t>(p.viscosity)},
      {"nu", std::bit_cast<std::uint64_t>(p.kinematic_viscosity)},
      {"Pr", std::bit_cast<std::uint64_t>(p.prandtl)},
      {"PrE", std::bit_cast<std::uint64_t>(p.prandtl_eucken)},
      {"step", static_cast<std::uint64_t>(r.failed_step)},
      {"species", r.failed_species},
      {"fault", static_cast<std::uint64_t>(r.fault)},
  };
  const std::pair<const char*, const SpeciesArray*> arrays[] = {
      {"y", &p.mole_fraction},      {"w", &p.mass_fraction},
      {"cp", &p.species_cp},        {"lambda", &p.species_conductivity},
      {"mu", &p.species_viscosity}, {"Pr", &p.species_prandtl},
  };
  for (const auto& [name, values] : arrays) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      bits.push_back({std::string(name) + " " + std::string(AllSpecies()[i].label),
                      std::bit_cast<std::uint64_t>((*values)[i])});
    }
  }
  return bits;
}

// Compares all bits; returns whether they agree, reporting the first difference.
bool SameBits(const MixtureResult& actual, const MixtureResult& expected, const RandomState& s) {
  const auto a = Bits(actual);
  const auto b = Bits(expected);
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].second != b[k].second) {
      ADD_FAILURE() << a[k].first << " differs at P = " << s.pressure
                    << " Pa, T = " << s.temperature << " K: " << std::bit_cast<double>(a[k].second)
                    << " vs " << std::bit_cast<double>(b[k].second);
      return false;
    }
  }
  return true;
}

// A result whose every byte is a NaN pattern, so that a member left unwritten shows.
MixtureResult Garbage() {
  MixtureResult r;
  std::memset(static_cast<void*>(&r), 0xff, sizeof r);
  return r;
}

TEST(MixturePaths, FactoredFormGivesTheStepwiseBitsOverRandomStates) {
  std::map<MixtureStep, int> seen;
  for (const RandomState& s : RandomStates(6000, 17, true)) {
    const MixtureResult fast = CalculateMixture(s.pressure, s.temperature, s.amounts);
    const MixtureResult plain = CalculateMixtureStepwise(s.pressure, s.temperature, s.amounts);
    ++seen[plain.failed_step];
    if (!SameBits(fast, plain, s)) break;
  }
  // The states reach the steps that fail in practice, and succeed most of the time.
  for (MixtureStep step :
       {MixtureStep::kNormalisation, MixtureStep::kSpeciesProperties, MixtureStep::kTransport,
        MixtureStep::kDensity, MixtureStep::kKinematicViscosity}) {
    EXPECT_GT(seen[step], 20) << static_cast<int>(step);
  }
  EXPECT_GT(seen[MixtureStep::kNone], 4000);
}

// States at the edges, where one unchecked operation would let an infinity or NaN through.
TEST(MixturePaths, FactoredFormGivesTheStepwiseBitsAtTheEdges) {
  constexpr SpeciesArray kAir = {0, 21, 79};
  constexpr SpeciesArray kAll = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const RandomState edges[] = {
      {101325, 293.15, {1, -1}},                // amounts summing to zero
      {101325, 293.15, {0, 1.7e308, 1.7e308}},  // their sum overflows, each is finite
      {101325, 293.15, {9e307, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9e307}},  // only the mass overflows
      {101325, 293.15, {5e-324}},                                      // the smallest amount
      {101325, 293.15, {kInf}},
      {101325, 293.15, {0, kNaN, 1}},
      {101325, 293.15, {-0.0, 21, 79}},
      {101325, 0, kAir},
      {101325, -0.0, kAir},
      {101325, -293.15, kAir},
      {101325, kNaN, kAir},
      {101325, kInf, kAir},
      {101325, 1e103, kAll},
      {101325, 31.7, kAll},
      {101325, 3539.1, kAll},
      {0, 293.15, kAll},
      {-0.0, 293.15, kAll},
      {-101325, 293.15, kAll},
      {1e308, 293.15, kAll},
      {kInf, 293.15, kAll},
      {kNaN, 293.15, kAll},
      {5e-324, 293.15, kAll},
      {101325, 175.8, kAll},  // ethane's conductivity near zero
  };
  for (const RandomState& s : edges) {
    SameBits(CalculateMixture(s.pressure, s.temperature, s.amounts),
             CalculateMixtureStepwise(s.pressure, s.temperature, s.amounts), s);
  }
}

// Every lane width the processor runs gives the stepwise bits, and four lanes give the two
// lanes' bits over random states and at the edges, every output compared as bits; the
// portable two-lane form stays tested where CalculateMixture takes the wider one.
TEST(MixturePaths, EveryLaneWidthGivesThePortableBits) {
  ASSERT_TRUE(LaneWidthAvailable(LaneWidth::kTwo));
  std::vector<RandomState> states = RandomStates(5000, 43, true);
  for (const RandomState& s : RandomStates(1000, 47, false)) states.push_back(s);
  for (const RandomState& s : states) {
    const MixtureResult two =
        CalculateMixtureInLanes(LaneWidth::kTwo, s.pressure, s.temperature, s.amounts);
    if (!SameBits(two, CalculateMixtureStepwise(s.pressure, s.temperature, s.amounts), s)) break;
  }
  if (!LaneWidthAvailable(LaneWidth::kFour)) {
    EXPECT_THROW(CalculateMixtureInLanes(LaneWidth::kFour, 101325, 300, {0, 21, 79}),
                 std::invalid_argument);
    GTEST_SKIP() << "no AVX2 on this processor: only the two-lane form ran";
  }
  for (const RandomState& s : states) {
    const MixtureResult four =
        CalculateMixtureInLanes(LaneWidth::kFour, s.pressure, s.temperature, s.amounts);
    const MixtureResult two =
        CalculateMixtureInLanes(LaneWidth::kTwo, s.pressure, s.temperature, s.amounts);
    if (!SameBits(four, two, s)) break;
  }
}

TEST(MixturePaths, ManyStatesGiveTheSingleStateBits) {
  const std::vector<RandomState> states = RandomStates(3000, 29, true);
  std::vector<double> pressures, temperatures;
  std::vector<SpeciesArray> amounts;
  for (const RandomState& s : states) {
    pressures.push_back(s.pressure);
    temperatures.push_back(s.temperature);
    amounts.push_back(s.amounts);
  }
  // Results reused from an earlier run must be overwritten in full.
  std::vector<MixtureResult> results(states.size(), Garbage());
  CalculateMixtures(pressures, temperatures, amounts, results);
  for (std::size_t k = 0; k < states.size(); ++k) {
    const RandomState& s = states[k];
    if (!SameBits(results[k], CalculateMixture(s.pressure, s.temperature, s.amounts), s)) break;
  }
}

TEST(MixturePaths, ManyStatesShareAnInputGivenOnce) {
  const std::vector<RandomState> states = RandomStates(200, 31, true);
  const SpeciesArray shared_amounts = states[0].amounts;
  const double shared_pressure = 2e5;
  std::vector<double> temperatures;
  for (const RandomState& s : states) temperatures.push_back(s.temperature);
  std::vector<MixtureResult> results(states.size(), Garbage());
  CalculateMixtures({&shared_pressure, 1}, temperatures, {&shared_amounts, 1}, results);
  for (std::size_t k = 0; k < states.size(); ++k) {
    RandomState s{shared_pressure, temperatures[k], shared_amounts};
    if (!SameBits(results[k], CalculateMixture(s.pressure, s.temperature, s.amounts), s)) break;
  }
}

TEST(MixturePaths, ManyStatesRefuseInputsOfAnotherLength) {
  const std::vector<double> two = {101325, 101325};
  const std::vector<double> three = {300, 400, 500};
  const std::vector<SpeciesArray> amounts = {{0, 21, 79}};
  std::vector<MixtureResult> results(3);
  EXPECT_THROW(CalculateMixtures(two, three, amounts, results), std::invalid_argument);
  EXPECT_THROW(CalculateMixtures(three, three, std::vector<SpeciesArray>(2), results),
               std::invalid_argument);
  EXPECT_THROW(CalculateMixtures(three, two, amounts, results), std::invalid_argument);
  EXPECT_NO_THROW(CalculateMixtures(three, three, amounts, results));
  EXPECT_NO_THROW(CalculateMixtures({}, {}, {}, {}));
}

}  // namespace
}  // namespace toluvek
