// toluvek-cli tsat: the dew point of the mixture's water vapour, as the H2O label of the main
// window shows it: calculation first, then the saturation window on the displayed texts.

#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/tool_output.hpp"
#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"
#include "tools/water/saturation.hpp"
#include "tools/water/saturation_window_model.hpp"

namespace toluvek::cli {
namespace {

const char* StatusName(SaturationStatus status) {
  switch (status) {
    case SaturationStatus::kSolved:
      return "solved";
    case SaturationStatus::kNoSolution:
      return "no_solution";
    case SaturationStatus::kFault:
      break;
  }
  return "error";
}

}  // namespace

Subcommand AddTsatCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "tsat", "partial pressure of the water vapour and its saturation temperature (dew point)");
  options->mixture.AddTo(*sub);
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            MainWindowModel& window = headless.window();
            RecordingMessages& messages = io.messages;
            HeadlessWindows& windows = headless.windows();
            window.SaturationTemperature();

            const std::string& fraction = window.Text(form1::kMoleFraction[kH2O]);
            nlohmann::ordered_json doc;
            doc["water_mole_fraction"] = fraction;
            doc["pressure"] = {{"text", window.Text(form1::kPressure)},
                               {"unit", PressureUnitName(window.pressure_option())}};
            // The window opens only for a calculated mixture that holds water.
            if (!windows.Opened(ToolWindow::kSaturation)) {
              doc["status"] = "not_opened";
              doc["messages"] = MessagesJson(messages);
              if (options->json) io.out << JsonText(doc) << '\n';
              return kExitStopped;
            }

            // The pop-up's model, opened on the headless main window, computes and reports.
            const SaturationWindowModel popup(window, messages);
            const SaturationDisplay& display = popup.display();
            doc["status"] = StatusName(display.status);
            if (display.status != SaturationStatus::kFault) {
              doc["partial_pressure_mmhg"] =
                  ValueAndText(display.partial_pressure_mmhg,
                               FormatPattern(display.partial_pressure_mmhg, Pattern::kFixed1));
              doc["newton_steps"] = display.search.steps;
            }
            if (display.status == SaturationStatus::kSolved) {
              doc["saturation_temperature_c"] =
                  ValueAndText(display.search.t_celsius,
                               FormatPattern(display.search.t_celsius, Pattern::kFixed1));
            }
            doc["labels"] = {popup.Text(form5::kPartialPressure), popup.Text(form5::kTemperature)};
            doc["messages"] = MessagesJson(messages);

            if (options->json) {
              io.out << JsonText(doc) << '\n';
            } else if (display.status == SaturationStatus::kSolved) {
              io.out << popup.Text(form5::kPartialPressure) << ' '
                     << popup.Text(form5::kTemperature) << '\n';
            }
            return display.status == SaturationStatus::kSolved ? kExitOk : kExitStopped;
          })};
}

}  // namespace toluvek::cli
