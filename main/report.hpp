#pragma once
// The results report of the "Clipboard" button: twenty lines of plain text with CR LF line
// ends, built from the texts the main window's fields hold at the moment, valid or not.

#include <string>
#include <string_view>

#include "common/number_text.hpp"
#include "main/main_window_access.hpp"

namespace toluvek {

// The unit texts of the report's first line: "Pa", "atm", "kgf / cm2"; "℃", "K".
std::string_view ReportUnitText(PressureUnit unit);
std::string_view ReportUnitText(TemperatureUnit unit);

// A field's text as the report shows it: a text that reads as a number is written with the
// pattern, any other text (the empty one included) is copied as it stands.
std::string ReportValue(std::string_view text, Pattern pattern);

// The pressure and temperature as typed, in the units of the option buttons shown chosen, the
// mole fractions and the mixture results; every line ends with CR LF, the last one included.
std::string ResultsReport(const MainWindowAccess& window);

}  // namespace toluvek
