#include "tools/chart/chart_axes.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
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

TEST(ChartAxes, LabelsReadLikePrintfAndStayApart) {
  constexpr double kHuge = std::numeric_limits<double>::max();
  using Labels = std::vector<std::string>;
  const struct {
    AxisScale scale;
    int digits;
    Labels labels;
  } cases[] = {
      {{0, 700, 5}, 6, {"0", "175", "350", "525", "700"}},
      {{-273.15, 26.85, 3}, 6, {"-273.15", "-123.15", "26.85"}},
      {{1000, 1200, 5}, 4, {"1000", "1050", "1100", "1150", "1200"}},
      {{1.5e-5, 3.5e-5, 3}, 4, {"1.5e-05", "2.5e-05", "3.5e-05"}},
      // Four digits would read "1006" five times.
      {{1006.1, 1006.5, 5}, 4, {"1006.1", "1006.2", "1006.3", "1006.4", "1006.5"}},
      // The steps' rounding leaves 1.4e-17 where the axis crosses zero.
      {{-0.1, 0.2, 4}, 4, {"-0.1", "0", "0.1", "0.2"}},
      {{-kHuge, kHuge, 3}, 4, {"-1.798e+308", "0", "1.798e+308"}},
      {{2, 2, 1}, 4, {"2"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AxisLabels(c.scale, c.digits), c.labels) << c.scale.min << " " << c.scale.max;
  }
}

TEST(ChartAxes, TicksEndExactlyAtTheEnds) {
  // Three steps of 0.3 / 3 miss 0.3 by a rounding.
  const std::vector<double> ticks = AxisScale{0, 0.3, 4}.TickValues();
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks.front(), 0);
  EXPECT_EQ(ticks.back(), 0.3);
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

}  // namespace
}  // namespace toluvek
