// The benchmarks' plain reference loop computes what the engine computes, bit for bit, so that
// timing one beside the other compares the same work.

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "bench/mixture_reference.hpp"
#include "engine/mixture.hpp"
#include "tests/engine/random_states.hpp"

namespace toluvek {
namespace {

TEST(MixtureReference, GivesTheEngineBitsWhereverTheEngineSucceeds) {
  int compared = 0;
  for (const testing::RandomState& s : testing::RandomStates(3000, 43, false)) {
    const MixtureResult engine = CalculateMixture(s.pressure, s.temperature, s.amounts);
    if (!engine.ok()) continue;
    MixtureProperties plain;
    reference::Mixture(s.pressure, s.temperature, s.amounts, plain);
    ++compared;
    const MixtureProperties& p = engine.properties;
    const double pairs[][2] = {
        {p.molar_mass, plain.molar_mass},
        {p.density, plain.density},
        {p.gas_constant, plain.gas_constant},
        {p.cp, plain.cp},
        {p.conductivity, plain.conductivity},
        {p.viscosity, plain.viscosity},
        {p.kinematic_viscosity, plain.kinematic_viscosity},
        {p.prandtl, plain.prandtl},
        {p.prandtl_eucken, plain.prandtl_eucken},
    };
    for (const auto& [a, b] : pairs) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(a), std::bit_cast<std::uint64_t>(b))
          << a << " vs " << b << " at T = " << s.temperature;
    }
    const SpeciesArray MixtureProperties::*arrays[] = {
        &MixtureProperties::mole_fraction,     &MixtureProperties::mass_fraction,
        &MixtureProperties::species_cp,        &MixtureProperties::species_conductivity,
        &MixtureProperties::species_viscosity, &MixtureProperties::species_prandtl,
    };
    for (const auto member : arrays) {
      for (std::size_t i = 0; i < kSpeciesCount; ++i) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>((p.*member)[i]),
                  std::bit_cast<std::uint64_t>((plain.*member)[i]))
            << "species " << i << " at T = " << s.temperature;
      }
    }
  }
  EXPECT_GT(compared, 2500);
}

}  // namespace
}  // namespace toluvek
