// toluvek-cli mix: adiabatic mixing of two gas streams, printed as the mixing window shows it
// after "計算": the normalised streams beside the mixed stream.

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/tool_output.hpp"
#include "common/number_text.hpp"
#include "main/presets.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "tools/mixing/stream_mixing.hpp"

namespace toluvek::cli {
namespace {

struct StreamOptions {
  std::string temperature;
  std::string flow;
  std::string amounts;
  std::string preset;  // a preset's stable name, instead of the amounts

  void AddTo(CLI::App& app, const std::string& prefix, const std::string& name) {
    app.add_option("--" + prefix + "-temperature", temperature, "temperature of " + name + " [℃]")
        ->capture_default_str();
    app.add_option("--" + prefix + "-flow", flow, "molar flow of " + name + ", any unit")
        ->capture_default_str();
    OfferAmounts(app.add_option("--" + prefix + "-amounts", amounts,
                                "amounts of " + name +
                                    ": twelve values in species order, or NAME=VALUE pairs such "
                                    "as O2=21,N2=79"))
        ->capture_default_str();
    app.add_option("--" + prefix + "-preset", preset,
                   "the amounts of " + name + " from a preset of the main window (see presets)")
        ->check(CLI::IsMember(PresetNames()))
        ->excludes(app.get_option("--" + prefix + "-amounts"));
  }

