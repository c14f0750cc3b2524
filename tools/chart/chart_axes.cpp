#include "tools/chart/chart_axes.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/number_text.hpp"

namespace toluvek {
namespace {

// 1, 2, 5 or 10 times the power of ten at or below `x` (x > 0): the least not below x when
// `ceiling`, else the nearest in the ratio sense.
double NiceNumber(double x, bool ceiling) {
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  const double q = x / power;
  double nice = 10;
  if (ceiling) {
    if (q <= 1) {
      nice = 1;
    } else if (q <= 2) {
      nice = 2;
    } else if (q <= 5) {
      nice = 5;
    }
  } else {
    if (q < 1.5) {
      nice = 1;
    } else if (q < 3) {
      nice = 2;
    } else if (q < 7) {
      nice = 5;
    }
  }
  return nice * power;
}

}  // namespace

std::vector<double> AxisScale::TickValues() const {
  if (ticks < 2) return {min};
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(ticks));
  const double span = max - min;
  // A span beyond the largest double still has a finite step.
  const double step =
      std::isfinite(span) ? span / (ticks - 1) : max / (ticks - 1) - min / (ticks - 1);
  for (int i = 0; i < ticks; ++i) {
    // The last label is max itself, not the sum of steps that may miss it by a rounding.
    double value = i == ticks - 1 ? max : min + step * i;
    if (std::fabs(value) < std::fabs(step) * 1e-9) value = 0;
    values.push_back(value);
  }
  return values;
}

AxisScale NiceScale(double low, double high, int ticks) {
  if (!(high > low) || !std::isfinite(high - low) || ticks < 2) return {low, high, ticks};
  const double step = NiceNumber(NiceNumber(high - low, true) / (ticks - 1), false);
  const double first = std::floor(low / step);
  const double last = std::ceil(high / step);
  // A step far below the values' own resolution would give more labels than can be drawn.
  if (!(last - first <= 100)) return {low, high, ticks};
  return {first * step, last * step, static_cast<int>(last - first) + 1};
}

ChartAxes MakeChartAxes(const ChartSeries& series) {
  ChartAxes axes;
  if (!series.points.empty()) {
    axes.x = {series.points.front().temperature, series.points.back().temperature, 5};
  }
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const ChartPoint& point : series.points) {
    if (!point.ok) continue;
    low = std::min(low, point.value);
    high = std::max(high, point.value);
  }
  if (low <= high) {
    const double margin = high > low ? (high - low) * 0.05 : std::fabs(high) * 0.05 + 1e-30;
    axes.y = NiceScale(low - margin, high + margin);
  }
  return axes;
}

std::vector<std::string> AxisLabels(const AxisScale& scale, int digits) {
  const std::vector<double> values = scale.TickValues();
  std::vector<std::string> labels;
  for (int d = std::clamp(digits, 1, 17); d <= 17; ++d) {
    labels.clear();
    bool distinct = true;
    for (double value : values) {
      labels.push_back(std::isfinite(value) ? FormatSignificant(value, d) : std::string());
      if (labels.size() > 1 && labels.back() == labels[labels.size() - 2]) distinct = false;
    }
    if (distinct) break;
  }
  return labels;
}

}  // namespace toluvek
