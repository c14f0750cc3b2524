#include "tools/converters/pressure_converter.hpp"

#include <exception>
#include <optional>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/gas_table.hpp"  // kPascalPerAtm

namespace toluvek {
namespace {

constexpr double kPascalPerMmAq = 9.80665;       // Pa per mmAq (and N per kgf)
constexpr double kTorrPerAtm = 760;              // Torr
constexpr double kSquareMmPerSquareM = 1000000;  // mm²/m²

struct RowLayout {
  std::string_view equals_control;
  std::string_view value_control;
  std::string_view unit_text;
  std::string_view initial;
};

constexpr std::array<RowLayout, 5> kRows = {{
    {"Label2", "Label1", " [Pa]", "0  [Pa]"},
    {"Label11", "Label10", " [mmAq]", "0  [mmAq]"},
    {"Label4", "Label9", " [Torr]", "0  [Torr]"},
    {"Label5", "Label8", " [kgf/mm2]", "0  [kgf/mm2]"},
    {"Label6", "Label7", " [atm]", "0  [atm]"},
}};

double ToPascal(double x, PressureConverterUnit unit) {
  switch (unit) {
    case PressureConverterUnit::kPa:
      return x;
    case PressureConverterUnit::kMmAq:
      return Checked(x * kPascalPerMmAq);
    case PressureConverterUnit::kTorr:
      return Checked(Div(x, kTorrPerAtm) * kPascalPerAtm);
    case PressureConverterUnit::kKgfMm2:
      return Checked(Checked(x * kSquareMmPerSquareM) * kPascalPerMmAq);
    case PressureConverterUnit::kAtm:
      return Checked(x * kPascalPerAtm);
  }
  return x;
}

// The pressure p [Pa] in the unit of each row, in the order of the rows. Every value is
// computed before any row is written, so that an overflow in one unit leaves no row showing the
// value of an earlier text.
std::array<double, 5> InEveryUnit(double p) {
  return {p, Div(p, kPascalPerMmAq), Div(Checked(p * kTorrPerAtm), kPascalPerAtm),
          Div(Div(p, kSquareMmPerSquareM), kPascalPerMmAq), Div(p, kPascalPerAtm)};
}

// Only a click on a unit other than Pa reports a failure.
ConverterNotice FailureNotice(PressureConverterUnit unit, ConverterTrigger trigger) {
  return trigger == ConverterTrigger::kOptionClick && unit != PressureConverterUnit::kPa
             ? ConverterNotice::kError
             : ConverterNotice::kNone;
}

}  // namespace

PressureRows InitialPressureRows() {
  PressureRows rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = {kRows[i].equals_control, kRows[i].value_control, std::string(kRows[i].initial), true,
               0};
  }
  return rows;
}

PressureRecalculation RecalculatePressure(const PressureRows& shown, std::string_view input,
                                          PressureConverterUnit unit, ConverterTrigger trigger) {
  PressureRecalculation result;
  result.rows = shown;
  for (ConverterRow& row : result.rows) row.visible = true;
  const std::optional<double> x = ParseStrict(input);
  if (!x) {
    result.notice = FailureNotice(unit, trigger);
    return result;
  }
  try {
    const std::array<double, 5> values = InEveryUnit(ToPascal(*x, unit));
    for (std::size_t i = 0; i < values.size(); ++i) {
      result.rows[i].text =
          FormatPattern(values[i], Pattern::kSci5) + std::string(kRows[i].unit_text);
      result.rows[i].value = values[i];
    }
    result.rows[static_cast<std::size_t>(unit)].visible = false;
    result.converted = true;
  } catch (const std::exception&) {
    // The number is too large for one of the units: no row shows a pressure at all.
    for (ConverterRow& row : result.rows) {
      row.text.clear();
      row.value = 0;
    }
    result.notice = FailureNotice(unit, trigger);
  }
  return result;
}

}  // namespace toluvek
