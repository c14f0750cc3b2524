// toluvek-cli heat-duty: the enthalpy window's calculation on the mixture given. The main
// window calculates first; the heat duty then reads its displayed fractions and molar mass,
// exactly as the enthalpy window does.

#include <algorithm>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_fields.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "tools/enthalpy/heat_duty.hpp"

namespace toluvek::cli {
namespace {

// The messages of the window once it has opened. Its opening reads the fractions that its
// calculation reads next: the command reports a failure there once, from the calculation.
class OpenedWindowMessages : public MessageService {
 public:
  explicit OpenedWindowMessages(MessageService& to) : to_(to) {}
  void Show(const Message& message) override {
    if (opened) to_.Show(message);
  }
  void Beep() override {
    if (opened) to_.Beep();
  }
  bool opened = false;

 private:
  MessageService& to_;
};

const std::vector<std::string> kWindowFlowUnits = {"Nl/min", "mol/h", "kg/s"};

FlowUnit ParseFlowUnit(const std::string& name) {
  if (name == "mol/h") return FlowUnit::kMolPerHour;
  if (name == "kg/s") return FlowUnit::kKgPerSecond;
  return FlowUnit::kNlPerMin;
}

std::string PadLabel(std::string_view label, std::size_t width) {
  std::string padded(label);
  if (padded.size() < width) padded.resize(width, ' ');
  return padded;
}

void PrintHeatDuty(const HeatDutyResult& r, std::ostream& out, Language language) {
  if (r.species_flow) {
    out << InLanguage("流量", language) << " [" << r.unit_caption.value_or("") << "]\n";
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      out << PadLabel(AllSpecies()[i].label, 9) << (*r.species_flow)[i] << '\n';
    }
  }
  if (!r.heat_duty) return;
  const ScaledPower duty = FormatPower(*r.heat_duty);
  // Captions padded to one column, the latent heats' with their species.
  const std::string heat = InLanguage("熱量", language);
  const std::string latent = InLanguage("蒸発潜熱", language);
  const std::size_t width = std::max<std::size_t>(9, TextColumns(heat) + 1);
  const std::size_t latent_width = std::max<std::size_t>(16, TextColumns(latent) + 8);
  out << PadColumns(heat, width) << duty.text << ' ' << HeatDutyUnitCaption(duty.scale) << '\n';
  if (r.lhv_power) {
    out << PadColumns("LHV", width) << HeatingValueText(FormatPower(*r.lhv_power)) << '\n';
  }
  if (r.hhv_power) {
    out << PadColumns("HHV", width) << HeatingValueText(FormatPower(*r.hhv_power)) << '\n';
  }
  if (r.water_latent) {
    out << PadColumns(latent + " H2O", latent_width) << LatentHeatText(FormatPower(*r.water_latent))
        << '\n';
  }
  if (r.methanol_latent) {
    out << PadColumns(latent + " CH3OH", latent_width)
        << LatentHeatText(FormatPower(*r.methanol_latent)) << '\n';
  }
}

nlohmann::ordered_json PowerJson(double watts, const std::string& text) {
  return {{"value", watts}, {"text", text}};
}

nlohmann::ordered_json HeatDutyJson(const HeatDutyInput& in, const HeatDutyResult& r) {
  nlohmann::ordered_json doc;
  doc["inputs"] = {{"flow", {{"text", in.flow}, {"unit", FlowUnitCaption(in.flow_unit)}}},
                   {"t1", in.t1},
                   {"t2", in.t2}};
  if (r.species_flow) {
    nlohmann::ordered_json species = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      species.push_back({{"label", AllSpecies()[i].label},
                         {"value", r.species_flow_value[i]},
                         {"text", (*r.species_flow)[i]}});
    }
    doc["species_flow"] = {{"unit", r.unit_caption.value_or("")}, {"species", species}};
  }
  if (r.molar_flow) doc["molar_flow"] = *r.molar_flow;           // mol/s
  if (r.enthalpy_rise) doc["enthalpy_rise"] = *r.enthalpy_rise;  // J/mol
  if (r.heat_duty) {
    const ScaledPower duty = FormatPower(*r.heat_duty);
    doc["heat_duty"] = {
        {"value", *r.heat_duty}, {"text", duty.text}, {"unit", HeatDutyUnitCaption(duty.scale)}};
    if (r.lhv_power)
      doc["lhv"] = PowerJson(*r.lhv_power, HeatingValueText(FormatPower(*r.lhv_power)));
    if (r.hhv_power)
      doc["hhv"] = PowerJson(*r.hhv_power, HeatingValueText(FormatPower(*r.hhv_power)));
    if (r.water_latent) {
      doc["water_latent_heat"] =
          PowerJson(*r.water_latent, LatentHeatText(FormatPower(*r.water_latent)));
    }
    if (r.methanol_latent) {
      doc["methanol_latent_heat"] =
          PowerJson(*r.methanol_latent, LatentHeatText(FormatPower(*r.methanol_latent)));
    }
  }
  return doc;
}

}  // namespace

