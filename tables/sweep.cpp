#include "tables/sweep.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/number_text.hpp"

namespace toluvek {
namespace {

// How many decimals the shortest text of `value` has ("0.001" 3, "1.5e-05" 6, "2e+05" 0).
int Decimals(double value) {
  const std::string text = FormatShortest(value);
  const std::size_t e = text.find('e');
  const std::size_t point = text.find('.');
  const std::size_t mantissa_end = e == std::string::npos ? text.size() : e;
  const int fraction = point == std::string::npos ? 0 : static_cast<int>(mantissa_end - point - 1);
  const int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
  return std::max(0, fraction - exponent);
}

}  // namespace

double Sweep::At(std::uint64_t i) const {
  if (i + 1 == count && lands_on_end) return to;
  const double value = from + static_cast<double>(i) * step;
  if (scale > 0) {
    // n / 10^d with both exact is the double nearest to the decimal, as a person types it.
    const double scaled = std::round(value * scale);
    if (std::fabs(scaled) < 0x1p53) return scaled / scale;
  }
  return RoundToSignificant(value, 15);
}

Sweep SingleValue(double value) {
  return {value, 0, value, 1, true, 0};
}

std::string MakeSweep(double from, double to, double step, Sweep& sweep) {
  if (step == 0) return "the step is 0";
  const double steps = (to - from) / step;
  if (std::isnan(steps) || steps < 0) return "the step leads away from the end";
  std::string too_many = "more than " + std::to_string(kMaxTableRows) + " rows";
  if (!(steps < static_cast<double>(kMaxTableRows))) return too_many;
  // An end that the steps reach within rounding (0.1 · 3 for 0.3) is landed on.
  const double nearest = std::round(steps);
  const bool lands = std::fabs(steps - nearest) <= 1e-9 * std::max(1.0, nearest);
  const double whole = lands ? nearest : std::floor(steps);
  sweep = {from, step, to, static_cast<std::uint64_t>(whole) + 1, lands, 0};
  const int decimals = std::max(Decimals(from), Decimals(step));
  if (decimals <= 15) {
    sweep.scale = 1;
    for (int d = 0; d < decimals; ++d) sweep.scale *= 10;  // exact up to 10^22
  }
  if (sweep.count > kMaxTableRows) return too_many;
  return {};
}

bool ConsecutiveStatesDiffer(const Sweep& sweep, const std::function<double(double)>& to_state) {
  double before = to_state(sweep.At(0));
  for (std::uint64_t i = 1; i < sweep.count; ++i) {
    const double state = to_state(sweep.At(i));
    if (state == before && std::isfinite(state)) return false;
    before = state;
  }
  return true;
}

}  // namespace toluvek
