#include "tools/chart/chart_axes.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace toluvek {
namespace {

TEST(ChartAxes, NiceScaleWidensToRoundSteps) {
  constexpr double kHuge = std::numeric_limits<double>::max();
  const struct {
    double low, high;
    AxisScale expected;
  } cases[] = {
      {1005.6, 1151.9, {1000, 1200, 5}},  // dry air's cp, 0 to 700 ℃, with its margins
      {-3, 7, {-4, 8, 7}},
      {0.25, 0.75, {0.2, 0.8, 7}},
      // Nothing to widen: handed back as it is.
      {5, 5, {5, 5, 5}},
      {7, -3, {7, -3, 5}},
      {-kHuge, kHuge, {-kHuge, kHuge, 5}},
  };
  for (const auto& c : cases) {
    const AxisScale s = NiceScale(c.low, c.high);
    EXPECT_DOUBLE_EQ(s.min, c.expected.min) << c.low << " " << c.high;
    EXPECT_DOUBLE_EQ(s.max, c.expected.max) << c.low << " " << c.high;
    EXPECT_EQ(s.ticks, c.expected.ticks) << c.low << " " << c.high;
  }
}

TEST(ChartAxes, TicksEndExactlyAtTheEnds) {
  const std::vector<double> ticks = AxisScale{0, 0.3, 4}.TickValues();
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks.front(), 0);
  EXPECT_EQ(ticks.back(), 0.3);
  EXPECT_EQ(AxisScale({2, 2, 1}).TickValues(), std::vector<double>{2});
}

TEST(ChartAxes, SpanTheRangeAndTheSuccessfulPoints) {
  ChartSeries series;
  EXPECT_EQ(MakeChartAxes(series).x, (AxisScale{0, 1, 5}));
  EXPECT_EQ(MakeChartAxes(series).y, (AxisScale{0, 1, 5}));
  // A failed point's value is meaningless and stays off the scale.
  series.points = {{0, 1005, true}, {50, 1e30, false}, {700, 1150, true}};
  const ChartAxes axes = MakeChartAxes(series);
  EXPECT_EQ(axes.x, (AxisScale{0, 700, 5}));
  EXPECT_EQ(axes.y, (AxisScale{950, 1200, 6}));
  // A flat curve is given a margin of its own, so that it lies inside the frame.
  series.points = {{0, 2, true}, {10, 2, true}};
  const AxisScale flat = MakeChartAxes(series).y;
  EXPECT_LT(flat.min, 2);
  EXPECT_GT(flat.max, 2);
}

TEST(ChartAxes, LabelsAreShortestPrintfTexts) {
  EXPECT_EQ(TemperatureLabel(268.75), "268.75");
  EXPECT_EQ(TemperatureLabel(-273.15), "-273.15");
  EXPECT_EQ(ValueLabel(1012.3456), "1012");
  EXPECT_EQ(ValueLabel(1.5e-5), "1.5e-05");
}

}  // namespace
}  // namespace toluvek
