// toluvek-cli duct: flow of the mixture through a duct, as the main window's "Re" button and
// the duct flow window compute it.

#include <algorithm>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "main/main_window_fields.hpp"
#include "tools/duct/duct_flow.hpp"
#include "tools/duct/duct_window_model.hpp"

namespace toluvek::cli {
namespace {

// JSON member of each result row, in the order of kDuctRows.
constexpr std::string_view kResultKeys[] = {"area",     "velocity",      "hydraulic_diameter",
                                            "reynolds", "heat_transfer", "mass_velocity"};

const std::vector<std::string> kWindowFlowUnits = {"Nl/min", "kg/s"};

}  // namespace

Subcommand AddDuctCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    std::string flow;
    std::string flow_unit = "Nl/min";
    std::string shape = "circle";
    std::string d1 = "0.01";
    std::string d2 = "0";
    std::string length_unit = "m";
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "duct",
      "area, velocity, hydraulic diameter, Re, heat-transfer coefficient and mass "
      "velocity of the mixture flowing through a duct");
  options->mixture.AddTo(*sub);
  sub->add_option("--flow", options->flow, "flow, in --flow-unit")->required();
  sub->add_option("--flow-unit", options->flow_unit,
                  "Nl/min | Nm3/h | mol/h | kg/s | kg/h (normal: 0 ℃, 101.325 kPa; Nm3/h and "
                  "mol/h are converted to Nl/min, kg/h to kg/s, the window's units)")
      ->check(CLI::IsMember(FlowUnitsFor(kWindowFlowUnits)))
      ->capture_default_str();
  sub->add_option("--shape", options->shape,
                  "circle (d1 diameter) | annulus (d1 outer, d2 inner diameter) | rectangle "
                  "(d1 height, d2 width)")
      ->check(CLI::IsMember({"circle", "annulus", "rectangle"}))
      ->capture_default_str();
  sub->add_option("--d1", options->d1, "first dimension, in --length-unit")->capture_default_str();
  sub->add_option("--d2", options->d2, "second dimension, in --length-unit")->capture_default_str();
  sub->add_option("--length-unit", options->length_unit, "m | mm")
      ->check(CLI::IsMember({"m", "mm"}))
      ->capture_default_str();
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            const std::optional<WindowFlow> flow =
                FlowForWindow(options->flow, options->flow_unit, kWindowFlowUnits, io.err);
            if (!flow) return kExitUsage;
            MainWindowModel& window = headless.window();
            RecordingMessages& messages = io.messages;
            // "Re": Pa and ℃ chosen, then the calculation; a message means the mixture's
            // results are not there to read.
            const std::size_t shown_before = messages.shown().size();
            window.DuctFlow();
            const bool calculated = messages.shown().size() == shown_before;
            // The flow's numbers rest on the mixture's ν, λ and Pr at the window's state.
            const bool outside = calculated && WarnOutsideFitRange(WindowKelvin(window), messages);

            // The duct window as it opens, filled in as a user would: texts, shape, the unit
            // label beside d2 (which keeps the numbers as typed), then the flow unit, whose
            // option calculates, or "計　　算".
            DuctWindowModel duct(window, messages);
            duct.SetText(duct_flow_fields::kFlow, flow->text);
            duct.SetText(duct_flow_fields::kD1, options->d1);
            duct.SetText(duct_flow_fields::kD2, options->d2);
            duct.SelectShape(options->shape == "annulus"     ? DuctShape::kDoublePipe
                             : options->shape == "rectangle" ? DuctShape::kRectangular
                                                             : DuctShape::kCircular);
            if (options->length_unit == "mm") duct.SwitchLengthUnitKeeping();
            const DuctFlowInput input = duct.GatherInput();
            if (calculated) {
              if (flow->unit == "kg/s") {
                duct.SelectFlowUnit(DuctFlowUnit::kKgPerSecond);
              } else {
                duct.Calculate();
              }
            }
            const DuctFlowResult result = calculated ? duct.last_result() : DuctFlowResult{};

            if (options->json) {
              nlohmann::ordered_json doc;
              doc["inputs"] = {{"flow", input.flow},
                               {"flow_unit", flow->unit},
                               {"shape", options->shape},
                               {"d1", input.d1},
                               {"d2", input.d2},
                               {"length_unit", options->length_unit},
                               {"pressure_pa", input.pressure},
                               {"temperature_c", input.temperature},
                               {"density", input.density},
                               {"kinematic_viscosity", input.kinematic_viscosity},
                               {"conductivity", input.conductivity},
                               {"prandtl", input.prandtl}};
              nlohmann::ordered_json results = nlohmann::ordered_json::object();
              for (const DuctValue& value : result.published) {
                results[std::string(kResultKeys[static_cast<std::size_t>(value.quantity)])] =
                    ValueAndText(value.value, value.text);
              }
              doc["results"] = results;
              if (calculated) doc["outside_fit_range"] = outside;
              doc["completed"] = result.completed();
              doc["messages"] = MessagesJson(messages);
              io.out << JsonText(doc) << '\n';
            } else if (calculated) {
              std::size_t width = 14;  // two more than the widest caption
              for (const DuctRow& row : kDuctRows) {
                width =
                    std::max(width, TextColumns(InLanguage(row.caption, messages.language())) + 2);
              }
              for (const DuctRow& row : kDuctRows) {
                std::string text;
                for (const DuctValue& value : result.published) {
                  if (value.quantity == row.quantity) text = value.text;
                }
                io.out << PadColumns(InLanguage(row.caption, messages.language()), width)
                       << PadColumns(text, 13) << row.unit << '\n';
              }
            }
            return result.completed() ? kExitOk : kExitStopped;
          })};
}

}  // namespace toluvek::cli
