#include "tools/chart/property_chart.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "common/number_text.hpp"
#include "main/state_check.hpp"

namespace toluvek {
namespace {

ChartMixture Air() {
  ChartMixture air{"1.01325E+005", PressureUnit::kPa, {}};
  air.amounts.fill("0");
  air.amounts[kO2] = "21";
  air.amounts[kN2] = "79";
  return air;
}

TEST(PropertyChart, DryAirCpOverTheDefaultRangeIsOneSmoothCurve) {
  const ChartSeries s = MakeChartSeries(ChartProperty::kCp, Air(), ChartRange{});
  EXPECT_EQ(s.message, "");
  ASSERT_EQ(s.points.size(), 351u);
  EXPECT_EQ(s.points.front().temperature, 0);
  EXPECT_EQ(s.points[1].temperature, 2);
  EXPECT_EQ(s.points.back().temperature, 700);
  EXPECT_EQ(s.Segments().size(), 1u);
  // The default range lies wholly inside the fits.
  EXPECT_TRUE(s.outside_fits.empty());
  const SpeciesArray air{0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(s.points[10].value, CalculateMixture(101325, 20 + kKelvinOffset, air).properties.cp);
  EXPECT_EQ(s.title, "cp of O2 21 %, N2 79 % at 1.01325E+005 Pa");
  EXPECT_EQ(s.x_title, "Temperature [℃]");
  EXPECT_EQ(s.y_title, "cp [J/(kg·K)]");
}

// Below about 40 K a correlation turns negative and the calculation fails: those points are
// left out, never drawn as zero.
TEST(PropertyChart, FailedPointsAreGapsNotZeros) {
  ChartMixture air = Air();
  air.pressure = "2";
  air.pressure_unit = PressureUnit::kAtm;
  const ChartSeries s =
      MakeChartSeries(ChartProperty::kViscosity, air, {"0", "100", TemperatureUnit::kKelvin});
  ASSERT_EQ(s.message, "");
  ASSERT_EQ(s.points.size(), 201u);
  EXPECT_FALSE(s.points.front().ok);
  EXPECT_TRUE(s.points.back().ok);
  const auto segments = s.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_GT(segments.front().front().temperature, 0);
  for (const ChartPoint& p : segments.front()) EXPECT_GT(p.value, 0);
  EXPECT_EQ(s.title, "μ of O2 21 %, N2 79 % at 2 atm");

  ChartSeries gaps;
  gaps.points = {{1, 1, true}, {2, 0, false}, {3, 3, true}, {4, 4, true}, {5, 0, false}};
  ASSERT_EQ(gaps.Segments().size(), 2u);
  EXPECT_EQ(gaps.Segments()[1].size(), 2u);
  EXPECT_EQ(ChartCsv(gaps, ChartProperty::kPrandtl, TemperatureUnit::kKelvin),
            "temperature_K,prandtl\r\n1,1\r\n2,\r\n3,3\r\n4,4\r\n5,\r\n");
}

// The curve is calculated a run of states at a time: every point, on either side of a failure,
// at the ends of the runs and at an end of the range off the step, is what the calculate
// command gives for its state alone, to the bit.
TEST(PropertyChart, EveryPointIsWhatItsStateGivesAlone) {
  struct Case {
    ChartProperty property;
    ChartRange range;
  };
  const Case cases[] = {
      {ChartProperty::kViscosity, {"0", "99.9", TemperatureUnit::kKelvin}},
      {ChartProperty::kPrandtlEucken, {"-250", "1234.5", TemperatureUnit::kCelsius}},
      {ChartProperty::kDensity, {"30", "50", TemperatureUnit::kKelvin}},
  };
  ChartMixture gas = Air();
  gas.amounts[kCH4] = "3";
  gas.amounts[kH2O] = "2.5";
  const AmountsInput amounts = ReadAmounts(gas.amounts);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.range.from + " to " + c.range.to);
    const ChartSeries s = MakeChartSeries(c.property, gas, c.range);
    ASSERT_EQ(s.message, "");
    ASSERT_GT(s.points.size(), 200u);
    EXPECT_EQ(s.points.back().temperature, ParseStrict(c.range.to).value());
    std::size_t failed = 0;
    for (const ChartPoint& point : s.points) {
      const double kelvin = c.range.unit == TemperatureUnit::kCelsius
                                ? point.temperature + kKelvinOffset
                                : point.temperature;
      MixtureResult alone;
      const bool ok = EvaluateState(101325, kelvin, amounts, alone) == nullptr;
      ASSERT_EQ(point.ok, ok) << point.temperature;
      failed += ok ? 0 : 1;
      if (ok) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(point.value),
                  std::bit_cast<std::uint64_t>(alone.properties.*InfoOf(c.property).value))
            << point.temperature;
      }
    }
    // Each range crosses the temperature below which a correlation fails.
    EXPECT_GT(failed, 0u);
    EXPECT_LT(failed, s.points.size());
  }
}

