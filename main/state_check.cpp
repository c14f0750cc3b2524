#include "main/state_check.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

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

namespace {

// The checks on the pressure and the temperature, which come first; null when they pass.
const Message* CheckPressureAndTemperature(double pressure, double temperature) {
  // A text that was not a number, or a unit conversion that overflowed.
  if (!std::isfinite(pressure) || !std::isfinite(temperature)) return &messages::kCheckInput;
  const bool temperature_negative = !(temperature >= 0);
  const bool pressure_negative = !(pressure >= 0);
  if (temperature_negative && pressure_negative) {
    return &messages::kPressureAndTemperatureNegative;
  }
  if (temperature_negative) return &messages::kTemperatureNegative;
  if (pressure_negative) return &messages::kPressureNegative;
  return nullptr;
}

// The checks on the amounts, made once the pressure and the temperature have passed.
StateCheck CheckAmounts(const AmountsInput& amounts) {
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

}  // namespace

StateCheck CheckState(double pressure, double temperature, const AmountsInput& amounts) {
  if (const Message* message = CheckPressureAndTemperature(pressure, temperature)) {
    return {message};
  }
  return CheckAmounts(amounts);
}

const Message* EvaluateState(double pressure, double temperature, const AmountsInput& amounts,
                             MixtureResult& result) {
  if (const Message* message = CheckState(pressure, temperature, amounts).message) return message;
  result = CalculateMixture(pressure, temperature, amounts.values);
  return result.ok() ? nullptr : &messages::kCheckInput;
}

void EvaluateStates(std::span<const double> pressures, std::span<const double> temperatures,
                    std::span<const SpeciesArray> amounts, AmountsInput::Status amounts_status,
                    std::span<MixtureResult> results, std::span<const Message*> messages) {
  const std::size_t n = results.size();
  const auto fits = [n](std::size_t size) { return size == 1 || size == n; };
  if (messages.size() != n || !fits(pressures.size()) || !fits(temperatures.size()) ||
      !fits(amounts.size())) {
    throw std::invalid_argument("EvaluateStates: an input has neither one entry nor one per state");
  }
  // An input of one entry stays whole; one of n entries is cut to the run being calculated.
  const auto part = [n](auto values, std::size_t begin, std::size_t count) {
    return values.size() == 1 && n != 1 ? values : values.subspan(begin, count);
  };
  AmountsInput input;
  input.status = amounts_status;
  std::size_t run_begin = 0;  // the first of the states that passed the checks, not yet calculated
  const auto calculate_run = [&](std::size_t end) {
    if (end > run_begin) {
      const std::size_t count = end - run_begin;
      CalculateMixtures(part(pressures, run_begin, count), part(temperatures, run_begin, count),
                        part(amounts, run_begin, count), results.subspan(run_begin, count));
      for (std::size_t k = run_begin; k < end; ++k) {
        messages[k] = results[k].ok() ? nullptr : &messages::kCheckInput;
      }
    }
    run_begin = end + 1;
  };
  // Amounts shared by every state are checked once: their checks do not depend on the state.
  const Message* shared_amounts_check = nullptr;
  if (amounts.size() == 1) {
    input.values = amounts[0];
    shared_amounts_check = CheckAmounts(input).message;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const Message* check = CheckPressureAndTemperature(
        pressures[pressures.size() == 1 ? 0 : k], temperatures[temperatures.size() == 1 ? 0 : k]);
    if (check == nullptr) {
      if (amounts.size() == 1) {
        check = shared_amounts_check;
      } else {
        input.values = amounts[k];
        check = CheckAmounts(input).message;
      }
    }
    if (check != nullptr) {
      calculate_run(k);
      messages[k] = check;
    }
  }
  calculate_run(n);
}

}  // namespace toluvek
