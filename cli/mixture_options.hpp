#pragma once
// The main window's inputs as command-line options, shared by every subcommand that works
// on the current mixture. Defaults are the window's start-up state.

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_app.hpp"
#include "engine/gas_table.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_model.hpp"

namespace toluvek::cli {

// The headless main window (main/headless_main_window.hpp) with its messages recorded and
// written to stderr.
class HeadlessMainWindow {
 public:
  explicit HeadlessMainWindow(std::ostream& err) : messages_(err) {}
  MainWindowModel& window() { return headless_.window(); }
  HeadlessWindows& windows() { return headless_.windows(); }
  RecordingMessages& messages() { return messages_; }

 private:
  RecordingMessages messages_;
  toluvek::HeadlessMainWindow headless_{messages_};
};

struct MixtureOptions {
  std::string pressure = "1.01325E+005";
  std::string pressure_unit = "Pa";
  std::string temperature = "25";
  std::string temperature_unit = "C";
  std::string amounts;  // empty: the start-up composition
  std::string file;     // a composition file to take every input from, units included

  // Adds --pressure, --pressure-unit, --temperature, --temperature-unit, --amounts and --file
  // (which excludes the others).
  void AddTo(CLI::App& app);

  // Writes the options into the main window as a user would: units first (through the option
  // buttons), then the texts; or loads the composition file without calculating. Returns
  // kExitOk, or the exit code to end with after a message on stderr: kExitUsage for an amount
  // list that cannot be read, kExitStopped for a file that cannot be read (the window says
  // "エラーです").
  int ApplyTo(MainWindowModel& window, std::ostream& err) const;
};

// Parses "21,79,..." (twelve texts in species order) or "O2=21,N2=79" (labels of the species,
// unnamed ones "0"). Returns no value for a list of the wrong shape or an unknown label.
std::optional<SpeciesTexts> ParseAmountList(const std::string& list);

}  // namespace toluvek::cli
