// toluvek-cli water-heat: the water enthalpy window's calculation.

#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/tool_output.hpp"
#include "main/calculate_command.hpp"
#include "tools/water/water_heat.hpp"
#include "tools/water/water_window_model.hpp"

namespace toluvek::cli {

Subcommand AddWaterHeatCommand(CLI::App& app) {
  struct Options {
    std::string flow = "100";
    std::string flow_unit = "g/min";
    std::string t1 = "25";
    std::string t2 = "25";
    std::string phase = "liquid";
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "water-heat", "heat to warm a flow of liquid water from --t1 to --t2, or to evaporate it");
  sub->add_option("--flow", options->flow, "water flow, in --flow-unit")->capture_default_str();
  sub->add_option("--flow-unit", options->flow_unit, "g/min | mol/h | kg/h")
      ->check(CLI::IsMember({"g/min", "mol/h", "kg/h"}))
      ->capture_default_str();
  sub->add_option("--t1", options->t1, "start temperature, liquid [℃]")->capture_default_str();
  sub->add_option("--t2", options->t2, "end temperature [℃]")->capture_default_str();
  sub->add_option("--phase", options->phase, "state at the end: liquid | gas")
      ->check(CLI::IsMember({"liquid", "gas"}))
      ->capture_default_str();
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {
      sub, [options](Io& io) {
        RecordingMessages& messages = io.messages;
        // The water window, filled in as a user would, then "計算".
        WaterWindowModel water(messages);
        water.SetText(form4::kFlow, options->flow);
        water.SetText(form4::kT1, options->t1);
        water.SetText(form4::kT2, options->t2);
        const std::size_t unit = options->flow_unit == "mol/h"  ? 1
                                 : options->flow_unit == "kg/h" ? 2
                                                                : 0;
        water.CheckOne(form4::kUnitOptions, form4::kUnitOptions[unit]);
        water.CheckOne(form4::kPhaseOptions, form4::kPhaseOptions[options->phase == "gas" ? 1 : 0]);
        water.Calculate();
        const WaterEnthalpyInput input = water.GatherInput();
        const std::optional<double> heat = water.last_heat();
        if (options->json) {
          nlohmann::ordered_json doc;
          doc["inputs"] = {
              {"flow", {{"text", input.flow}, {"unit", WaterFlowUnitCaption(*input.flow_unit)}}},
              {"t1", input.t1},
              {"t2", input.t2},
              {"phase", WaterPhaseCaption(*input.phase)}};
          if (heat) {
            doc["heat"] = {{"value", *heat},
                           {"text", water.Text(form4::kHeat)},
                           {"unit", water.Text(form4::kHeatUnit)}};
          } else {
            doc["error"] = MessageJson(messages::kCheckInput, io.messages.language());
          }
          io.out << JsonText(doc) << '\n';
        } else if (heat) {
          io.out << water.Text(form4::kHeat) << ' ' << water.Text(form4::kHeatUnit) << '\n';
        }
        return heat ? kExitOk : kExitStopped;
      }};
}

}  // namespace toluvek::cli
