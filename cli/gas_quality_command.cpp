// toluvek-cli presets and gas-quality: the main window's preset compositions, and the figures
// a fuel gas is specified by for the mixture given.

#include <algorithm>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "common/number_text.hpp"
#include "main/gas_quality.hpp"
#include "main/main_window_fields.hpp"
#include "main/presets.hpp"

namespace toluvek::cli {
namespace {

constexpr double kJoulePerMegajoule = 1000000;  // J/MJ

// The menu caption without its access key ("大阪ガス(&O)": "大阪ガス"), in the language.
std::string CaptionOf(const PresetEntry& entry, Language language) {
  const std::string caption = InLanguage(entry.caption, language);
  return caption.substr(0, caption.find("(&"));
}

// How each figure is printed: caption, the factor from its SI value, unit.
struct QualityLine {
  std::string_view caption;
  double GasQuality::*value;
  double per_si;  // displayed unit per SI unit
  std::string_view unit;
};

constexpr QualityLine kQualityLines[] = {
    {"molar mass", &GasQuality::molar_mass, 1, "kg/kmol"},
    {"higher heating value", &GasQuality::hhv_mass, 1 / kJoulePerMegajoule, "MJ/kg"},
    {"", &GasQuality::hhv_molar, 1 / kJoulePerMegajoule, "MJ/kmol"},
    {"", &GasQuality::hhv_volume, 1 / kJoulePerMegajoule, "MJ/m3N"},
    {"lower heating value", &GasQuality::lhv_mass, 1 / kJoulePerMegajoule, "MJ/kg"},
    {"", &GasQuality::lhv_molar, 1 / kJoulePerMegajoule, "MJ/kmol"},
    {"", &GasQuality::lhv_volume, 1 / kJoulePerMegajoule, "MJ/m3N"},
    {"relative density", &GasQuality::relative_density, 1, "- (air = 1)"},
    {"Wobbe index, higher", &GasQuality::wobbe_higher, 1 / kJoulePerMegajoule, "MJ/m3N"},
    {"Wobbe index, lower", &GasQuality::wobbe_lower, 1 / kJoulePerMegajoule, "MJ/m3N"},
    {"stoichiometric air", &GasQuality::air_volume, 1, "m3N air/m3N gas"},
    {"", &GasQuality::air_mass, 1, "kg air/kg gas"},
};

std::string ReferenceText() {
  return "ideal gas; m3N at " + FormatGeneral(kNormalTemperature - kKelvinOffset) + " ℃ and " +
         FormatGeneral(kNormalPressure / 1000) + " kPa; air " +
         FormatGeneral(kAirOxygenFraction * 100) + " % O2, " +
         FormatGeneral(kAirNitrogenFraction * 100) + " % N2";
}

}  // namespace

Subcommand AddPresetsCommand(CLI::App& app) {
  struct Options {
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "presets", "the main window's preset compositions, by the names --preset takes (vol %)");
  sub->add_flag("--json", options->json, "the names, captions and all twelve amounts");
  return {sub, [options](Io& io) {
            if (options->json) {
              nlohmann::ordered_json list = nlohmann::ordered_json::array();
              for (const PresetEntry& entry : AllPresets()) {
                nlohmann::ordered_json amounts = nlohmann::ordered_json::object();
                for (std::size_t i = 0; i < kSpeciesCount; ++i) {
                  amounts[std::string(AllSpecies()[i].label)] = entry.amounts[i];
                }
                list.push_back({{"name", entry.name},
                                {"caption", CaptionOf(entry, io.messages.language())},
                                {"amounts_percent", amounts}});
              }
              io.out << JsonText(nlohmann::ordered_json{{"presets", list}}) << '\n';
              return kExitOk;
            }
            std::size_t width = 10;  // two more than the widest caption
            for (const PresetEntry& entry : AllPresets()) {
              width = std::max(width, TextColumns(CaptionOf(entry, io.messages.language())) + 2);
            }
            for (const PresetEntry& entry : AllPresets()) {
              std::string line = PadColumns(entry.name, 11) +
                                 PadColumns(CaptionOf(entry, io.messages.language()), width);
              bool first = true;
              for (std::size_t i = 0; i < kSpeciesCount; ++i) {
                if (entry.amounts[i] == 0) continue;
                line += (first ? "" : ", ") + std::string(AllSpecies()[i].label) + " " +
                        FormatGeneral(entry.amounts[i]);
                first = false;
              }
              io.out << line << '\n';
            }
            return kExitOk;
          }};
}

Subcommand AddGasQualityCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "gas-quality",
      "heating values per kg, kmol and m3N (0 ℃, 101.325 kPa), relative density, Wobbe "
      "indices and stoichiometric air of the mixture");
  options->mixture.AddCompositionTo(*sub);
  sub->add_flag("--json", options->json,
                "full-precision values in SI units, named as the table columns");
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            std::array<std::string, kSpeciesCount> texts;
            for (std::size_t i = 0; i < kSpeciesCount; ++i) {
              texts[i] = headless.window().Text(form1::kAmount[i]);
            }
            const GasQualityOutcome outcome = EvaluateGasQuality(ReadAmounts(texts));
            if (outcome.message != nullptr) io.messages.Show(*outcome.message);
            if (options->json) {
              nlohmann::ordered_json doc;
              doc["reference"] = {{"normal_temperature_K", kNormalTemperature},
                                  {"normal_pressure_Pa", kNormalPressure},
                                  {"air_O2_fraction", kAirOxygenFraction},
                                  {"air_N2_fraction", kAirNitrogenFraction},
                                  {"ideal_gas", true}};
              if (outcome.message != nullptr) {
                doc["error"] = MessageJson(*outcome.message, io.messages.language());
              } else {
                doc["molar_mass_kg_per_kmol"] = outcome.quality.molar_mass;
                for (const GasQualityQuantity& q : kGasQualityQuantities) {
                  doc[std::string(q.name)] = outcome.quality.*q.value;
                }
              }
              io.out << JsonText(doc) << '\n';
            } else if (outcome.message == nullptr) {
              io.out << "gas quality (" << ReferenceText() << ")\n";
              for (const QualityLine& line : kQualityLines) {
                io.out << PadColumns(line.caption, 22)
                       << PadColumns(FormatPattern(outcome.quality.*line.value * line.per_si,
                                                   Pattern::kSci4),
                                     13)
                       << line.unit << '\n';
              }
            }
            return outcome.message == nullptr ? kExitOk : kExitStopped;
          })};
}

}  // namespace toluvek::cli