Subcommand AddHeatDutyCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    std::string flow = "1";
    std::string flow_unit = "Nl/min";
    std::string t1 = "25";
    std::string t2 = "25";
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "heat-duty",
      "heat to bring a flow of the mixture from --t1 to --t2, heating values and latent heats");
  options->mixture.AddTo(*sub);
  sub->add_option("--flow", options->flow, "total flow, in --flow-unit")->capture_default_str();
  const std::vector<std::string> units = FlowUnitsFor(kWindowFlowUnits);
  sub->add_option("--flow-unit", options->flow_unit,
                  "Nl/min | Nm3/h | mol/h | kg/s | kg/h (normal: 0 ℃, 101.325 kPa; Nm3/h and "
                  "kg/h are converted to Nl/min and kg/s, the window's units)")
      ->check(CLI::IsMember(units))
      ->capture_default_str();
  sub->add_option("--t1", options->t1, "start temperature [℃]")->capture_default_str();
  sub->add_option("--t2", options->t2, "end temperature [℃]")->capture_default_str();
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            const std::optional<WindowFlow> flow =
                FlowForWindow(options->flow, options->flow_unit, kWindowFlowUnits, io.err);
            if (!flow) return kExitUsage;
            MainWindowModel& window = headless.window();
            RecordingMessages& messages = io.messages;
            // "Enthalpy": the calculation, then the window opens whatever it said, and is
            // filled in as a user would; the unit option calculates.
            window.Enthalpy();
            OpenedWindowMessages window_messages(messages);
            NoCalculator calculator;
            EnthalpyWindowModel enthalpy(window, window_messages, headless.windows(), calculator);
            window_messages.opened = true;
            enthalpy.SetText(form3::kFlow, flow->text);
            enthalpy.SetText(form3::kT1, options->t1);
            enthalpy.SetText(form3::kT2, options->t2);
            enthalpy.SelectFlowUnit(ParseFlowUnit(flow->unit));
            const HeatDutyInput input = enthalpy.GatherInput();
            const HeatDutyResult& result = enthalpy.last_result();
            // The negative temperature only warns: the heat duty goes on after it.
            if (result.temperature_negative) {
              messages.ShowWarning(toluvek::messages::kTemperatureNegative);
            }
            if (options->json) {
              nlohmann::ordered_json doc = HeatDutyJson(input, result);
              nlohmann::ordered_json shown = nlohmann::ordered_json::array();
              for (const Message& m : messages.shown())
                shown.push_back(MessageJson(m, io.messages.language()));
              doc["messages"] = shown;
              if (!result.ok())
                doc["error"] =
                    MessageJson(HeatDutyStopMessages(result.stop).back(), io.messages.language());
              io.out << JsonText(doc) << '\n';
            } else if (!result.closes_window()) {
              PrintHeatDuty(result, io.out, messages.language());
            }
            return result.ok() ? kExitOk : kExitStopped;
          })};
}

}  // namespace toluvek::cli
