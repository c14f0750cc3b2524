#include "engine/enthalpy.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace toluvek {
namespace {

TEST(SpeciesEnthalpyTest, NitrogenRisesBy2888_89JoulePerMolFrom25To125Celsius) {
  EXPECT_NEAR(SpeciesEnthalpy(kN2, 398.15) - SpeciesEnthalpy(kN2, 298.15), 2888.89, 0.005);
}

TEST(SpeciesEnthalpyTest, EverySpeciesIsNearZeroAtTheReferenceTemperature) {
  // The fits are referred to 298.15 K; H2 sits at about +70 J/mol, none beyond 500 J/mol.
  EXPECT_NEAR(SpeciesEnthalpy(kH2, 298.15), 70, 1);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SCOPED_TRACE(AllSpecies()[i].label);
    EXPECT_LT(std::fabs(SpeciesEnthalpy(static_cast<SpeciesIndex>(i), 298.15)), 500);
  }
}

// The slope of the enthalpy is the molar heat capacity of the species' cp cubic: family B is
// its integral (to the rounding of the literals), family A an independent fit within a few %.
TEST(SpeciesEnthalpyTest, SlopeMatchesTheHeatCapacityOfEachSpecies) {
  constexpr bool kIntegralOfCp[kSpeciesCount] = {false, false, false, false, false, false,
                                                 true,  false, true,  true,  true,  true};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SCOPED_TRACE(AllSpecies()[i].label);
    const auto& c = AllSpecies()[i].heat_capacity;
    for (double t : {600.0, 1000.0}) {
      const double slope = (SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t + 0.01) -
                            SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t - 0.01)) /
                           0.02;
      const double cp = c[0] + c[1] * t + c[2] * t * t + c[3] * t * t * t;
      EXPECT_NEAR(slope / cp, 1, kIntegralOfCp[i] ? 1e-4 : 0.03) << "T = " << t;
    }
  }
}

TEST(SpeciesEnthalpyTest, AcceptsTemperaturesFarOutsideTheFittedRange) {
  EXPECT_TRUE(std::isfinite(SpeciesEnthalpy(kCH3OH, 0)));
  EXPECT_TRUE(std::isfinite(SpeciesEnthalpy(kN2, 10000)));
  EXPECT_GT(SpeciesEnthalpy(kN2, 10000), SpeciesEnthalpy(kN2, 3000));
  // Huge temperatures overflow; the callers check.
  EXPECT_FALSE(std::isfinite(SpeciesEnthalpy(kC2H6, 1e100)));
}

TEST(HeatingValueTest, OnlyTheEightFuelsHaveOne) {
  for (SpeciesIndex inert : {kO2, kN2, kCO2, kH2O}) {
    EXPECT_EQ(HeatingValueOf(inert).lower, 0);
    EXPECT_EQ(HeatingValueOf(inert).higher, 0);
  }
  EXPECT_EQ(HeatingValueOf(kCH4).lower, 802.3);
  EXPECT_EQ(HeatingValueOf(kIC4H10).higher, 2868.7);
}

// HHV − LHV is the condensation heat of the water formed, 44.0 kJ/mol of water at 25 ℃;
// CO forms none, so its two values are equal.
TEST(HeatingValueTest, HigherExceedsLowerByTheCondensationHeatOfTheWaterFormed) {
  struct Row {
    SpeciesIndex species;
    double water_formed;  // mol H2O per mol
  };
  constexpr Row kRows[] = {{kH2, 1},   {kCO, 0},   {kCH3OH, 2},  {kCH4, 2},
                           {kC2H6, 3}, {kC3H8, 4}, {kNC4H10, 5}, {kIC4H10, 5}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(AllSpecies()[row.species].label);
    const HeatingValue value = HeatingValueOf(row.species);
    EXPECT_NEAR(value.higher - value.lower, 44.0 * row.water_formed, 1e-9);
  }
}

}  // namespace
}  // namespace toluvek
