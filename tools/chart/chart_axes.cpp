#include "tools/chart/chart_axes.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

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

std::string Printf(const char* format, double value) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, format, value);
  return n > 0 ? std::string(text, static_cast<std::size_t>(std::min<int>(n, sizeof text - 1)))
               : std::string();
}

}  // namespace

std::vector<double> AxisScale::TickValues() const {
  std::vector<double> values;
  if (ticks < 2) return {min};
  values.reserve(static_cast<std::size_t>(ticks));
  for (int i = 0; i < ticks; ++i) {
    // The last label is max itself, not the sum of steps that may miss it by a rounding.
    values.push_back(i == ticks - 1 ? max : min + (max - min) * i / (ticks - 1));
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

std::string TemperatureLabel(double value) {
  return Printf("%g", value);
}
std::string ValueLabel(double value) {
  return Printf("%.4g", value);
}

}  // namespace toluvek
