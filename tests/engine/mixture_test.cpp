#include "engine/mixture.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "common/number_text.hpp"

namespace toluvek {
namespace {

constexpr SpeciesArray kAir = {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};

void ExpectRelative(double actual, double expected, double tolerance, const std::string& what) {
  EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
      << what << ": " << actual << " vs " << expected;
}

TEST(Mixture, AirLikeMixtureAt293K) {
  const MixtureResult r = CalculateMixture(101325, 293.15, kAir);
  ASSERT_TRUE(r.ok());
  const MixtureProperties& p = r.properties;
  const struct {
    double value, expected;
    const char *name, *text;
  } rows[] = {
      {p.molar_mass, 28.8503972, "M", "2.885E+001"},
      {p.density, 1.19934419, "rho", "1.199E+000"},
      {p.gas_constant, 288.192635, "R_mix", "2.882E+002"},
      {p.cp, 1012.62495, "cp", "1.013E+003"},
      {p.viscosity, 1.78924544e-5, "mu", "1.789E-005"},
      {p.kinematic_viscosity, 1.49185318e-5, "nu", "1.492E-005"},
      {p.conductivity, 0.0248587349, "lambda", "2.486E-002"},
      {p.prandtl, 0.728852288, "Pr", "7.289E-001"},
      {p.prandtl_eucken, 0.737599401, "Pr_E", "7.376E-001"},
  };
  for (const auto& row : rows) {
    ExpectRelative(row.value, row.expected, 5e-9, row.name);
    EXPECT_EQ(FormatPattern(row.value, Pattern::kSci3), row.text) << row.name;
  }
}

TEST(Mixture, OnlyTheRatiosOfTheAmountsMatter) {
  const MixtureResult reference = CalculateMixture(101325, 293.15, kAir);
  for (double scale : {0.01, 10.0, 1e-6}) {
    SpeciesArray scaled{};
    for (std::size_t i = 0; i < kSpeciesCount; ++i) scaled[i] = kAir[i] * scale;
    const MixtureResult r = CalculateMixture(101325, 293.15, scaled);
    ASSERT_TRUE(r.ok());
    ExpectRelative(r.properties.viscosity, reference.properties.viscosity, 1e-14, "mu");
    ExpectRelative(r.properties.conductivity, reference.properties.conductivity, 1e-14, "lambda");
    ExpectRelative(r.properties.density, reference.properties.density, 1e-14, "rho");
    EXPECT_EQ(FormatPattern(r.properties.prandtl, Pattern::kSci3), "7.289E-001");
  }
}

TEST(Mixture, SingleSpeciesEqualsThePureGas) {
  for (std::size_t s = 0; s < kSpeciesCount; ++s) {
    SpeciesArray x{};
    x[s] = 3;
    const MixtureResult r = CalculateMixture(101325, 500, x);
    ASSERT_TRUE(r.ok()) << s;
    const MixtureProperties& p = r.properties;
    EXPECT_EQ(p.mole_fraction[s], 1);
    ExpectRelative(p.viscosity, p.species_viscosity[s], 1e-14, "mu");
    ExpectRelative(p.conductivity, p.species_conductivity[s] / kMasonSaxena, 1e-14, "lambda");
    ExpectRelative(p.cp, p.species_cp[s], 1e-14, "cp");
    ExpectRelative(p.molar_mass, AllSpecies()[s].molar_mass, 1e-15, "M");
  }
}

TEST(Mixture, AmountsAreMolarRatiosNotMassRatios) {
  SpeciesArray x{};
  x[kH2] = 1;
  x[kCH4] = 1;
  const MixtureProperties p = CalculateMixture(101325, 293.15, x).properties;
  EXPECT_EQ(p.mole_fraction[kH2], 0.5);
  EXPECT_EQ(p.mole_fraction[kCH4], 0.5);
  ExpectRelative(p.molar_mass, 9.02932, 1e-12, "M");
  ExpectRelative(p.mass_fraction[kH2], 0.1116297, 5e-7, "w_H2");
  ExpectRelative(p.mass_fraction[kCH4], 0.8883703, 5e-8, "w_CH4");
}

TEST(Mixture, DoublingThePressureDoublesDensityAndHalvesKinematicViscosity) {
  const MixtureProperties a = CalculateMixture(101325, 350, kAir).properties;
  const MixtureProperties b = CalculateMixture(202650, 350, kAir).properties;
  EXPECT_EQ(b.density, 2 * a.density);
  ExpectRelative(b.kinematic_viscosity, a.kinematic_viscosity / 2, 1e-15, "nu");
  EXPECT_EQ(b.viscosity, a.viscosity);
  EXPECT_EQ(b.conductivity, a.conductivity);
  EXPECT_EQ(b.cp, a.cp);
  EXPECT_EQ(b.prandtl, a.prandtl);
  EXPECT_EQ(b.prandtl_eucken, a.prandtl_eucken);
}

TEST(Mixture, FailsAtTheStepWhereArithmeticBreaks) {
  SpeciesArray n2{};
  n2[kN2] = 1;
  const struct {
    double pressure, temperature;
    SpeciesArray amounts;
    MixtureStep step;
    const char* what;
  } cases[] = {
      {101325, 0, kAir, MixtureStep::kTransport, "T = 0: viscosities of mixed signs"},
      {0, 293.15, kAir, MixtureStep::kKinematicViscosity, "P = 0: density zero"},
      {101325, 20, n2, MixtureStep::kTransport, "N2 alone at 20 K"},
      {101325, 3540, kAir, MixtureStep::kTransport,
       "above 3539 K water's viscosity fit is negative"},
      {101325, 31.7, kAir, MixtureStep::kTransport, "below 31.8 K"},
      {1e308, 293.15, kAir, MixtureStep::kDensity, "M·P overflows"},
      {101325, 293.15, {0, 1e308, 1e308}, MixtureStep::kNormalisation, "sum of amounts overflows"},
      {101325, 1e103, kAir, MixtureStep::kSpeciesProperties, "T³ overflows"},
  };
  for (const auto& c : cases) {
    const MixtureResult r = CalculateMixture(c.pressure, c.temperature, c.amounts);
    EXPECT_EQ(r.failed_step, c.step) << c.what;
  }
}

TEST(Mixture, ZeroPressureKeepsEverythingBeforeTheKinematicViscosity) {
  const MixtureResult r = CalculateMixture(0, 293.15, kAir);
  ASSERT_EQ(r.failed_step, MixtureStep::kKinematicViscosity);
  EXPECT_EQ(r.properties.density, 0);
  EXPECT_EQ(FormatPattern(r.properties.viscosity, Pattern::kSci3), "1.789E-005");
  EXPECT_EQ(FormatPattern(r.properties.gas_constant, Pattern::kSci3), "2.882E+002");
}

TEST(Mixture, WorksBetweenTheFailureLimits) {
  for (double t : {31.9, 100.0, 293.15, 1000.0, 3000.0, 3538.9}) {
    EXPECT_TRUE(CalculateMixture(101325, t, kAir).ok()) << t;
  }
}

// The literal formulas, written out independently, in the same order of operations.
MixtureProperties Independent(double pressure, double t, const SpeciesArray& x) {
  const auto& s = AllSpecies();
  MixtureProperties p;
  double sum = 0, mass_sum = 0, m = 0;
  for (std::size_t i = 0; i < 12; ++i) sum += x[i];
  for (std::size_t i = 0; i < 12; ++i) mass_sum += x[i] * s[i].molar_mass;
  SpeciesArray cp{}, lambda{}, mu{};
  for (std::size_t i = 0; i < 12; ++i) {
    p.mole_fraction[i] = x[i] / sum;
    p.mass_fraction[i] = x[i] * s[i].molar_mass / mass_sum;
    m += p.mole_fraction[i] * s[i].molar_mass;
    const auto& c = s[i].heat_capacity;
    cp[i] = (c[0] + c[1] * t + c[2] * (t * t) + c[3] * (t * t * t)) / s[i].molar_mass * 1000;
    const auto& a = s[i].conductivity;
    lambda[i] = a[0] + a[1] * t + a[2] * (t * t) + a[3] * (t * t * t);
    const auto& b = s[i].viscosity;
    mu[i] = b[0] + b[1] * t + b[2] * (t * t) + b[3] * (t * t * t);
  }
  p.molar_mass = m;
  double mix_cp = 0, mix_mu = 0, mix_lambda = 0;
  for (std::size_t i = 0; i < 12; ++i) mix_cp += p.mass_fraction[i] * cp[i];
  for (std::size_t i = 0; i < 12; ++i) {
    double d = 0;
    for (std::size_t j = 0; j < 12; ++j) {
      const double phi = std::pow(1 + std::pow(mu[i] / mu[j], 0.5) *
                                          std::pow(s[j].molar_mass / s[i].molar_mass, 0.25),
                                  2) *
                         std::pow(1 + s[i].molar_mass / s[j].molar_mass, -0.5) / std::sqrt(8.0);
      d += p.mole_fraction[j] * phi;
    }
    mix_mu += p.mole_fraction[i] * mu[i] / d;
    mix_lambda += p.mole_fraction[i] * lambda[i] / d / 1.065;
  }
  p.cp = mix_cp;
  p.viscosity = mix_mu;
  p.conductivity = mix_lambda;
  p.density = m * pressure / 8314.472 / t;
  p.gas_constant = 8314.472 / m;
  p.kinematic_viscosity = mix_mu / p.density;
  p.prandtl = mix_mu * mix_cp / mix_lambda;
  p.prandtl_eucken = mix_cp / (10393.09 / m + mix_cp);
  for (std::size_t i = 0; i < 12; ++i) p.species_prandtl[i] = cp[i] * mu[i] / lambda[i];
  p.species_cp = cp;
  p.species_conductivity = lambda;
  p.species_viscosity = mu;
  return p;
}

std::vector<std::pair<std::string, double>> Quantities(const MixtureProperties& p) {
  std::vector<std::pair<std::string, double>> q = {
      {"M", p.molar_mass},           {"rho", p.density},
      {"R", p.gas_constant},         {"cp", p.cp},
      {"lambda", p.conductivity},    {"mu", p.viscosity},
      {"nu", p.kinematic_viscosity}, {"Pr", p.prandtl},
      {"PrE", p.prandtl_eucken}};
  for (std::size_t i = 0; i < 12; ++i) {
    const std::string label(AllSpecies()[i].label);
    q.push_back({"y " + label, p.mole_fraction[i]});
    q.push_back({"w " + label, p.mass_fraction[i]});
    q.push_back({"cp " + label, p.species_cp[i]});
    q.push_back({"lambda " + label, p.species_conductivity[i]});
    q.push_back({"mu " + label, p.species_viscosity[i]});
    q.push_back({"Pr " + label, p.species_prandtl[i]});
  }
  return q;
}

TEST(Mixture, LiteralFormMatchesAnIndependentEvaluationBitForBit) {
  const SpeciesArray all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  for (double t : {100.0, 293.15, 777.7, 2500.0}) {
    const auto expected = Quantities(Independent(123456, t, all));
    const MixtureResult r = CalculateMixture(123456, t, all, WilkeForm::kLiteral);
    ASSERT_TRUE(r.ok());
    const auto actual = Quantities(r.properties);
    for (std::size_t k = 0; k < expected.size(); ++k) {
      EXPECT_EQ(actual[k].second, expected[k].second) << expected[k].first << " at " << t;
    }
  }
}

TEST(Mixture, FactoredWilkeFactorsAgreeWithTheLiteralFormula) {
  const SpeciesArray compositions[] = {
      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
      kAir,
      {0, 0, 0, 0, 0, 0, 0, 88.5, 4.6, 5.4, 0.8, 0.7},
      {1e-9, 0, 1, 0, 0, 1e6, 0, 0, 0, 0, 0, 3},
  };
  double worst = 0;
  for (const SpeciesArray& x : compositions) {
    for (double t = 32; t < 3539; t *= 1.07) {
      const MixtureResult fast = CalculateMixture(101325, t, x, WilkeForm::kFactored);
      const MixtureResult literal = CalculateMixture(101325, t, x, WilkeForm::kLiteral);
      ASSERT_EQ(fast.failed_step, literal.failed_step) << t;
      if (!fast.ok()) continue;
      const auto a = Quantities(fast.properties);
      const auto b = Quantities(literal.properties);
      for (std::size_t k = 0; k < a.size(); ++k) {
        if (b[k].second == 0) {
          EXPECT_EQ(a[k].second, 0);
          continue;
        }
        worst = std::max(worst, std::fabs(a[k].second - b[k].second) / std::fabs(b[k].second));
      }
    }
  }
  EXPECT_LE(worst, 1e-12);
}

TEST(Mixture, BothFormsFailAtTheSameStepBelowAndAboveTheViscosityLimits) {
  for (double t : {0.0, 5.0, 20.0, 31.7, 3539.5, 5000.0, 1e6}) {
    EXPECT_EQ(CalculateMixture(101325, t, kAir, WilkeForm::kFactored).failed_step,
              CalculateMixture(101325, t, kAir, WilkeForm::kLiteral).failed_step)
        << t;
  }
}

}  // namespace
}  // namespace toluvek
