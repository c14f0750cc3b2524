// toluvek-cli convert: the pressure, temperature and heat converters, printed as the
// converter shows the value after its unit option is clicked.

#include <algorithm>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/completion.hpp"
#include "cli/tool_output.hpp"
#include "tools/converters/converter_window_models.hpp"
#include "tools/converters/heat_converter.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"

namespace toluvek::cli {
namespace {

// The temperature units as the command line spells them, in the order of the rows.
constexpr std::string_view kTemperatureUnits[] = {"C", "F", "R"};
constexpr std::string_view kHeatUnits[] = {"kcal/h", "W", "cal", "J"};

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::string& unit, const std::string_view (&names)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == unit) return i;
  }
  return std::nullopt;
}

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::string& unit,
                                   const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == unit) return i;
  }
  return std::nullopt;
}

struct Shown {
  std::vector<ConverterRow> rows;  // every row the converter has, visible or not
  std::vector<std::string_view> units;
  bool converted = false;
  std::vector<Message> messages;  // the boxes the converter shows, in order
};

}  // namespace

Subcommand AddConvertCommand(CLI::App& app) {
  struct Options {
    std::string quantity;
    std::string value;
    std::string unit;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "convert", "a pressure, temperature, power or energy in every unit of its converter");
  sub->add_option("quantity", options->quantity, "pressure | temperature | heat")
      ->required()
      ->check(CLI::IsMember({"pressure", "temperature", "heat"}));
  sub->add_option("value", options->value, "the number as typed into the converter")->required();
  // Which units hold depends on the quantity: the action checks them, the shell offers all.
  std::vector<std::string> units(kPressureConverterUnitNames.begin(),
                                 kPressureConverterUnitNames.end());
  units.insert(units.end(), std::begin(kTemperatureUnits), std::end(kTemperatureUnits));
  units.insert(units.end(), std::begin(kHeatUnits), std::end(kHeatUnits));
  OfferValues(sub->add_option("--unit", options->unit,
                              "pressure: Pa (default) | mmAq | Torr | kgf/mm2 | atm; temperature: "
                              "C (default) | F | R; heat: kcal/h (default) | W | cal | J"),
              units);
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {sub, [options](Io& io) {
            const std::string& quantity = options->quantity;
            Shown shown;
            std::string unit = options->unit;
            if (quantity == "pressure") {
              if (unit.empty()) unit = "Pa";
              const auto index = IndexOf(unit, kPressureConverterUnitNames);
              if (!index) {
                io.err << "--unit: a pressure unit is Pa, mmAq, Torr, kgf/mm2 or atm\n";
                return kExitUsage;
              }
              const PressureRecalculation result = RecalculatePressure(
                  InitialPressureRows(), options->value, static_cast<PressureConverterUnit>(*index),
                  ConverterTrigger::kOptionClick);
              shown = {{result.rows.begin(), result.rows.end()},
                       {kPressureConverterUnitNames.begin(), kPressureConverterUnitNames.end()},
                       result.converted,
                       ConverterMessages(result.notice)};
            } else if (quantity == "temperature") {
              if (unit.empty()) unit = "C";
              const auto index = IndexOf(unit, kTemperatureUnits);
              if (!index) {
                io.err << "--unit: a temperature unit is C, F or R\n";
                return kExitUsage;
              }
              const TemperatureRecalculation result =
                  RecalculateTemperature(InitialTemperatureRows(), options->value,
                                         static_cast<TemperatureConverterUnit>(*index));
              shown = {{result.rows.begin(), result.rows.end()},
                       {std::begin(kTemperatureUnits), std::end(kTemperatureUnits)},
                       result.converted,
                       ConverterMessages(result.notice)};
            } else {
              if (unit.empty()) unit = "kcal/h";
              const auto index = IndexOf(unit, kHeatUnits);
              if (!index) {
                io.err << "--unit: a heat unit is kcal/h, W, cal or J\n";
                return kExitUsage;
              }
              // The half of the window that holds the unit; its label shows the other unit.
              const HeatRecalculation result =
                  *index < 2
                      ? RecalculatePower("", options->value, static_cast<PowerUnit>(*index),
                                         ConverterTrigger::kOptionClick)
                      : RecalculateEnergy("", options->value, static_cast<EnergyUnit>(*index - 2),
                                          ConverterTrigger::kOptionClick);
              const std::string_view other = kHeatUnits[*index ^ 1];
              shown = {{ConverterRow{"", *index < 2 ? "Label1" : "Label2", result.label, true,
                                     result.value}},
                       {other},
                       result.converted,
                       ConverterMessages(result.notice)};
            }

            RecordingMessages& messages = io.messages;
            for (const Message& message : shown.messages) messages.Show(message);
            if (!shown.converted && shown.messages.empty()) {
              io.err << "convert: " << options->value << " was not converted\n";
            }
            if (options->json) {
              nlohmann::ordered_json doc;
              doc["converter"] = quantity;
              doc["input"] = {{"text", options->value}, {"unit", unit}};
              nlohmann::ordered_json rows = nlohmann::ordered_json::array();
              for (std::size_t i = 0; i < shown.rows.size(); ++i) {
                const ConverterRow& row = shown.rows[i];
                nlohmann::ordered_json entry = {{"unit", shown.units[i]}, {"text", row.text}};
                if (shown.converted) entry["value"] = row.value;
                entry["visible"] = row.visible;
                rows.push_back(entry);
              }
              doc["rows"] = rows;
              doc["converted"] = shown.converted;
              doc["messages"] = MessagesJson(messages);
              io.out << JsonText(doc) << '\n';
            } else {
              for (const ConverterRow& row : shown.rows) {
                if (row.visible && !row.text.empty()) io.out << "= " << row.text << '\n';
              }
            }
            return shown.converted ? kExitOk : kExitStopped;
          }};
}

}  // namespace toluvek::cli
