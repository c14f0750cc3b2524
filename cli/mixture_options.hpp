#pragma once
// The main window's inputs as command-line options, shared by every subcommand that works
// on the current mixture. Defaults are the window's start-up state.

#include <array>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "engine/species.hpp"
#include "main/main_window_model.hpp"

namespace toluvek::cli {

struct MixtureOptions {
  std::string pressure = "1.01325E+005";
  std::string pressure_unit = "Pa";
  std::string temperature = "25";
  std::string temperature_unit = "C";
  std::string amounts;  // empty: the start-up composition

  // Adds --pressure, --pressure-unit, --temperature, --temperature-unit, --amounts.
  void AddTo(CLI::App& app);

  // Writes the options into the main window as a user would: units first (through the option
  // buttons), then the texts. Returns false with a message on stderr when the amount list
  // cannot be read.
  bool ApplyTo(MainWindowModel& window, std::ostream& err) const;
};

// Parses "21,79,..." (twelve texts in species order) or "O2=21,N2=79" (labels of the species,
// unnamed ones "0"). Returns no value for a list of the wrong shape or an unknown label.
std::optional<std::array<std::string, kSpeciesCount>> ParseAmountList(const std::string& list);

}  // namespace toluvek::cli
