#include "main/composition_dialogs.hpp"

#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/gas_quality.hpp"

namespace toluvek {
namespace {

// An amount as the main window shows it, four significant figures. A value that rounds
// beyond the range of a double would give a text no later calculation can read.
std::string AmountText(double value) {
  std::string text = FormatPattern(value, Pattern::kSci3);
  if (!ParseStrict(text)) ThrowFault(FaultKind::kOverflow);
  return text;
}

}  // namespace

std::optional<SpeciesTexts> AddAir(std::string_view air_text, const SpeciesTexts& amounts) {
  try {
    const double air = RequireNumber(air_text);
    const double o2 = RequireNumber(amounts[kO2]);
    const double n2 = RequireNumber(amounts[kN2]);
    SpeciesTexts result = amounts;
    result[kO2] = AmountText(Checked(Checked(air * kAirOxygenFraction) + o2));
    result[kN2] = AmountText(Checked(Checked(air * kAirNitrogenFraction) + n2));
    return result;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<SpeciesTexts> RescaleToTotal(std::string_view total_text,
                                           const SpeciesTexts& amounts) {
  try {
    SpeciesArray values{};
    for (std::size_t i = 0; i < kSpeciesCount; ++i) values[i] = RequireNumber(amounts[i]);
    double sum = 0;
    for (double v : values) sum += v;
    sum = Checked(sum);
    const double total = RequireNumber(total_text);
    SpeciesTexts result;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      const double share = Div(values[i], sum);
      result[i] = AmountText(Checked(total * share));
    }
    return result;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace toluvek
