#include "tools/converters/pressure_converter.hpp"

#include <exception>

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

void Write(ConverterRow& row, std::size_t index, double value) {
  row.text = FormatPattern(value, Pattern::kSci5) + std::string(kRows[index].unit_text);
  row.value = value;
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
  try {
    const double p = ToPascal(RequireNumber(input), unit);
    result.rows[static_cast<std::size_t>(unit)].visible = false;
    Write(result.rows[0], 0, p);
    Write(result.rows[1], 1, Div(p, kPascalPerMmAq));
    Write(result.rows[2], 2, Div(Checked(p * kTorrPerAtm), kPascalPerAtm));
    Write(result.rows[3], 3, Div(Div(p, kSquareMmPerSquareM), kPascalPerMmAq));
    Write(result.rows[4], 4, Div(p, kPascalPerAtm));
    result.converted = true;
  } catch (const std::exception&) {
    if (trigger == ConverterTrigger::kOptionClick && unit != PressureConverterUnit::kPa) {
      result.notice = ConverterNotice::kError;
    }
  }
  return result;
}

}  // namespace toluvek
