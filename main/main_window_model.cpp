#include "main/main_window_model.hpp"

#include <algorithm>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {

MainWindowModel::MainWindowModel(MessageService& messages) : messages_(messages) {
  unit_rewrite_ = true;
  SetEnabled(form1::kCalculate, true);
  SetEnabled(form1::kPrevious, false);
  SetText(form1::kPressure, FormatPattern(101325, Pattern::kSci5));
  SetText(form1::kTemperature, "25");
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form1::kAmount[i], i == kO2 ? "21" : i == kN2 ? "79" : "0");
  }
  current_ = previous_ = InputRecord{};
}

void MainWindowModel::TextChanged(std::string_view control) {
  if (control == form1::kPressure || control == form1::kTemperature) {
    // The rewrite done by a unit switch does not re-enable a calculation; the next edit does.
    if (unit_rewrite_) {
      SetEnabled(form1::kCalculate, true);
    } else {
      unit_rewrite_ = true;
    }
    return;
  }
  if (std::find(form1::kAmount.begin(), form1::kAmount.end(), control) != form1::kAmount.end()) {
    SetEnabled(form1::kCalculate, true);
  }
}

void MainWindowModel::SelectPressureUnit(PressureUnit unit) {
  if (unit == pressure_option_) return;  // the option already chosen
  pressure_option_ = unit;
  unit_rewrite_ = false;
  if (unit == pressure_unit_) return;  // text left exactly as it is
  try {
    const double value = RequireNumber(Text(form1::kPressure));
    double converted = 0;
    if (pressure_unit_ == PressureUnit::kPa) {
      converted = Div(value, PascalPer(unit));
    } else if (unit == PressureUnit::kPa) {
      converted = Checked(value * PascalPer(pressure_unit_));
    } else {
      converted = Div(Checked(value * PascalPer(pressure_unit_)), PascalPer(unit));
    }
    SetText(form1::kPressure, FormatPattern(converted, Pattern::kSci5));
    pressure_unit_ = unit;
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
}

void MainWindowModel::SelectTemperatureUnit(TemperatureUnit unit) {
  if (unit == temperature_unit_) return;
  temperature_unit_ = unit;
  unit_rewrite_ = false;
  try {
    const double value = RequireNumber(Text(form1::kTemperature));
    const double converted =
        unit == TemperatureUnit::kKelvin ? value + kKelvinOffset : value - kKelvinOffset;
    SetText(form1::kTemperature, FormatGeneral(Checked(converted)));
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
}

bool MainWindowModel::Calculate() {
  try {
    return RunCalculation();
  } catch (const std::exception&) {
    // A text that is not a number, or an arithmetic fault: what was written stays.
    messages_.Show(messages::kCheckInput);
    return false;
  }
}

bool MainWindowModel::RunCalculation() {
  // 1-2. Pressure in Pa, temperature in K.
  const double pressure =
      Checked(RequireNumber(Text(form1::kPressure)) * PascalPer(pressure_unit_));
  double temperature = RequireNumber(Text(form1::kTemperature));
  if (temperature_unit_ == TemperatureUnit::kCelsius) temperature = Checked(temperature + kKelvinOffset);

  // 3-6. Checks; "negative" means not greater than or equal to zero.
  const bool temperature_negative = !(temperature >= 0);
  const bool pressure_negative = !(pressure >= 0);
  if (temperature_negative && pressure_negative) {
    messages_.Show(messages::kPressureAndTemperatureNegative);
    return false;
  }
  if (temperature_negative) {
    messages_.Show(messages::kTemperatureNegative);
    return false;
  }
  if (pressure_negative) {
    messages_.Show(messages::kPressureNegative);
    return false;
  }
  for (std::string_view field : form1::kAmount) {
    if (Text(field).empty()) {
      messages_.Show(messages::kAmountEmpty);
      return false;
    }
  }

  // 7. Stays disabled until an input changes.
  SetEnabled(form1::kCalculate, false);

  // 8-10. Amounts.
  SpeciesArray amounts{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) amounts[i] = RequireNumber(Text(form1::kAmount[i]));
  if (std::any_of(amounts.begin(), amounts.end(), [](double a) { return !(a >= 0); })) {
    messages_.Show(messages::kAmountNegative);
    return false;
  }
  double sum = 0;
  for (double a : amounts) sum += a;
  if (Checked(sum) == 0) {
    messages_.Show(messages::kAmountsAllZero);
    return false;
  }

  // 11. Input records.
  SetEnabled(form1::kPrevious, true);
  previous_ = current_;
  current_ = InputRecord{pressure, temperature - kKelvinOffset, amounts};

  // 12-13. Calculation and results, up to the first quantity that failed.
  const MixtureResult& result = last_mixture_.emplace(CalculateMixture(pressure, temperature, amounts));
  for (const FieldWrite& write : ResultWrites(result)) SetText(write.field, write.text);
  if (!result.ok()) {
    messages_.Show(messages::kCheckInput);
    return false;
  }

  // 14-15.
  ColourResultRows(amounts);
  unit_rewrite_ = true;
  return true;
}

void MainWindowModel::ColourResultRows(const SpeciesArray& amounts) {
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const Rgb colour = amounts[i] > 0 ? kCyan : kWhite;
    for (const form1::SpeciesFields* row : form1::kResultRows) SetBackground((*row)[i], colour);
  }
}

}  // namespace toluvek