TEST(PropertyChart, InputsTheCalculateCommandRejectsPlotNothing) {
  struct Case {
    const char* name;
    ChartMixture mixture;
    ChartRange range;
    const char* message;
  };
  ChartMixture negative = Air();
  negative.pressure = "-1";
  ChartMixture zero = Air();
  zero.amounts[kO2] = zero.amounts[kN2] = "0";
  ChartMixture empty = Air();
  empty.amounts[kH2] = "";
  const Case cases[] = {
      {"PressureNegative", negative, {}, "圧力が負です!!"},
      {"AllZero", zero, {}, "mol体積が全て０です！！"},
      {"AmountEmpty", empty, {}, "数値が入っていません!!"},
      {"BelowAbsoluteZero",
       Air(),
       {"-300", "100", TemperatureUnit::kCelsius},
       "絶対温度が負です!!"},
      {"RangeNotANumber", Air(), {"0", "1e", TemperatureUnit::kCelsius}, "入力値を確認下さい。"},
      {"RangeBackwards", Air(), {"100", "0", TemperatureUnit::kCelsius}, "入力値を確認下さい。"},
  };
  for (const Case& c : cases) {
    const ChartSeries s = MakeChartSeries(ChartProperty::kDensity, c.mixture, c.range);
    EXPECT_EQ(s.message, c.message) << c.name;
    EXPECT_TRUE(s.points.empty()) << c.name;
  }
}

TEST(PropertyChart, ShadesAndReadsOutThePartsOfTheRangeOutsideTheFits) {
  struct Case {
    ChartProperty property;
    ChartRange range;
    std::vector<ChartSpan> spans;
  };
  const Case cases[] = {
      {ChartProperty::kCp,
       {"-100", "2500", TemperatureUnit::kCelsius},
       {{-100, 200 - kKelvinOffset}, {1000 - kKelvinOffset, 2500}}},
      {ChartProperty::kViscosity,
       {"100", "1500", TemperatureUnit::kKelvin},
       {{100, 200}, {1000, 1500}}},
      {ChartProperty::kPrandtl, {"1200", "1300", TemperatureUnit::kKelvin}, {{1200, 1300}}},
      {ChartProperty::kConductivity, {"200", "1000", TemperatureUnit::kKelvin}, {}},
      // The density of an ideal gas comes from no fit.
      {ChartProperty::kDensity, {"100", "1500", TemperatureUnit::kKelvin}, {}},
  };
  for (const Case& c : cases) {
    const ChartSeries s = MakeChartSeries(c.property, Air(), c.range);
    ASSERT_EQ(s.message, "") << c.range.from;
    EXPECT_EQ(s.outside_fits, c.spans) << InfoOf(c.property).column;
  }

  const ChartSeries s =
      MakeChartSeries(ChartProperty::kCp, Air(), {"0", "1200", TemperatureUnit::kKelvin});
  const SpeciesArray air{0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(ChartReadout(s, ChartProperty::kCp, TemperatureUnit::kKelvin, 501),
            "500 K, cp = " +
                FormatPattern(CalculateMixture(101325, 500, air).properties.cp, Pattern::kSci3) +
                " J/(kg·K)");
  EXPECT_EQ(ChartReadout(s, ChartProperty::kCp, TemperatureUnit::kKelvin, 1100),
            "1100 K, cp = " +
                FormatPattern(CalculateMixture(101325, 1100, air).properties.cp, Pattern::kSci3) +
                " J/(kg·K), outside the fits");
  // Below about 40 K the calculation fails: the nearest point that succeeded is read out.
  EXPECT_NE(ChartReadout(s, ChartProperty::kCp, TemperatureUnit::kKelvin, 0).find(", outside"),
            std::string::npos);
  EXPECT_EQ(ChartReadout(ChartSeries{}, ChartProperty::kCp, TemperatureUnit::kKelvin, 0), "");
}

TEST(PropertyChart, StepGivesAtLeastTwoHundredPoints) {
  const std::pair<double, double> cases[] = {{1000, 5},  {100, 0.5}, {300, 1},
                                             {1, 0.005}, {1999, 5},  {0, 0}};
  for (const auto& [span, step] : cases) {
    EXPECT_DOUBLE_EQ(ChartStep(span), step) << span;
    if (step > 0) {
      EXPECT_GE(span / step + 1, kMinChartPoints) << span;
    }
  }
}

}  // namespace
}  // namespace toluvek
