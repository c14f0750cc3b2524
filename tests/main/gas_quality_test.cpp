#include "main/gas_quality.hpp"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "common/number_text.hpp"
#include "main/engineering_units.hpp"
#include "main/messages.hpp"
#include "main/presets.hpp"

namespace toluvek {
namespace {

// Relative agreement to hand arithmetic carried to 16 digits.
void ExpectClose(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-12) << what;
}

AmountsInput PresetAmounts(Preset preset) {
  std::array<std::string, kSpeciesCount> texts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    texts[i] = FormatGeneral(PresetFor(preset).amounts[i]);
  }
  return ReadAmounts(texts);
}

// Methane by hand, from the program's data: M = 16.04276 kg/kmol, HHV 890.3 and LHV
// 802.3 MJ/kmol, 2 mol O2 per mol.
//   normal molar volume  V_N = 8314.472 × 273.15 / 101325 = 22.413994836417466 m³N/kmol
//   air                  M_air = 0.21 × 31.9988 + 0.79 × 28.01348 = 28.8503972 kg/kmol
//   per kg               890.3 / 16.04276 = 55.495438440767046 MJ/kg, LHV 50.01009801306009
//   per m³N              890.3 / V_N = 39.720719420951774 MJ/m³N, LHV 35.79460091141144
//   relative density     d = 16.04276 / 28.8503972 = 0.5560672142149918
//   Wobbe                39.720719420951774 / √d = 53.26641408951169 MJ/m³N,
//                        LHV 35.79460091141144 / √d = 48.001397308789436
//   air                  2 / 0.21 = 9.523809523809524 m³N/m³N,
//                        × 28.8503972 / 16.04276 = 17.127083345948428 kg/kg
TEST(GasQuality, MethaneMatchesTheHandCalculation) {
  SpeciesArray x{};
  x[kCH4] = 1;
  const GasQuality q = ComputeGasQuality(x);
  ExpectClose(NormalMolarVolume(), 22.413994836417466, "V_N");
  ExpectClose(AirMolarMass(), 28.8503972, "M_air");
  ExpectClose(q.molar_mass, 16.04276, "M");
  ExpectClose(q.hhv_molar, 890.3e6, "HHV J/kmol");
  ExpectClose(q.lhv_molar, 802.3e6, "LHV J/kmol");
  ExpectClose(q.hhv_mass, 55.495438440767046e6, "HHV J/kg");
  ExpectClose(q.lhv_mass, 50.01009801306009e6, "LHV J/kg");
  ExpectClose(q.hhv_volume, 39.720719420951774e6, "HHV J/m3N");
  ExpectClose(q.lhv_volume, 35.79460091141144e6, "LHV J/m3N");
  ExpectClose(q.relative_density, 0.5560672142149918, "d");
  ExpectClose(q.wobbe_higher, 53.26641408951169e6, "WI higher");
  ExpectClose(q.wobbe_lower, 48.001397308789436e6, "WI lower");
  ExpectClose(q.air_volume, 9.523809523809524, "air m3N/m3N");
  ExpectClose(q.air_mass, 17.127083345948428, "air kg/kg");
}

// The Tokyo 13A preset by hand: CH4 88.5, C2H6 4.6, C3H8 5.4, n-C4H10 0.8, i-C4H10 0.7 %.
//   M   = .885×16.04276 + .046×30.06904 + .054×44.09652 + .008×58.1222 + .007×58.1222
//       = 18.83406352 kg/kmol
//   HHV = .885×890.3 + .046×1559.8 + .054×2220 + .008×2877 + .007×2868.7 = 1022.6432 MJ/kmol
//   LHV = .885×802.3 + .046×1427.8 + .054×2044 + .008×2657 + .007×2648.7 = 925.8872 MJ/kmol
//   O2  = .885×2 + .046×3.5 + .054×5 + .008×6.5 + .007×6.5 = 2.2985 mol/mol
//   per kg   1022.6432 / 18.83406352 = 54.29753376981282 MJ/kg, LHV 49.160246221788235
//   per m³N  1022.6432 / 22.413994836417466 = 45.625209047449474 MJ/m³N, LHV 41.30844174620988
//   d        18.83406352 / 28.8503972 = 0.6528181705588443
//   Wobbe    45.625209047449474 / √d = 56.46882490134588 MJ/m³N, LHV 51.1261035864683
//   air      2.2985 / 0.21 = 10.945238095238096 m³N/m³N, × 28.8503972 / 18.83406352
//            = 16.766135792250445 kg/kg
TEST(GasQuality, TokyoPresetMatchesTheHandCalculation) {
  const GasQualityOutcome outcome = EvaluateGasQuality(PresetAmounts(Preset::kTokyo));
  ASSERT_EQ(outcome.message, nullptr);
  const GasQuality& q = outcome.quality;
  ExpectClose(q.molar_mass, 18.83406352, "M");
  ExpectClose(q.hhv_molar, 1022.6432e6, "HHV J/kmol");
  ExpectClose(q.lhv_molar, 925.8872e6, "LHV J/kmol");
  ExpectClose(q.hhv_mass, 54.29753376981282e6, "HHV J/kg");
  ExpectClose(q.lhv_mass, 49.160246221788235e6, "LHV J/kg");
  ExpectClose(q.hhv_volume, 45.625209047449474e6, "HHV J/m3N");
  ExpectClose(q.lhv_volume, 41.30844174620988e6, "LHV J/m3N");
  ExpectClose(q.relative_density, 0.6528181705588443, "d");
  ExpectClose(q.wobbe_higher, 56.46882490134588e6, "WI higher");
  ExpectClose(q.wobbe_lower, 51.1261035864683e6, "WI lower");
  ExpectClose(q.air_volume, 10.945238095238096, "air m3N/m3N");
  ExpectClose(q.air_mass, 16.766135792250445, "air kg/kg");
}

