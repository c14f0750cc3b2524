#pragma once
// The main window's inputs and results as text and as JSON.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "main/main_window_model.hpp"

namespace toluvek::cli {

// The mixture results with captions (in the language) and units, then the per-species table,
// as displayed. Fields the calculation did not write stay empty.
void PrintMixture(const MainWindowModel& window, std::ostream& out, Language language);

// {"inputs": …, "mixture": {…}, "species": [...]}: each written result as {"value", "text"}.
nlohmann::ordered_json MixtureJson(const MainWindowModel& window);

// The same for the texts one calculation wrote (`writes`) and its values, without the inputs:
// a calculation that stopped part way shows only what it produced.
void PrintWrittenResults(const std::vector<FieldWrite>& writes, std::ostream& out,
                         Language language);
nlohmann::ordered_json WrittenResultsJson(const std::vector<FieldWrite>& writes,
                                          const MixtureProperties& values);

// "the fits of cp, λ and μ hold from 200 to 1000 K".
std::string FitRangeText();

// The absolute temperature [K] of the window's temperature field in its unit, as the
// calculation reads it; NaN for a text that is not a number.
double WindowKelvin(const MainWindowModel& window);

// Whether the properties at `t_kelvin` [K] are extrapolated beyond the fits of cp, λ and μ;
// when they are, one warning says so. The JSON of every subcommand that shows properties
// carries the answer as "outside_fit_range" beside them.
bool WarnOutsideFitRange(double t_kelvin, RecordingMessages& messages);

}  // namespace toluvek::cli
