#include "tools/water/saturation.hpp"

#include <cmath>

#include "common/checked.hpp"
#include "common/number_text.hpp"

namespace toluvek {
namespace {

// Vapour-pressure fit of water, p_s [mmHg] at T [K], highest power first (T⁵ … T⁰). The Help
// window names no work for this fit in particular; the handbook it cites for the program's
// property data is 化学工学会 編「化学工学便覧 改訂六版」(1999).
constexpr double kVapourPressure[] = {1.61920126204654e-8, -1.88084399443589e-5,
                                      0.00855240610912383, -1.87308470469343,
                                      191.805970547013,    -6850.80445869089};
// Its derivative dp_s/dT [mmHg/K], highest power first (T⁴ … T⁰).
constexpr double kVapourPressureSlope[] = {8.0960063102327e-8, -7.52337597774356e-5,
                                           0.02565721832737149, -3.74616940938686,
                                           191.805970547013};

constexpr double kStartTemperature = 500;   // K
constexpr double kTolerance = 0.001;        // K, on the Newton step
constexpr int kStepCounterLimit = 1000;     // the step after counter 1000 gives up
constexpr double kLowestAccepted = 273.15;  // K, triple point: the fit's liquid range
constexpr double kHighestAccepted = 647.3;  // K, critical point
constexpr double kMmHgPerAtm = 760;         // mmHg

}  // namespace

double WaterVapourPressure(double t_kelvin) {
  const double t = t_kelvin;
  const double* c = kVapourPressure;
  return Checked(c[0] * (t * t * t * t * t) + c[1] * (t * t * t * t) + c[2] * (t * t * t) +
                 c[3] * (t * t) + c[4] * t + c[5]);
}

double WaterVapourPressureSlope(double t_kelvin) {
  const double t = t_kelvin;
  const double* c = kVapourPressureSlope;
  return Checked(c[0] * (t * t * t * t) + c[1] * (t * t * t) + c[2] * (t * t) + c[3] * t + c[4]);
}

double WaterPartialPressureMmHg(std::string_view water_fraction_text,
                                std::string_view pressure_text, PressureUnit unit) {
  const double y = ParseLenient(water_fraction_text);
  const double pressure = ParseLenient(pressure_text);
  const double p = Checked(pressure * y);
  switch (unit) {
    case PressureUnit::kPa:
      return Checked(Div(p, kPascalPerAtm) * kMmHgPerAtm);
    case PressureUnit::kAtm:
      return Checked(p * kMmHgPerAtm);
    case PressureUnit::kKgfCm2:
      return Checked(Div(Checked(p * kPascalPerKgfCm2), kPascalPerAtm) * kMmHgPerAtm);
  }
  return p;
}

SaturationSearch SaturationTemperature(double p_mmhg) {
  SaturationSearch search;
  double t = kStartTemperature;
  for (int k = 0;; ++k) {
    const double slope = WaterVapourPressureSlope(t);
    if (slope == 0) return search;
    const double t_new = Checked(t - Div(Checked(WaterVapourPressure(t) - p_mmhg), slope));
    search.steps = k + 1;
    if (k > kStepCounterLimit) return search;
    if (std::fabs(t_new - t) < kTolerance) {
      // Outside water's liquid range the polynomial has roots that are no dew point.
      if (t_new >= kLowestAccepted && t_new <= kHighestAccepted) {
        search.solved = true;
        search.t_celsius = t_new - kKelvinOffset;
      }
      return search;
    }
    t = t_new;
  }
}

SaturationDisplay ComputeSaturationDisplay(std::string_view water_fraction_text,
                                           std::string_view pressure_text, PressureUnit unit) {
  SaturationDisplay display;
  try {
    display.partial_pressure_mmhg =
        WaterPartialPressureMmHg(water_fraction_text, pressure_text, unit);
    display.search = SaturationTemperature(display.partial_pressure_mmhg);
    if (!display.search.solved) {
      display.status = SaturationStatus::kNoSolution;
      return display;
    }
    std::string label1 = FormatPattern(display.partial_pressure_mmhg, Pattern::kFixed1) + "mmHg →";
    std::string label2 = FormatPattern(display.search.t_celsius, Pattern::kFixed1) + "℃";
    display.label1 = std::move(label1);
    display.label2 = std::move(label2);
    display.status = SaturationStatus::kSolved;
  } catch (const std::exception&) {
    display.status = SaturationStatus::kFault;
  }
  return display;
}

}  // namespace toluvek