TEST(GasQuality, TheAirPresetIsTheReferenceAndNeedsNoAir) {
  const GasQualityOutcome outcome = EvaluateGasQuality(PresetAmounts(Preset::kAir));
  ASSERT_EQ(outcome.message, nullptr);
  ExpectClose(outcome.quality.relative_density, 1, "d of air");
  EXPECT_EQ(outcome.quality.hhv_volume, 0);
  EXPECT_EQ(outcome.quality.wobbe_lower, 0);
  EXPECT_EQ(outcome.quality.air_volume, 0);  // its oxygen is left over, not a negative demand
}

TEST(GasQuality, OxygenInTheGasCountsAgainstItsAir) {
  // Half CH4, half O2: 0.5 × 2 − 0.5 = 0.5 mol O2 to find per mol, 0.5 / 0.21 of air.
  SpeciesArray x{};
  x[kCH4] = 0.5;
  x[kO2] = 0.5;
  ExpectClose(ComputeGasQuality(x).air_volume, 0.5 / 0.21, "air");
  // Amounts in any unit: 2 CH4 with 1 O2 need (4 − 1) / 0.21 of air.
  SpeciesArray amounts{};
  amounts[kCH4] = 2;
  amounts[kO2] = 1;
  ExpectClose(StoichiometricAir(amounts), 3 / 0.21, "air for amounts");
}

TEST(GasQuality, WithAirAddsTheRatioOfStoichiometricAirAsOxygenAndNitrogen) {
  SpeciesArray amounts{};
  amounts[kCH4] = 1;
  amounts[kN2] = 1;
  // 10 % excess: 1.1 × 2 / 0.21 of air, 2.2 mol O2 and 1.1 × 2 / 0.21 × 0.79 mol N2 beside 1.
  const SpeciesArray with_air = WithAir(amounts, 1.1);
  ExpectClose(with_air[kO2], 2.2, "O2");
  ExpectClose(with_air[kN2], 1 + 1.1 * 2 / 0.21 * 0.79, "N2");
  EXPECT_EQ(with_air[kCH4], 1);
  EXPECT_EQ(WithAir(amounts, 0), amounts);
}

TEST(GasQuality, TheCalculateCommandsChecksOnTheAmountsStopIt) {
  const struct {
    const char* name;
    std::array<std::string, kSpeciesCount> texts;
    const Message* message;
  } cases[] = {
      {"all zero",
       {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
       &messages::kAmountsAllZero},
      {"negative",
       {"0", "0", "0", "0", "0", "0", "0", "-1", "2", "0", "0", "0"},
       &messages::kAmountNegative},
      {"empty",
       {"0", "0", "0", "0", "0", "0", "0", "", "2", "0", "0", "0"},
       &messages::kAmountEmpty},
      {"not a number",
       {"0", "0", "0", "0", "0", "0", "0", "x", "2", "0", "0", "0"},
       &messages::kCheckInput},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EvaluateGasQuality(ReadAmounts(c.texts)).message, c.message) << c.name;
  }
}

TEST(EngineeringUnits, PressuresConvertToAbsolutePascal) {
  const struct {
    double reading;
    const char* unit;
    bool gauge;
    double pascal;
  } cases[] = {
      {0.5, "MPa", true, 601325},     {0.5, "MPa", false, 500000},
      {1, "bar", false, 100000},      {101.325, "kPa", false, 101325},
      {0, "kPa", true, 101325},       {2, "atm", false, 202650},
      {1, "kgf/cm2", true, 199391.5}, {760, "mmHg", false, 101325.01443540001},
      {-1, "Pa", false, -1},
  };
  for (const auto& c : cases) {
    const std::optional<double> pascal = AbsolutePascal(c.reading, c.unit, c.gauge);
    ASSERT_TRUE(pascal) << c.unit;
    ExpectClose(*pascal, c.pascal, c.unit);
  }
  EXPECT_FALSE(AbsolutePascal(1, "psi", false));
  EXPECT_THROW(AbsolutePascal(1e308, "MPa", false), ArithmeticFault);
}

TEST(EngineeringUnits, FlowsConvertToTheWindowsUnits) {
  const struct {
    double reading;
    const char* unit;
    const char* window_unit;
    double value;
  } cases[] = {
      {60, "Nm3/h", "Nl/min", 1000},
      {60, "mol/h", "Nl/min", 22.413994836417466},  // one normal molar volume per minute
      {22.413994836417466, "Nm3/h", "mol/h", 1000},
      {3600, "kg/h", "kg/s", 1},
      {7, "kg/s", "kg/s", 7},
  };
  for (const auto& c : cases) {
    const std::optional<double> value = ConvertFlow(c.reading, c.unit, c.window_unit);
    ASSERT_TRUE(value) << c.unit << " -> " << c.window_unit;
    ExpectClose(*value, c.value, c.unit);
  }
  // A mass flow is no volume without the gas's molar mass.
  EXPECT_FALSE(ConvertFlow(1, "kg/h", "Nl/min"));
  EXPECT_FALSE(ConvertFlow(1, "Nl/min", "kg/s"));
}

}  // namespace
}  // namespace toluvek
