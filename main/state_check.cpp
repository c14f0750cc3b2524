#include "main/state_check.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/number_text.hpp"
#include "main/messages.hpp"

namespace toluvek {

AmountsInput ReadAmounts(const std::array<std::string, kSpeciesCount>& texts) {
  AmountsInput amounts;
  if (std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); })) {
    amounts.status = AmountsInput::Status::kEmpty;
    return amounts;
  }
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const std::optional<double> value = ParseStrict(texts[i]);
    if (!value) {
      amounts.status = AmountsInput::Status::kNotANumber;
      return amounts;
    }
    amounts.values[i] = *value;
  }
  return amounts;
}

StateCheck CheckState(double pressure, double temperature, const AmountsInput& amounts) {
  // A text that was not a number, or a unit conversion that overflowed.
  if (!std::isfinite(pressure) || !std::isfinite(temperature)) return {&messages::kCheckInput};
  const bool temperature_negative = !(temperature >= 0);
  const bool pressure_negative = !(pressure >= 0);
  if (temperature_negative && pressure_negative) {
    return {&messages::kPressureAndTemperatureNegative};
  }
  if (temperature_negative) return {&messages::kTemperatureNegative};
  if (pressure_negative) return {&messages::kPressureNegative};
  if (amounts.status == AmountsInput::Status::kEmpty) return {&messages::kAmountEmpty};
  const auto failed = [](const Message& message) { return StateCheck{&message, true}; };
  if (amounts.status == AmountsInput::Status::kNotANumber) return failed(messages::kCheckInput);
  const SpeciesArray& a = amounts.values;
  if (std::any_of(a.begin(), a.end(), [](double x) { return !(x >= 0); })) {
    return failed(messages::kAmountNegative);
  }
  double sum = 0;
  for (double x : a) sum += x;
  if (!std::isfinite(sum)) return failed(messages::kCheckInput);
  if (sum == 0) return failed(messages::kAmountsAllZero);
  return {nullptr, true};
}

const Message* EvaluateState(double pressure, double temperature, const AmountsInput& amounts,
                             MixtureResult& result) {
  if (const Message* message = CheckState(pressure, temperature, amounts).message) return message;
  result = CalculateMixture(pressure, temperature, amounts.values);
  return result.ok() ? nullptr : &messages::kCheckInput;
}

}  // namespace toluvek
