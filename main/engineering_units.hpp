#pragma once
// Engineering units of pressure and flow for front ends that take readings in more units than
// the windows offer. A reading is converted to a unit a window takes (Pa; Nl/min, mol/h or
// kg/s) and then entered there, so every calculation stays the window's own.

#include <optional>
#include <string_view>

namespace toluvek {

struct PressureUnitScale {
  std::string_view name;  // "kPa"
  double pascal;          // Pa per unit
};
inline constexpr PressureUnitScale kEngineeringPressureUnits[] = {
    {"Pa", 1},       {"kPa", 1000},        {"MPa", 1000000},        {"bar", 100000},
    {"atm", 101325}, {"kgf/cm2", 98066.5}, {"mmHg", 133.322387415},  // conventional millimetre of
                                                                     // mercury, 13.5951 g/cm³ × g_n
                                                                     // × 1 mm
};

// Gauge pressures are read above the standard atmosphere.
inline constexpr double kGaugeReference = 101325;  // [Pa]

// Pa per unit of the named unit; no value for a unit that is none of them.
std::optional<double> PascalPerUnit(std::string_view unit);

// The absolute pressure [Pa] of a reading in the named unit, above kGaugeReference when
// `gauge`; no value for a unit that is none of kEngineeringPressureUnits. Throws
// ArithmeticFault on an overflow.
std::optional<double> AbsolutePascal(double reading, std::string_view unit, bool gauge);

struct FlowUnitScale {
  std::string_view name;         // "Nm3/h", as written on the command line
  std::string_view window_unit;  // the unit it converts to: "Nl/min", "mol/h" or "kg/s"
};
inline constexpr FlowUnitScale kEngineeringFlowUnits[] = {
    {"Nl/min", "Nl/min"}, {"Nm3/h", "Nl/min"}, {"mol/h", "mol/h"},
    {"kg/s", "kg/s"},     {"kg/h", "kg/s"},
};

// A reading in the named flow unit as a value in the named window unit: Nm³/h and mol/h give
// Nl/min (normal litres at 0 ℃ and 101.325 kPa), kg/h gives kg/s; a unit to itself gives the
// reading. No value for a pair that does not convert (a mass flow to a volume). Throws
// ArithmeticFault on an overflow.
std::optional<double> ConvertFlow(double reading, std::string_view unit,
                                  std::string_view window_unit);

}  // namespace toluvek
