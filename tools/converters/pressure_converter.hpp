#pragma once
// The pressure converter (Form9): one number in one of five units, shown in all of them.

#include <array>
#include <string_view>

#include "tools/converters/converter_rows.hpp"

namespace toluvek {

// The unit options, in the order of the rows: Option1 "Pa", Option2 "mmAq", Option3 "Torr",
// Option4 "kgf/mm2", Option6 "atm".
enum class PressureConverterUnit { kPa, kMmAq, kTorr, kKgfMm2, kAtm };

inline constexpr std::array<std::string_view, 5> kPressureConverterUnitNames = {
    "Pa", "mmAq", "Torr", "kgf/mm2", "atm"};

using PressureRows = std::array<ConverterRow, 5>;

// The rows as the window opens: every one visible, "0  [Pa]" and so on.
PressureRows InitialPressureRows();

struct PressureRecalculation {
  PressureRows rows;
  bool converted = false;  // every row shows the conversion; otherwise none does
  ConverterNotice notice = ConverterNotice::kNone;
};

// Recalculates from the input text and the chosen unit, starting from the rows shown. The row
// of the chosen unit is hidden, as the input box shows that value. A text that is not a number
// (or a value beyond the range of a double) leaves the rows visible with their previous
// values. A number whose conversion overflows in any unit empties every row, so that no row
// shows the value of an earlier text. In both cases only a click on a unit other than Pa
// reports "エラー!".
PressureRecalculation RecalculatePressure(const PressureRows& shown, std::string_view input,
                                          PressureConverterUnit unit, ConverterTrigger trigger);

}  // namespace toluvek
