// toluvek-cli combustion: the main window's "燃焼温度" button on the mixture given, printing
// what the window shows after it: the burnt gas, its temperature, the total amount before and
// after, and the burnt gas's properties at that temperature.

#include <optional>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "common/number_text.hpp"
#include "main/combustion.hpp"
#include "main/combustion_command.hpp"
#include "main/gas_quality.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek::cli {
namespace {

nlohmann::ordered_json Quantity(double value, const std::string& text) {
  return {{"value", value}, {"text", text}};
}

void PrintBurntGas(const MainWindowModel& window, const CombustionResult& r, std::ostream& out,
                   Language language) {
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    std::string label(AllSpecies()[i].label);
    label.resize(9, ' ');
    out << label << window.Text(form1::kAmount[i]) << '\n';
  }
  out << InLanguage("燃焼温度", language) << ' ' << FormatPattern(r.temperature, Pattern::kFixed2)
      << " K  " << window.Text(form1::kTemperature) << " ℃\n";
  out << InLanguage("総モル体積変化", language) << ' ' << FormatGeneral(r.total_before) << "→"
      << FormatGeneral(r.total_after) << '\n';
}

nlohmann::ordered_json BurntGasJson(const MainWindowModel& window, const CombustionResult& r) {
  const SpeciesArray values = BurntAmounts(r);
  nlohmann::ordered_json composition = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    nlohmann::ordered_json entry = {{"label", AllSpecies()[i].label}};
    entry.update(Quantity(values[i], window.Text(form1::kAmount[i])));
    composition.push_back(entry);
  }
  return {
      {"composition", composition},
      {"temperature",
       {{"kelvin", r.temperature},
        {"celsius", r.temperature - kKelvinOffset},
        {"text", window.Text(form1::kTemperature)},
        {"unit", TemperatureUnitName(window.temperature_unit())}}},
      {"total_before", Quantity(r.total_before, FormatGeneral(r.total_before))},
      {"total_after", Quantity(r.total_after, FormatGeneral(r.total_after))},
  };
}

// The model, said in the heading when air is added by ratio.
constexpr std::string_view kModel = "complete combustion, no dissociation";

// Adds `ratio` times the mixture's stoichiometric air to the window's amounts, as a user
// would type the new O2 and N2. Returns the air added, or no value after the calculate
// command's message on amounts it cannot take.
std::optional<double> AddAirByRatio(MainWindowModel& window, double ratio,
                                    RecordingMessages& messages) {
  std::array<std::string, kSpeciesCount> texts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = window.Text(form1::kAmount[i]);
  const AmountsInput amounts = ReadAmounts(texts);
  if (const Message* message = CheckState(kNormalPressure, kNormalTemperature, amounts).message) {
    messages.Show(*message);
    return std::nullopt;
  }
  const SpeciesArray with_air = WithAir(amounts.values, ratio);
  window.SetText(form1::kAmount[kO2], FormatShortest(with_air[kO2]));
  window.SetText(form1::kAmount[kN2], FormatShortest(with_air[kN2]));
  return Checked(ratio * StoichiometricAir(amounts.values));
}

}  // namespace

Subcommand AddCombustionCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    bool json = false;
    std::string air_ratio;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "combustion", "adiabatic complete combustion of the mixture: burnt gas and its temperature");
  options->mixture.AddTo(*sub);
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  sub->add_option("--air-ratio", options->air_ratio,
                  "add R times the mixture's stoichiometric air (21 % O2, 79 % N2) before "
                  "burning: 1.1 for 10 % excess air")
      ->type_name("R");
  return {
      sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
        MainWindowModel& window = headless.window();
        RecordingMessages& messages = io.messages;
        std::optional<double> air_added;
        if (!options->air_ratio.empty()) {
          const std::optional<double> ratio = ParseStrict(options->air_ratio);
          if (!ratio || !(*ratio >= 0)) {
            io.err << "--air-ratio: \"" << options->air_ratio
                   << "\" is not a ratio of zero or more\n";
            return kExitUsage;
          }
          air_added = AddAirByRatio(window, *ratio, messages);
          if (!air_added) {
            if (options->json) {
              io.out << JsonText(
                            {{"error", MessageJson(messages.shown().back(), messages.language())}})
                     << '\n';
            }
            return kExitStopped;
          }
        }
        const CombustionCommandOutcome outcome = window.CombustionTemperature();
        // The totals box is a result: stdout carries it.
        messages.Forget(kTotalChangeTitle);
        // The burnt gas's properties as far as its calculation wrote them.
        const bool burnt = outcome.result.has_value();
        std::vector<FieldWrite> writes;
        if (burnt && window.last_mixture()) writes = ResultWrites(*window.last_mixture());
        std::optional<Message> burnt_gas_error;
        if (burnt && !outcome.burnt_gas_calculated) {
          if (!messages.shown().empty()) burnt_gas_error = messages.shown().back();
          messages.Warn("the properties of the burnt gas could not be computed at " +
                        FormatPattern(outcome.result->temperature, Pattern::kFixed2) + " K");
        }
        // The burnt gas is far hotter than the mixture: its properties are often beyond
        // the fits.
        const bool outside = !writes.empty() && WarnOutsideFitRange(WindowKelvin(window), messages);
        if (options->json) {
          nlohmann::ordered_json doc = nlohmann::ordered_json::object();
          if (air_added) {
            doc["model"] = kModel;
            doc["air_ratio"] = *ParseStrict(options->air_ratio);
            doc["air_added"] = *air_added;
          }
          if (burnt) {
            doc.update(BurntGasJson(window, *outcome.result));
            const MixtureProperties none{};
            nlohmann::ordered_json properties = WrittenResultsJson(
                writes, window.last_mixture() ? window.last_mixture()->properties : none);
            if (!writes.empty()) properties["outside_fit_range"] = outside;
            if (burnt_gas_error)
              properties["error"] = MessageJson(*burnt_gas_error, messages.language());
            doc["burnt_gas"] = properties;
          }
          nlohmann::ordered_json shown = nlohmann::ordered_json::array();
          for (const Message& m : messages.shown())
            shown.push_back(MessageJson(m, messages.language()));
          doc["messages"] = shown;
          if (!outcome.completed && !messages.shown().empty()) {
            doc["error"] = MessageJson(messages.shown().back(), messages.language());
          }
          io.out << JsonText(doc) << '\n';
        } else if (burnt) {
          if (air_added) {
            io.out << kModel << ", air ratio " << options->air_ratio << ": "
                   << FormatGeneral(*air_added) << " of air (21 % O2, 79 % N2) added\n\n";
          }
          PrintBurntGas(window, *outcome.result, io.out, messages.language());
          if (!writes.empty()) {
            io.out << '\n';
            PrintWrittenResults(writes, io.out, messages.language());
          }
        }
        return outcome.completed ? kExitOk : kExitStopped;
      })};
}

}  // namespace toluvek::cli
