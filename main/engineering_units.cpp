#include "main/engineering_units.hpp"

#include "common/checked.hpp"
#include "main/gas_quality.hpp"

namespace toluvek {
namespace {

constexpr double kLitrePerCubicMetre = 1000;  // l/m³
constexpr double kMinutesPerHour = 60;        // min/h
constexpr double kSecondsPerHour = 3600;      // s/h
constexpr double kMolPerKmol = 1000;          // mol/kmol

}  // namespace

std::optional<double> PascalPerUnit(std::string_view unit) {
  for (const PressureUnitScale& scale : kEngineeringPressureUnits) {
    if (scale.name == unit) return scale.pascal;
  }
  return std::nullopt;
}

std::optional<double> AbsolutePascal(double reading, std::string_view unit, bool gauge) {
  const std::optional<double> per_unit = PascalPerUnit(unit);
  if (!per_unit) return std::nullopt;
  const double pascal = Checked(reading * *per_unit);
  return gauge ? Checked(pascal + kGaugeReference) : pascal;
}

std::optional<double> ConvertFlow(double reading, std::string_view unit,
                                  std::string_view window_unit) {
  if (unit == window_unit) return Checked(reading);
  if (window_unit == "Nl/min") {
    if (unit == "Nm3/h") {
      return Div(Checked(reading * kLitrePerCubicMetre), kMinutesPerHour);
    }
    if (unit == "mol/h") {
      // Normal litres per mole, R·T_N/p_N in m³N/kmol = l/mol.
      const double litres = Checked(reading * NormalMolarVolume());
      return Div(litres, kMinutesPerHour);
    }
  }
  if (window_unit == "mol/h" && unit == "Nm3/h") {
    return Checked(Div(reading, NormalMolarVolume()) * kMolPerKmol);
  }
  if (window_unit == "kg/s" && unit == "kg/h") return Div(reading, kSecondsPerHour);
  return std::nullopt;
}

}  // namespace toluvek
