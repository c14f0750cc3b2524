#include "engine/correlations.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"

namespace toluvek {
namespace {

void ExpectRelative(double actual, double expected, double tolerance, const char* what) {
  EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
      << what << ": " << actual << " vs " << expected;
}

TEST(Correlations, HeatCapacityAt300K) {
  const auto& n2 = AllSpecies()[kN2];
  ExpectRelative(Cubic(n2.heat_capacity, 300), 29.17664, 1e-12, "N2 molar cp");
  ExpectRelative(SpecificHeat(n2, 300), 1041.52, 5e-6, "N2 cp");
  ExpectRelative(Cubic(AllSpecies()[kH2].heat_capacity, 300), 28.889715, 1e-12, "H2 molar cp");
}

struct SpeciesValues {
  SpeciesIndex species;
  double t;
  double cp, conductivity, viscosity, prandtl;
  const char *cp_text, *conductivity_text, *viscosity_text, *prandtl_text;
};

TEST(Correlations, PublishedValuesAndTheirDisplay) {
  const SpeciesValues cases[] = {
      {kN2, 293.15, 1041.7062, 0.026789822, 1.7304312e-5, 0.67286783, "1.042E+003", "2.679E-002",
       "1.730E-005", "6.729E-001"},
      {kH2O, 293.15, 1866.4654, 0.017250546, 9.7898684e-6, 1.0592390, "1.866E+003", "1.725E-002",
       "9.790E-006", "1.059E+000"},
      {kCH4, 293.15, 2198.9606, 0.033112445, 1.0921393e-5, 0.72527753, "2.199E+003", "3.311E-002",
       "1.092E-005", "7.253E-001"},
  };
  for (const SpeciesValues& c : cases) {
    const auto& s = AllSpecies()[c.species];
    const double cp = SpecificHeat(s, c.t);
    const double lambda = Conductivity(s, c.t);
    const double mu = Viscosity(s, c.t);
    const double pr = PrandtlNumber(cp, mu, lambda);
    ExpectRelative(cp, c.cp, 5e-8, "cp");
    ExpectRelative(lambda, c.conductivity, 5e-8, "conductivity");
    ExpectRelative(mu, c.viscosity, 5e-8, "viscosity");
    ExpectRelative(pr, c.prandtl, 5e-8, "prandtl");
    EXPECT_EQ(FormatPattern(cp, Pattern::kSci3), c.cp_text);
    EXPECT_EQ(FormatPattern(lambda, Pattern::kSci3), c.conductivity_text);
    EXPECT_EQ(FormatPattern(mu, Pattern::kSci3), c.viscosity_text);
    EXPECT_EQ(FormatPattern(pr, Pattern::kSci3), c.prandtl_text);
  }
}

TEST(Correlations, ValuesAt1000K) {
  const auto& n2 = AllSpecies()[kN2];
  const auto& ch4 = AllSpecies()[kCH4];
  ExpectRelative(SpecificHeat(n2, 1000), 1167.3309, 5e-8, "N2 cp");
  ExpectRelative(Conductivity(n2, 1000), 0.064201770, 5e-8, "N2 conductivity");
  ExpectRelative(Viscosity(n2, 1000), 3.9486267e-5, 5e-8, "N2 viscosity");
  ExpectRelative(SpecificHeat(ch4, 1000), 4490.0005, 5e-8, "CH4 cp");
  ExpectRelative(Conductivity(ch4, 1000), 0.16880297, 5e-8, "CH4 conductivity");
  ExpectRelative(Viscosity(ch4, 1000), 2.7250706e-5, 5e-8, "CH4 viscosity");
}

TEST(Correlations, PolynomialsChangeSignWhereTheFitsSayTheyDo) {
  // Viscosity fits negative at very low and, for some species, at very high temperatures.
  EXPECT_LT(Viscosity(AllSpecies()[kNC4H10], 9.0), 0);
  EXPECT_GT(Viscosity(AllSpecies()[kNC4H10], 9.4), 0);
  EXPECT_LT(Viscosity(AllSpecies()[kIC4H10], 31.7), 0);
  EXPECT_GT(Viscosity(AllSpecies()[kIC4H10], 31.9), 0);
  EXPECT_GT(Viscosity(AllSpecies()[kH2O], 3538.9), 0);
  EXPECT_LT(Viscosity(AllSpecies()[kH2O], 3539.1), 0);
  // Conductivity of ethane is negative below about 175.8 K and is carried on as computed.
  EXPECT_LT(Conductivity(AllSpecies()[kC2H6], 175.7), 0);
  EXPECT_EQ(FormatPattern(Conductivity(AllSpecies()[kC2H6], 100), Pattern::kSci3), "-1.456E-002");
}

TEST(Correlations, PrandtlNumberFailsOnZeroConductivity) {
  EXPECT_THROW(PrandtlNumber(1000, 1e-5, 0), ArithmeticFault);
}

}  // namespace
}  // namespace toluvek
