#pragma once
// The temperature converter (Form10): one temperature in ℃, ℉ or °R, shown in all three.

#include <array>
#include <string_view>

#include "tools/converters/converter_rows.hpp"

namespace toluvek {

// The unit options, in the order of the rows: Option1 "゜C", Option3 "゜F", Option2 "゜R".
enum class TemperatureConverterUnit { kCelsius, kFahrenheit, kRankine };

inline constexpr std::array<std::string_view, 3> kTemperatureConverterUnitNames = {"゜C", "゜F",
                                                                                   "゜R"};

using TemperatureRows = std::array<ConverterRow, 3>;

// The rows as the window opens: " 0 [゜C]", " 0 [゜F]", " 0 [゜R]", all visible.
TemperatureRows InitialTemperatureRows();

struct TemperatureRecalculation {
  TemperatureRows rows;
  bool converted = false;  // every row shows the conversion; otherwise none does
  ConverterNotice notice = ConverterNotice::kNone;  // the warning below absolute zero
};

// Recalculates from the input text and the chosen unit, starting from the rows shown; hides
// the chosen unit's row. A text that is not a number leaves the rows visible with their
// previous values; a number whose conversion overflows on any scale empties every row, so that
// no row shows the value of an earlier text. Both are silent, whatever started the
// recalculation.
TemperatureRecalculation RecalculateTemperature(const TemperatureRows& shown,
                                                std::string_view input,
                                                TemperatureConverterUnit unit);

}  // namespace toluvek
