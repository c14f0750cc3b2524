#include "tools/water/saturation.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "common/number_text.hpp"
#include "tools/water/saturation_window_model.hpp"

namespace toluvek {
namespace {

TEST(WaterVapourPressureTest, FitGivesOneAtmosphereAtTheBoilingPoint) {
  EXPECT_EQ(FormatPattern(WaterVapourPressure(373.15), Pattern::kFixed2), "760.11");
  EXPECT_EQ(FormatPattern(WaterVapourPressure(298.15), Pattern::kFixed2), "23.78");
}

TEST(WaterVapourPressureTest, SlopeIsTheDerivativeOfTheFit) {
  for (double t : {280.0, 373.15, 500.0, 640.0}) {
    const double h = 1e-3;
    const double numeric = (WaterVapourPressure(t + h) - WaterVapourPressure(t - h)) / (2 * h);
    EXPECT_NEAR(WaterVapourPressureSlope(t), numeric, 1e-6 * std::fabs(numeric)) << t;
  }
}

struct SaturationCase {
  double p_mmhg;
  const char* shown;  // "0.0"
};

// Shown in test listings instead of the case's raw bytes.
void PrintTo(const SaturationCase& c, std::ostream* os) {
  *os << c.p_mmhg << " mmHg";
}

class SaturationTemperatureTest : public testing::TestWithParam<SaturationCase> {};

TEST_P(SaturationTemperatureTest, ReachesTheDewPointShownWithOneDecimal) {
  const SaturationSearch search = SaturationTemperature(GetParam().p_mmhg);
  ASSERT_TRUE(search.solved);
  EXPECT_EQ(FormatPattern(search.t_celsius, Pattern::kFixed1), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, SaturationTemperatureTest,
                         testing::Values(SaturationCase{760, "100.0"}, SaturationCase{23.8, "25.0"},
                                         SaturationCase{100, "51.6"}, SaturationCase{10, "11.5"},
                                         // Just above the triple point's 4.58 mmHg.
                                         SaturationCase{4.7, "0.1"}));

TEST(SaturationTemperatureTest, OneAtmosphereTakesSevenNewtonUpdates) {
  const SaturationSearch search = SaturationTemperature(760);
  ASSERT_TRUE(search.solved);
  EXPECT_EQ(search.steps, 7);
  EXPECT_NEAR(search.t_celsius, 99.996, 0.0005);
}

// Below the triple point the iteration reaches roots of the polynomial far outside water's
// liquid range (1 mmHg lands near −200 ℃); above the critical point there is no dew point.
TEST(SaturationTemperatureTest, RootOutsideTheLiquidRangeIsNoSolution) {
  for (double p : {1.0, 4.6, 0.0, -1.0, 1e6, 1e10}) {
    EXPECT_FALSE(SaturationTemperature(p).solved) << p;
  }
}

TEST(SaturationTemperatureTest, WanderingIterationStopsAfterTheCounterLimit) {
  // −77.8 mmHg (a negative reading) never settles: 1001 updates are tested, the 1002nd ends it.
  const SaturationSearch search = SaturationTemperature(-77.8);
  EXPECT_FALSE(search.solved);
  EXPECT_EQ(search.steps, 1002);
}

struct PartialPressureCase {
  const char* fraction;
  const char* pressure;
  PressureUnit unit;
  const char* label1;
};

// Shown in test listings instead of the case's raw bytes: the water fraction and the pressure.
void PrintTo(const PartialPressureCase& c, std::ostream* os) {
  const char* unit = c.unit == PressureUnit::kPa    ? "Pa"
                     : c.unit == PressureUnit::kAtm ? "atm"
                                                    : "kgf/cm2";
  *os << "x=" << c.fraction << " p=" << c.pressure << ' ' << unit;
}

class PartialPressureTest : public testing::TestWithParam<PartialPressureCase> {};

TEST_P(PartialPressureTest, ConvertsTheMainWindowsPressureToMmHg) {
  const PartialPressureCase& c = GetParam();
  const SaturationDisplay display = ComputeSaturationDisplay(c.fraction, c.pressure, c.unit);
  EXPECT_EQ(display.status, SaturationStatus::kSolved);
  EXPECT_EQ(display.label1, c.label1);
  EXPECT_TRUE(SaturationMessages(display.status).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Units, PartialPressureTest,
    testing::Values(
        PartialPressureCase{"0.5", "1", PressureUnit::kAtm, "380.0mmHg →"},
        PartialPressureCase{"5.000E-001", "1.01325E+005", PressureUnit::kPa, "380.0mmHg →"},
        PartialPressureCase{"0.5", "1.03323E+000", PressureUnit::kKgfCm2, "380.0mmHg →"},
        // Leading numbers only, as the main window's texts are read.
        PartialPressureCase{"1.000E+000xyz", "1atm", PressureUnit::kAtm, "760.0mmHg →"}));

TEST(SaturationDisplayTest, ShowsPartialPressureAndTemperature) {
  const SaturationDisplay display = ComputeSaturationDisplay("1.000E+000", "1", PressureUnit::kAtm);
  EXPECT_EQ(display.label1, "760.0mmHg →");
  EXPECT_EQ(display.label2, "100.0℃");
  EXPECT_DOUBLE_EQ(display.partial_pressure_mmhg, 760);
}

TEST(SaturationDisplayTest, DryGasShowsNoSolutionThenErrorAndKeepsCaptions) {
  // 1 mmHg at 1 atm: a water mole fraction of 1/760.
  const SaturationDisplay display = ComputeSaturationDisplay("1.316E-003", "1", PressureUnit::kAtm);
  EXPECT_EQ(display.status, SaturationStatus::kNoSolution);
  EXPECT_EQ(display.label1, "Label1");
  EXPECT_EQ(display.label2, "Label2");
  const std::vector<Message> shown = SaturationMessages(display.status);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], (Message{"解が見つかりません!", "Toluvek", MessageIcon::kNone}));
  EXPECT_EQ(shown[1], (Message{"エラー!", "Toluvek", MessageIcon::kNone}));
}

TEST(SaturationDisplayTest, ArithmeticFaultShowsErrorAlone) {
  const struct {
    const char* fraction;
    const char* pressure;
  } cases[] = {
      {"10", "1E+308"},  // P·y overflows
      {"1", "1E+300"},   // the polynomial overflows
      {"1", "1E+999"},   // the pressure text itself is beyond a double
  };
  for (const auto& c : cases) {
    const SaturationDisplay display =
        ComputeSaturationDisplay(c.fraction, c.pressure, PressureUnit::kAtm);
    EXPECT_EQ(display.status, SaturationStatus::kFault) << c.pressure;
    const std::vector<Message> shown = SaturationMessages(display.status);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "エラー!");
    EXPECT_EQ(display.label2, "Label2");
  }
}

}  // namespace
}  // namespace toluvek
