#pragma once
// The scales of the property chart's axes: the temperature axis spans the plotted range
// exactly, the value axis spans the curve with a margin, widened to round steps.

#include <string>
#include <vector>

#include "tools/chart/property_chart.hpp"

namespace toluvek {

struct AxisScale {
  double min = 0;
  double max = 1;
  int ticks = 5;  // labelled positions, the two ends included, evenly spaced

  // The labelled values, from min to max; a value that is zero but for the rounding of the
  // steps is 0.
  std::vector<double> TickValues() const;
  bool operator==(const AxisScale&) const = default;
};

// [low, high] widened outwards to whole steps of 1, 2 or 5 times a power of ten, the step
// chosen so that about `ticks` labels fit; `ticks` of the result is the number that does.
AxisScale NiceScale(double low, double high, int ticks = 5);

struct ChartAxes {
  AxisScale x;  // temperature, in the range's unit
  AxisScale y;  // the property, in its SI unit
};

// The axes for `series`: x from its first to its last temperature in 5 labels; y over the
// points that succeeded with 5 % margin each side, made nice. Without points the axes keep
// their defaults, 0 to 1.
ChartAxes MakeChartAxes(const ChartSeries& series);

// The labels of `scale`'s ticks as printf's "%g" writes them with `digits` significant digits
// (the temperatures 6, the property's values 4), given more digits, up to 17, while two
// neighbouring labels would read the same.
std::vector<std::string> AxisLabels(const AxisScale& scale, int digits);

}  // namespace toluvek
