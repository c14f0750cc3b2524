#pragma once
// Evenly spaced values for the axes of a property table or a chart.

#include <cstdint>
#include <functional>
#include <string>

namespace toluvek {

// Evenly spaced values from `from` towards `to`: both ends included where the steps land on
// them (within rounding), each value rounded to 15 significant digits as a person types it.
struct Sweep {
  double from = 0;
  double step = 0;
  double to = 0;
  std::uint64_t count = 1;
  bool lands_on_end = true;
  double scale = 0;  // 10^d when `from` and `step` have at most d decimals; 0: none found
  double At(std::uint64_t i) const;
};

inline constexpr std::uint64_t kMaxTableRows = 10'000'000;

// A single value: a sweep of one.
Sweep SingleValue(double value);
// Empty text when the sweep is sound, else why not: a step of 0, a step against the direction,
// more than kMaxTableRows values.
std::string MakeSweep(double from, double to, double step, Sweep& sweep);

// Whether each value of the sweep differs from the one before once `to_state` has converted it
// to what the calculation reads (Pa, K). A step below the precision of the values (1e-7 on
// 1234567890) gives the same state row after row. Values that are not finite are left to
// fail in their rows.
bool ConsecutiveStatesDiffer(const Sweep& sweep, const std::function<double(double)>& to_state);

}  // namespace toluvek
