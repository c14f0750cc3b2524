#include "tools/water/water_heat.hpp"

#include <gtest/gtest.h>

namespace toluvek {
namespace {

WaterEnthalpyInput Water(const char* flow, WaterFlowUnit unit, const char* t1, const char* t2,
                         WaterPhase phase) {
  return {flow, unit, t1, t2, phase};
}

constexpr auto kGramPerMinute = WaterFlowUnit::kGramPerMinute;
constexpr auto kLiquid = WaterPhase::kLiquid;
constexpr auto kGas = WaterPhase::kGas;

struct HeatCase {
  const char* name;
  WaterEnthalpyInput input;
  double watts;
  double tolerance;
  const char* number;
  const char* unit;
};

TEST(WaterHeatTest, HeatsAndEvaporatesAFlowOfWater) {
  const double n = 100 / 18.01528 / 60;  // mol/s of 100 g/min
  const HeatCase kCases[] = {
      {"warming liquid", Water("100", kGramPerMinute, "25", "75", kLiquid), 348.54, 0.005,
       "3.4854E+002", "W"},
      {"to vapour at 100 ℃", Water("100", kGramPerMinute, "25", "100", kGas), 4288.36, 0.005,
       "4.2884E+000", "kW"},
      {"cooling liquid", Water("100", kGramPerMinute, "75", "25", kLiquid), -348.54, 0.005,
       "-3.4854E+002", "W"},
      {"no change", Water("100", kGramPerMinute, "25", "25", kLiquid), 0, 0, "0.0000E+000", "W"},
      {"evaporating at 25 ℃", Water("100", kGramPerMinute, "25", "25", kGas), 43.79e3 * n, 0.5,
       "4.0507E+000", "kW"},
      {"the same flow in mol/h",
       Water("333.0506610707519", WaterFlowUnit::kMolPerHour, "25", "75", kLiquid), 348.54, 0.005,
       "3.4854E+002", "W"},
      {"the same flow in kg/h", Water("6", WaterFlowUnit::kKgPerHour, "25", "75", kLiquid), 348.54,
       0.005, "3.4854E+002", "W"},
  };
  for (const HeatCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::optional<double> q = ComputeWaterHeat(c.input);
    ASSERT_TRUE(q);
    EXPECT_NEAR(*q, c.watts, c.tolerance);
    const WaterPowerText shown = FormatWaterPower(*q);
    EXPECT_EQ(shown.number, c.number);
    EXPECT_EQ(shown.unit, c.unit);
  }
}

TEST(WaterHeatTest, EnthalpiesAreReferredToLiquidAt25Celsius) {
  EXPECT_NEAR(LiquidWaterEnthalpy(298.15), 0.0003, 0.00005);  // kJ/mol, that is 0.3 J/mol
  EXPECT_NEAR(WaterVapourEnthalpy(373.15) - LiquidWaterEnthalpy(373.15), 40.693, 0.0005);
}

TEST(WaterHeatTest, NoUnitOrNoPhaseChosenGivesNoHeat) {
  EXPECT_EQ(ComputeWaterHeat({"100", std::nullopt, "25", "75", kLiquid}), 0.0);
  EXPECT_EQ(ComputeWaterHeat({"100", kGramPerMinute, "25", "75", std::nullopt}), 0.0);
  // The texts are read all the same.
  EXPECT_EQ(ComputeWaterHeat({"x", std::nullopt, "25", "75", std::nullopt}), std::nullopt);
}

TEST(WaterHeatTest, TextThatIsNotANumberOrOverflowIsAnInputError) {
  const WaterEnthalpyInput kCases[] = {
      Water("", kGramPerMinute, "25", "75", kLiquid),
      Water("100", kGramPerMinute, "25℃", "75", kLiquid),
      Water("100", kGramPerMinute, "25", " ", kGas),
      Water("1e308", WaterFlowUnit::kKgPerHour, "25", "75", kLiquid),
      Water("100", kGramPerMinute, "25", "1e103", kLiquid),
      Water("100", kGramPerMinute, "1e103", "25", kGas),
  };
  for (const WaterEnthalpyInput& input : kCases) {
    SCOPED_TRACE(input.flow + " " + input.t1 + " " + input.t2);
    EXPECT_EQ(ComputeWaterHeat(input), std::nullopt);
  }
}

// The scale follows the signed value: a cooling of any size stays in W.
TEST(WaterHeatTest, PowerScaleIsChosenOnTheSignedValue) {
  const struct {
    double watts;
    const char* number;
    const char* unit;
  } kCases[] = {
      {1000, "1.0000E+003", "W"},     {1000.5, "1.0005E+000", "kW"},
      {1000000, "1.0000E+003", "kW"}, {2500000, "2.5000E+000", "MW"},
      {-5000, "-5.0000E+003", "W"},   {-2500000, "-2.5000E+006", "W"},
      {-0.0, "0.0000E+000", "W"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.watts);
    const WaterPowerText shown = FormatWaterPower(c.watts);
    EXPECT_EQ(shown.number, c.number);
    EXPECT_EQ(shown.unit, c.unit);
  }
}

}  // namespace
}  // namespace toluvek
