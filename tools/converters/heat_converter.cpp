#include "tools/converters/heat_converter.hpp"

#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"

namespace toluvek {
namespace {

constexpr double kJoulePerCalorie = 4.18605;  // J/cal
constexpr double kSecondsPerHour = 3600;      // s/h
constexpr double kJoulePerKilojoule = 1000;   // J/kJ (cal per kcal)

// A text being typed may not be a number yet: only an option click or Enter complains.
HeatRecalculation Failed(const std::string& shown, ConverterTrigger trigger) {
  HeatRecalculation result;
  result.label = shown;
  if (trigger != ConverterTrigger::kTextChange) result.notice = ConverterNotice::kCheckInput;
  return result;
}

HeatRecalculation Converted(double value, Pattern pattern, std::string_view unit_text) {
  HeatRecalculation result;
  result.label = FormatPattern(value, pattern) + std::string(unit_text);
  result.converted = true;
  result.value = value;
  return result;
}

}  // namespace

HeatRecalculation RecalculatePower(const std::string& shown, std::string_view input, PowerUnit unit,
                                   ConverterTrigger trigger) {
  try {
    const double x = RequireNumber(input);
    if (unit == PowerUnit::kKcalPerHour) {
      const double watt =
          Div(Checked(Checked(x * kJoulePerCalorie) * kJoulePerKilojoule), kSecondsPerHour);
      return Converted(watt, Pattern::kSci4, " [W]");
    }
    const double kcal_per_hour =
        Div(Div(Checked(x * kSecondsPerHour), kJoulePerKilojoule), kJoulePerCalorie);
    return Converted(kcal_per_hour, Pattern::kSci4, " [kcal/h]");
  } catch (const std::exception&) {
    return Failed(shown, trigger);
  }
}

HeatRecalculation RecalculateEnergy(const std::string& shown, std::string_view input,
                                    EnergyUnit unit, ConverterTrigger trigger) {
  try {
    const double x = RequireNumber(input);
    if (unit == EnergyUnit::kCalorie) {
      return Converted(Checked(x * kJoulePerCalorie), Pattern::kSci5, " [J]");
    }
    return Converted(Div(x, kJoulePerCalorie), Pattern::kSci5, " [cal]");
  } catch (const std::exception&) {
    return Failed(shown, trigger);
  }
}

}  // namespace toluvek