  // The amount list given, or the preset's amounts as its shortcut writes them.
  std::optional<SpeciesTexts> Amounts() const {
    if (const PresetEntry* entry = FindPreset(preset)) {
      SpeciesTexts texts;
      for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = FormatGeneral(entry->amounts[i]);
      return texts;
    }
    return ParseAmountList(amounts);
  }
};

const char* StatusName(MixingStatus status) {
  switch (status) {
    case MixingStatus::kSolved:
      return "solved";
    case MixingStatus::kNoSolution:
      return "no_solution";
    case MixingStatus::kInputError:
      break;
  }
  return "input_error";
}

// Fractions of `fields` that the run wrote, keyed by species label.
nlohmann::ordered_json Fractions(const MixingResult& result, MixingItem item,
                                 const SpeciesArray& values) {
  nlohmann::ordered_json fractions = nlohmann::ordered_json::object();
  for (const MixingText& write : result.display) {
    if (write.item == item) {
      fractions[std::string(AllSpecies()[write.species].label)] =
          ValueAndText(values[write.species], write.text);
    }
  }
  return fractions;
}

}  // namespace

Subcommand AddMixCommand(CLI::App& app) {
  struct Options {
    // Stream A's composition is the main window's start-up one; the flows and stream B's
    // composition have no value that could stand for the user's, so they must be given.
    StreamOptions a{"25", "", "O2=21,N2=79", ""};
    StreamOptions b{"25", "", "", ""};
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "mix",
      "adiabatic mixing of two gas streams: normalised compositions, total flow, mixed "
      "composition and temperature");
  options->a.AddTo(*sub, "a", "stream A");
  options->b.AddTo(*sub, "b", "stream B");
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  for (const char* name : {"--a-flow", "--b-flow"}) {
    CLI::Option* option = sub->get_option(name);
    option->description(option->get_description() + " (required)");
  }
  CLI::Option* b_amounts = sub->get_option("--b-amounts");
  b_amounts->description(b_amounts->get_description() + " (required, or --b-preset)");
  return {sub, [options](Io& io) {
            std::string missing;
            for (const auto& [name, text] :
                 {std::pair{"--a-flow", &options->a.flow}, std::pair{"--b-flow", &options->b.flow},
                  std::pair{"--b-amounts", options->b.preset.empty() ? &options->b.amounts
                                                                     : &options->b.preset}}) {
              if (text->empty()) missing += std::string(missing.empty() ? "" : ", ") + name;
            }
            if (!missing.empty()) {
              io.err << "mix: missing " << missing << "\nusage: mix [options]; see --help\n";
              return kExitUsage;
            }
            MixingStream streams[2];
            const StreamOptions* given[2] = {&options->a, &options->b};
            for (int s = 0; s < 2; ++s) {
              const auto amounts = given[s]->Amounts();
              if (!amounts) {
                io.err << "--" << (s == 0 ? 'a' : 'b')
                       << "-amounts: give twelve comma-separated values in species order, or "
                          "NAME=VALUE pairs with the labels H2 O2 N2 CO CO2 H2O CH3OH CH4 C2H6 "
                          "C3H8 n-C4H10 i-C4H10\n";
                return kExitUsage;
              }
              streams[s] = {given[s]->temperature, given[s]->flow, *amounts};
            }
            // The mixing window on a headless main window, its fields as given, then "計算".
            HeadlessMainWindow headless(io.messages);
            RecordingMessages& messages = io.messages;
            MixingWindowModel window(headless.window(), messages);
            window.SetText(mixing_fields::kTemperatureA, streams[0].temperature);
            window.SetText(mixing_fields::kFlowA, streams[0].flow);
            window.SetText(mixing_fields::kTemperatureB, streams[1].temperature);
            window.SetText(mixing_fields::kFlowB, streams[1].flow);
            for (std::size_t i = 0; i < kSpeciesCount; ++i) {
              window.SetText(mixing_fields::kAmountA[i], streams[0].amounts[i]);
              window.SetText(mixing_fields::kAmountB[i], streams[1].amounts[i]);
            }
            window.Calculate();
            const MixingResult& result = window.last_result();

            if (options->json) {
              nlohmann::ordered_json doc;
              doc["status"] = StatusName(result.status);
              const MixingItem fields[2] = {MixingItem::kFractionA, MixingItem::kFractionB};
              const SpeciesArray* values[2] = {&result.composition_a, &result.composition_b};
              for (int s = 0; s < 2; ++s) {
                doc[s == 0 ? "stream_a" : "stream_b"] = {
                    {"temperature", streams[s].temperature},
                    {"flow", streams[s].flow},
                    {"fractions", Fractions(result, fields[s], *values[s])}};
              }
              for (const MixingText& write : result.display) {
                if (write.item == MixingItem::kTotalFlow) {
                  doc["total_flow"] = ValueAndText(result.total_flow, write.text);
                }
              }
              doc["mixed_fractions"] =
                  Fractions(result, MixingItem::kMixedFraction, result.mixed_composition);
              if (result.status == MixingStatus::kSolved) {
                doc["mixed_temperature"] =
                    ValueAndText(result.mixed_temperature, result.display.back().text);
              }
              doc["search_steps"] = result.search_steps;
              doc["messages"] = MessagesJson(messages);
              io.out << JsonText(doc) << '\n';
            } else {
              // The window's fields: the texts given, overwritten by what the run wrote.
              const Language language = io.messages.language();
              const std::size_t caption_width =
                  std::max<std::size_t>(10, TextColumns(InLanguage("温度[℃]", language)) + 2);
              auto row = [&](std::string_view caption, std::string_view a, std::string_view b,
                             std::string_view mixed) {
                std::string line = PadColumns(caption, caption_width) +
                                   PadColumns(window.Text(a), 13) + PadColumns(window.Text(b), 13) +
                                   window.Text(mixed);
                line.erase(line.find_last_not_of(' ') + 1);
                io.out << line << '\n';
              };
              io.out << PadColumns("", caption_width) << PadColumns("A", 13) << PadColumns("B", 13)
                     << InLanguage("混合", language) << '\n';
              row(InLanguage("温度[℃]", language), mixing_fields::kTemperatureA,
                  mixing_fields::kTemperatureB, mixing_fields::kMixedTemperature);
              row(InLanguage("流量", language), mixing_fields::kFlowA, mixing_fields::kFlowB,
                  mixing_fields::kTotalFlow);
              for (std::size_t i = 0; i < kSpeciesCount; ++i) {
                row(AllSpecies()[i].label, mixing_fields::kAmountA[i], mixing_fields::kAmountB[i],
                    mixing_fields::kMixedFraction[i]);
              }
            }
            return result.status == MixingStatus::kSolved ? kExitOk : kExitStopped;
          }};
}

}  // namespace toluvek::cli
