#pragma once
// Pressure and temperature units of the main window. Inside every calculation temperatures
// are in K and pressures in Pa.

#include <string_view>

#include "engine/gas_table.hpp"

namespace toluvek {

// The numbers are the main window's own (1 Pa, 2 atm, 3 kgf/cm2).
enum class PressureUnit { kPa = 1, kAtm = 2, kKgfCm2 = 3 };
enum class TemperatureUnit { kCelsius, kKelvin };

// Pa per unit.
inline double PascalPer(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::kAtm:
      return kPascalPerAtm;
    case PressureUnit::kKgfCm2:
      return kPascalPerKgfCm2;
    case PressureUnit::kPa:
      break;
  }
  return 1;
}

// The unit names of the option captions and of composition files.
inline std::string_view PressureUnitName(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::kAtm:
      return "atm";
    case PressureUnit::kKgfCm2:
      return "kgf/cm2";
    case PressureUnit::kPa:
      break;
  }
  return "Pa";
}

inline std::string_view TemperatureUnitName(TemperatureUnit unit) {
  return unit == TemperatureUnit::kCelsius ? "℃" : "K";
}

}  // namespace toluvek
