#pragma once
// The main window's inputs as command-line options, shared by every subcommand that works
// on the current mixture. Defaults are the window's start-up state.

#include <array>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_app.hpp"
#include "engine/gas_table.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_model.hpp"

namespace toluvek::cli {

struct MixtureOptions {
  std::string pressure = "1.01325E+005";
  std::string pressure_unit = "Pa";
  std::string temperature = "25";
  std::string temperature_unit = "C";
  std::string amounts;  // empty: the start-up composition
  std::string file;     // a composition file to take every input from, units included
  std::string preset;   // a preset's stable name: its amounts
  bool gauge = false;   // the pressure is read above the standard atmosphere

  // Adds --pressure, --pressure-unit, --gauge, --temperature, --temperature-unit, --amounts,
  // --preset (which excludes --amounts) and --file (which excludes the others).
  void AddTo(CLI::App& app);
  // Only what makes the composition: --amounts, --preset and --file.
  void AddCompositionTo(CLI::App& app);

  // Whether the pressure goes into the window as typed, in one of the window's own units;
  // otherwise it is converted to Pa first.
  bool PressureAsTyped() const;
  // A pressure reading in --pressure-unit (and --gauge) as the absolute pressure [Pa] the
  // window then receives; no value for a number beyond the range of a double.
  std::optional<double> PressurePascal(double reading) const;

  // Writes the options into the main window as a user would: units first (through the option
  // buttons), then the texts; or loads the composition file without calculating. Returns
  // kExitOk, or the exit code to end with after a message on stderr: kExitUsage for an amount
  // list that cannot be read, kExitStopped for a file that cannot be read (the window says
  // "エラーです").
  int ApplyTo(MainWindowModel& window, std::ostream& err) const;
};

// The action of a subcommand on the current mixture (`Options` has its MixtureOptions as
// `mixture`): a headless main window whose messages are the run's, the mixture options applied
// to it as a user enters them, then `run` on it. When the options cannot be applied, `run` is
// not called and the subcommand ends with ApplyTo's exit code.
using MixtureAction = std::function<int(Io& io, HeadlessMainWindow& headless)>;
template <class Options>
Action OnMixture(std::shared_ptr<Options> options, MixtureAction run) {
  return [options, run = std::move(run)](Io& io) {
    HeadlessMainWindow headless(io.messages);
    if (const int code = options->mixture.ApplyTo(headless.window(), io.err); code != kExitOk) {
      return code;
    }
    return run(io, headless);
  };
}

// The preset names, for the help and the completion.
std::vector<std::string> PresetNames();

// The flow units a subcommand offers beyond its window's own (`window_units`): those of
// kEngineeringFlowUnits that convert to one of them, in their order.
std::vector<std::string> FlowUnitsFor(const std::vector<std::string>& window_units);

// A flow reading in `unit` as the text and unit the window takes: the reading unchanged in
// one of `window_units`, else converted and written in full. No value, after a usage line on
// `err`, for a reading that is not a number.
struct WindowFlow {
  std::string text;
  std::string unit;
};
std::optional<WindowFlow> FlowForWindow(const std::string& flow, const std::string& unit,
                                        const std::vector<std::string>& window_units,
                                        std::ostream& err);

// Offers the species labels, each with its "=", as the values of an amount list option.
CLI::Option* OfferAmounts(CLI::Option* option);

// Parses "21,79,..." (twelve texts in species order) or "O2=21,N2=79" (labels of the species,
// unnamed ones "0"). Returns no value for a list of the wrong shape, an unknown label or a
// label named twice.
std::optional<SpeciesTexts> ParseAmountList(const std::string& list);

}  // namespace toluvek::cli
