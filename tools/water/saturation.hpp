#pragma once
// Saturation temperature of the water vapour in the current mixture: the partial pressure of
// water from the main window's displayed texts, and the temperature at which water's vapour
// pressure equals it, found by Newton's method on a fifth-degree vapour-pressure fit.

#include <string>
#include <string_view>

#include "main/units.hpp"

namespace toluvek {

// Vapour pressure of water [mmHg] at T [K], and its derivative [mmHg/K].
double WaterVapourPressure(double t_kelvin);
double WaterVapourPressureSlope(double t_kelvin);

// Partial pressure of water [mmHg]: the pressure text (in `unit`) times the water mole
// fraction text, both read leniently. Throws ArithmeticFault on an overflow.
double WaterPartialPressureMmHg(std::string_view water_fraction_text,
                                std::string_view pressure_text, PressureUnit unit);

struct SaturationSearch {
  bool solved = false;
  double t_celsius = 0;  // saturation temperature [℃] when solved
  int steps = 0;         // Newton updates computed
};

// The temperature [℃] at which water's vapour pressure is `p_mmhg`, by Newton's method from
// 500 K. A root is accepted only in the liquid range of water (273.15 K to 647.3 K), where
// the fit holds; below about 4.7 mmHg the iteration lands on a spurious root of the
// polynomial near −200 ℃ or wanders, which is reported as no solution. Throws
// ArithmeticFault when the polynomial overflows.
SaturationSearch SaturationTemperature(double p_mmhg);

enum class SaturationStatus { kSolved, kNoSolution, kFault };

// What the saturation window shows when it opens.
struct SaturationDisplay {
  SaturationStatus status = SaturationStatus::kFault;
  double partial_pressure_mmhg = 0;  // when computed
  SaturationSearch search;
  std::string label1 = "Label1";  // partial pressure, "380.0mmHg →"
  std::string label2 = "Label2";  // saturation temperature, "81.3℃"
};

// The window's one calculation, from the main window's water mole fraction (Text17),
// pressure (Text1) and pressure unit.
SaturationDisplay ComputeSaturationDisplay(std::string_view water_fraction_text,
                                           std::string_view pressure_text, PressureUnit unit);

}  // namespace toluvek
