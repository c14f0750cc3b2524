#include "tools/converters/temperature_converter.hpp"

#include <exception>
#include <optional>

#include "common/checked.hpp"
#include "common/number_text.hpp"

namespace toluvek {
namespace {

constexpr double kRankineOffset = 459.67;  // °R at 0 ℉
constexpr double kFahrenheitZero = 32;     // ℉ at 0 ℃
constexpr double kAbsoluteZero = -273.15;  // ℃

struct RowLayout {
  std::string_view equals_control;
  std::string_view value_control;
  std::string_view unit_text;  // half-width mark ﾟ
  std::string_view initial;    // full-width mark ゜
};

constexpr std::array<RowLayout, 3> kRows = {{
    {"Label1", "Label4", " [ﾟC]", " 0 [゜C]"},
    {"Label2", "Label5", " [ﾟF]", " 0 [゜F]"},
    {"Label3", "Label6", " [ﾟR]", " 0 [゜R]"},
}};

double ToCelsius(double x, TemperatureConverterUnit unit) {
  switch (unit) {
    case TemperatureConverterUnit::kCelsius:
      return x;
    case TemperatureConverterUnit::kFahrenheit:
      return Div(Checked(Checked(x - kFahrenheitZero) * 5), 9);
    case TemperatureConverterUnit::kRankine:
      return Div(Checked(Checked(x - kRankineOffset - kFahrenheitZero) * 5), 9);
  }
  return x;
}

// The temperature t [℃] on each scale, in the order of the rows. Every value is computed
// before any row is written, so that an overflow on one scale leaves no row showing the value
// of an earlier text.
std::array<double, 3> OnEveryScale(double t) {
  const double fahrenheit = Checked(Div(Checked(t * 9), 5) + kFahrenheitZero);
  return {t, fahrenheit, Checked(fahrenheit + kRankineOffset)};
}

}  // namespace

TemperatureRows InitialTemperatureRows() {
  TemperatureRows rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = {kRows[i].equals_control, kRows[i].value_control, std::string(kRows[i].initial), true,
               0};
  }
  return rows;
}

TemperatureRecalculation RecalculateTemperature(const TemperatureRows& shown,
                                                std::string_view input,
                                                TemperatureConverterUnit unit) {
  TemperatureRecalculation result;
  result.rows = shown;
  for (ConverterRow& row : result.rows) row.visible = true;
  const std::optional<double> x = ParseStrict(input);
  if (!x) return result;
  try {
    const double t = ToCelsius(*x, unit);
    const std::array<double, 3> values = OnEveryScale(t);
    for (std::size_t i = 0; i < values.size(); ++i) {
      result.rows[i].text =
          FormatPattern(values[i], Pattern::kFixed2) + std::string(kRows[i].unit_text);
      result.rows[i].value = values[i];
    }
    result.rows[static_cast<std::size_t>(unit)].visible = false;
    result.converted = true;
    // A warning only: the values stay shown.
    if (t < kAbsoluteZero) result.notice = ConverterNotice::kBelowAbsoluteZero;
  } catch (const std::exception&) {
    // The number is too large for one of the scales: no row shows a temperature at all.
    for (ConverterRow& row : result.rows) {
      row.text.clear();
      row.value = 0;
    }
  }
  return result;
}

}  // namespace toluvek
