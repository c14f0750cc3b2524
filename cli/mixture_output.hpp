#pragma once
// The main window's inputs and results as text and as JSON.

#include <iosfwd>

#include <nlohmann/json.hpp>

#include "main/main_window_model.hpp"

namespace toluvek::cli {

// The mixture results with captions and units, then the per-species table, as displayed.
// Fields the calculation did not write stay empty.
void PrintMixture(const MainWindowModel& window, std::ostream& out);

// {"inputs": …, "mixture": {…}, "species": [...]}: each written result as {"value", "text"}.
nlohmann::ordered_json MixtureJson(const MainWindowModel& window);

nlohmann::ordered_json MessageJson(const Message& message);

}  // namespace toluvek::cli
