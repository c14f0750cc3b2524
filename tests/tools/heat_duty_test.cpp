#include "tools/enthalpy/heat_duty.hpp"

#include <gtest/gtest.h>

#include "common/number_text.hpp"
#include "main/calculate_command.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"

namespace toluvek {
namespace {

SpeciesTexts With(std::initializer_list<std::pair<SpeciesIndex, const char*>> texts,
                  const char* others) {
  SpeciesTexts result;
  result.fill(others);
  for (const auto& [index, text] : texts) result[index] = text;
  return result;
}

// Pure N2 as the main window shows it after its calculation.
HeatDutyInput Nitrogen(const char* flow, const char* t1, const char* t2) {
  HeatDutyInput input;
  input.flow = flow;
  input.t1 = t1;
  input.t2 = t2;
  input.amounts = With({{kN2, "1"}}, "0");
  input.mole_fractions = With({{kN2, "1.000E+000"}}, "0.000E+000");
  input.mass_fractions = With({{kN2, "1.000E+000"}}, "0.000E+000");
  input.molar_mass = "2.801E+001";
  return input;
}

// Methane 1, water 1, methanol 2 (mole fractions 0.25, 0.25, 0.5).
HeatDutyInput WetFuel(FlowUnit unit) {
  HeatDutyInput input;
  input.flow = "1";
  input.flow_unit = unit;
  input.t1 = "25";
  input.t2 = "25";
  input.amounts = With({{kCH4, "1"}, {kH2O, "1"}, {kCH3OH, "2"}}, "0");
  input.mole_fractions =
      With({{kCH4, "2.500E-001"}, {kH2O, "2.500E-001"}, {kCH3OH, "5.000E-001"}}, "0.000E+000");
  input.mass_fractions =
      With({{kCH4, "1.603E-001"}, {kH2O, "1.800E-001"}, {kCH3OH, "6.597E-001"}}, "0.000E+000");
  input.molar_mass = "2.503E+001";
  return input;
}

TEST(HeatDutyTest, NormalMolarVolumeIsFormedFromTheGasConstant) {
  EXPECT_EQ(kNormalMolarVolume, 22.413994836417466);
}

TEST(HeatDutyTest, NitrogenFrom25To125CelsiusAtOneNormalLitrePerMinute) {
  const HeatDutyResult result = ComputeHeatDuty(Nitrogen("1", "25", "125"));
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(*result.enthalpy_rise, 2888.89, 0.005);
  EXPECT_NEAR(*result.molar_flow, 7.43583e-4, 5e-10);
  EXPECT_NEAR(*result.heat_duty, 2.14813, 5e-6);
  const ScaledPower shown = FormatPower(*result.heat_duty);
  EXPECT_EQ(shown.text, "2.1481E+000");
  EXPECT_EQ(HeatDutyUnitCaption(shown.scale), " W");
  EXPECT_EQ(result.unit_caption, "Nl/min");
  EXPECT_EQ(result.species_flow, With({{kN2, "1.0000E+000"}}, "0.0000E+000"));
  // Nitrogen has no heating value and holds no water or methanol.
  EXPECT_FALSE(result.lhv_power);
  EXPECT_FALSE(result.hhv_power);
  EXPECT_FALSE(result.water_latent);
  EXPECT_FALSE(result.methanol_latent);
  EXPECT_TRUE(HeatDutyMessages(result).empty());
}

TEST(HeatDutyTest, EqualTemperaturesNeedNoHeat) {
  const HeatDutyResult result = ComputeHeatDuty(Nitrogen("1", "25", "25"));
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(FormatPower(*result.heat_duty).text, "0.0000E+000");
  EXPECT_EQ(HeatDutyUnitCaption(FormatPower(*result.heat_duty).scale), " W");
}

TEST(HeatDutyTest, EachFlowUnitGivesItsMolarFlowAndSpeciesBasis) {
  const struct {
    FlowUnit unit;
    double molar_flow;  // [mol/s] for F = 1
    const char* caption;
    const char* methanol_flow;
  } kCases[] = {
      {FlowUnit::kNlPerMin, 1 / 22.413994836417466 / 60, "Nl/min", "5.0000E-001"},
      {FlowUnit::kMolPerHour, 1.0 / 3600, "mol/h", "5.0000E-001"},
      {FlowUnit::kKgPerSecond, 1 / 25.03 * 1000, "kg/s", "6.5970E-001"},  // mass fractions
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.caption);
    const HeatDutyResult result = ComputeHeatDuty(WetFuel(c.unit));
    ASSERT_TRUE(result.ok());
    EXPECT_DOUBLE_EQ(*result.molar_flow, c.molar_flow);
    EXPECT_EQ(result.unit_caption, c.caption);
    EXPECT_EQ((*result.species_flow)[kCH3OH], c.methanol_flow);
    // The heating values and latent heats follow the same molar flow.
    EXPECT_DOUBLE_EQ(*result.lhv_power, (0.25 * 802.3 + 0.5 * 675.6) * 1000 * c.molar_flow);
    EXPECT_DOUBLE_EQ(*result.hhv_power, (0.25 * 890.3 + 0.5 * 763.6) * 1000 * c.molar_flow);
    EXPECT_DOUBLE_EQ(*result.water_latent, 0.25 * 40660.48696 * c.molar_flow);
    EXPECT_DOUBLE_EQ(*result.methanol_latent, 0.5 * 38130.1704 * c.molar_flow);
  }
}

TEST(HeatDutyTest, LatentHeatsNeedAPositiveDisplayedFraction) {
  HeatDutyInput input = WetFuel(FlowUnit::kMolPerHour);
  input.mole_fractions[kH2O] = "0.000E+000";
  input.mole_fractions[kCH3OH] = "-1.000E-003";
  const HeatDutyResult result = ComputeHeatDuty(input);
  ASSERT_TRUE(result.ok());
  EXPECT_FALSE(result.water_latent);
  EXPECT_FALSE(result.methanol_latent);
  EXPECT_TRUE(result.lhv_power);
}

// All twelve displayed fractions are read strictly for the species flows, before the lenient
// test of the water fraction could count an empty field as no water.
TEST(HeatDutyTest, EmptyWaterFractionIsAnInputError) {
  HeatDutyInput input = WetFuel(FlowUnit::kMolPerHour);
  input.mole_fractions[kH2O] = "";
  const HeatDutyResult result = ComputeHeatDuty(input);
  EXPECT_EQ(result.stop, HeatDutyStop::kCheckInput);
  EXPECT_TRUE(result.closes_window());
  EXPECT_EQ(HeatDutyMessages(result), std::vector<Message>{messages::kCheckInput});
  EXPECT_FALSE(result.species_flow);
}

TEST(HeatDutyTest, NegativeAbsoluteTemperatureWarnsAndGoesOn) {
  const HeatDutyResult result = ComputeHeatDuty(Nitrogen("1", "-300", "25"));
  ASSERT_TRUE(result.ok());
  EXPECT_TRUE(result.temperature_negative);
  EXPECT_EQ(HeatDutyMessages(result), std::vector<Message>{messages::kTemperatureNegative});
  EXPECT_EQ(messages::kTemperatureNegative.text, "絶対温度が負です!!");
  EXPECT_TRUE(result.heat_duty);
}

TEST(HeatDutyTest, AllAmountsZeroClosesTheWindowWithTwoMessages) {
  HeatDutyInput input = Nitrogen("1", "25", "125");
  input.amounts = With({}, "0");
  const HeatDutyResult result = ComputeHeatDuty(input);
  EXPECT_EQ(result.stop, HeatDutyStop::kAmountsAllZero);
  EXPECT_TRUE(result.closes_window());
  EXPECT_EQ(
      HeatDutyMessages(result),
      (std::vector<Message>{{"mol体積が全て０です！！", "入力値エラー", MessageIcon::kExclamation},
                            messages::kCheckInput}));
  EXPECT_FALSE(result.species_flow);
}

TEST(HeatDutyTest, NegativeFlowStopsAfterTheSpeciesFlowsAndCaption) {
  HeatDutyInput input = Nitrogen("-2", "-300", "25");
  input.flow_unit = FlowUnit::kMolPerHour;
  const HeatDutyResult result = ComputeHeatDuty(input);
  EXPECT_EQ(result.stop, HeatDutyStop::kNegativeFlow);
  EXPECT_FALSE(result.closes_window());
  EXPECT_EQ(
      HeatDutyMessages(result),
      (std::vector<Message>{messages::kTemperatureNegative,
                            {"ガス流量が負です!!", "エラーメッセージ", MessageIcon::kCritical}}));
  EXPECT_EQ(result.species_flow, With({{kN2, "-2.0000E+000"}}, "0.0000E+000"));
  EXPECT_EQ(result.unit_caption, "mol/h");
  EXPECT_FALSE(result.heat_duty);
  EXPECT_FALSE(result.lhv_power);
}

TEST(HeatDutyTest, UnreadableTextOrArithmeticFaultClosesTheWindow) {
  const struct {
    const char* name;
    void (*spoil)(HeatDutyInput&);
  } kCases[] = {
      {"empty start temperature", [](HeatDutyInput& in) { in.t1 = ""; }},
      {"end temperature with a unit", [](HeatDutyInput& in) { in.t2 = "125C"; }},
      {"empty amount", [](HeatDutyInput& in) { in.amounts[kIC4H10] = ""; }},
      {"flow not a number", [](HeatDutyInput& in) { in.flow = "one"; }},
      {"zero molar mass in kg/s",
       [](HeatDutyInput& in) {
         in.flow_unit = FlowUnit::kKgPerSecond;
         in.molar_mass = "0";
       }},
      {"empty mass fraction in kg/s",
       [](HeatDutyInput& in) {
         in.flow_unit = FlowUnit::kKgPerSecond;
         in.mass_fractions[kH2] = "";
       }},
      {"amounts overflowing",
       [](HeatDutyInput& in) { in.amounts[kO2] = in.amounts[kN2] = "1e308"; }},
      {"temperature beyond the enthalpy fits", [](HeatDutyInput& in) { in.t2 = "1e100"; }},
      {"flow overflowing the species flows",
       [](HeatDutyInput& in) {
         in.flow = "1e308";
         in.mole_fractions[kN2] = "2";
       }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    HeatDutyInput input = Nitrogen("1", "25", "125");
    c.spoil(input);
    const HeatDutyResult result = ComputeHeatDuty(input);
    EXPECT_EQ(result.stop, HeatDutyStop::kCheckInput);
    EXPECT_EQ(HeatDutyMessages(result).back(), messages::kCheckInput);
    EXPECT_FALSE(result.heat_duty);
  }
}

TEST(HeatDutyTest, MolarMassIsNotReadOutsideKgPerSecond) {
  HeatDutyInput input = Nitrogen("1", "25", "125");
  input.molar_mass = "";
  input.mass_fractions = With({}, "");
  EXPECT_TRUE(ComputeHeatDuty(input).ok());
}

struct PowerCase {
  double watts;
  const char* text;
  PowerScale scale;
};

TEST(FormatPowerTest, ScaleFollowsTheMagnitudeWithStrictThresholds) {
  const PowerCase kCases[] = {
      {0, "0.0000E+000", PowerScale::kOne},          {-0.0, "0.0000E+000", PowerScale::kOne},
      {2.14813, "2.1481E+000", PowerScale::kOne},    {1000, "1.0000E+003", PowerScale::kOne},
      {1000.5, "1.0005E+000", PowerScale::kKilo},    {-1000, "-1.0000E+003", PowerScale::kOne},
      {-1000.5, "-1.0005E+000", PowerScale::kKilo},  {1234.5, "1.2345E+000", PowerScale::kKilo},
      {1000000, "1.0000E+003", PowerScale::kKilo},   {1000001, "1.0000E+000", PowerScale::kMega},
      {-2000000, "-2.0000E+000", PowerScale::kMega}, {-1000000, "-1.0000E+003", PowerScale::kKilo},
      {3.5e12, "3.5000E+006", PowerScale::kMega},
  };
  for (const PowerCase& c : kCases) {
    SCOPED_TRACE(c.watts);
    const ScaledPower power = FormatPower(c.watts);
    EXPECT_EQ(power.text, c.text);
    EXPECT_EQ(power.scale, c.scale);
  }
}

TEST(FormatPowerTest, EachPlaceWritesItsOwnUnitText) {
  const struct {
    double watts;
    const char* caption;
    const char* heating_value;
    const char* latent_heat;
  } kCases[] = {
      {2.5, " W", "2.5000E+000 W", "(2.5000E+000 W)"},
      {2500, "kW", "2.5000E+000 kW", "(2.5000E+000 kW)"},
      {-2500000, "MW", "-2.5000E+000 MW", "(-2.5000E+000 MW)"},
  };
  for (const auto& c : kCases) {
    const ScaledPower power = FormatPower(c.watts);
    EXPECT_EQ(HeatDutyUnitCaption(power.scale), c.caption);
    EXPECT_EQ(HeatingValueText(power), c.heating_value);
    EXPECT_EQ(LatentHeatText(power), c.latent_heat);
  }
}

}  // namespace
}  // namespace toluvek
