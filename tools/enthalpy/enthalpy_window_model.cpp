#include "tools/enthalpy/enthalpy_window_model.hpp"

#include <exception>
#include <string>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"

namespace toluvek {
namespace {

constexpr std::string_view kInitialFlow = "1";
constexpr std::string_view kInitialTemperature = "25";  // ℃
constexpr std::string_view kLhvCaptionText = "LHV";
constexpr std::string_view kHhvCaptionText = "HHV";
constexpr std::string_view kLatentCaptionText = "←蒸発潜熱";

}  // namespace

std::vector<Message> HeatDutyStopMessages(HeatDutyStop stop) {
  switch (stop) {
    case HeatDutyStop::kNone:
      return {};
    case HeatDutyStop::kAmountsAllZero:
      return {messages::kAmountsAllZero, messages::kCheckInput};
    case HeatDutyStop::kNegativeFlow:
      return {enthalpy_messages::kFlowNegative};
    case HeatDutyStop::kCheckInput:
      break;
  }
  return {messages::kCheckInput};
}

std::vector<Message> HeatDutyMessages(const HeatDutyResult& result) {
  std::vector<Message> shown;
  if (result.temperature_negative) shown.push_back(messages::kTemperatureNegative);
  for (const Message& message : HeatDutyStopMessages(result.stop)) shown.push_back(message);
  return shown;
}

EnthalpyWindowModel::EnthalpyWindowModel(MainWindowAccess& main, MessageService& messages,
                                         WindowOpener& windows, CalculatorLauncher& calculator)
    : main_(main), messages_(messages), windows_(windows), calculator_(calculator) {
  // The window as it is drawn, before any opening step.
  CheckOne(form3::kUnitOptions, form3::kUnitOptions[0]);
  SetText(form3::kFlow, std::string(kInitialFlow));
  SetText(form3::kFlowColumnCaption, std::string(FlowUnitCaption(FlowUnit::kNlPerMin)));
  SetText(form3::kHeatDuty, "0");
  SetText(form3::kHeatDutyUnit, std::string(HeatDutyUnitCaption(PowerScale::kOne)));
  SetText(form3::kLhvCaption, std::string(kLhvCaptionText));
  SetText(form3::kHhvCaption, std::string(kHhvCaptionText));
  SetText(form3::kLatentCaption, std::string(kLatentCaptionText));
  SetEnabled(form3::kCalculate, true);

  // The opening steps; one that fails leaves the rest undone.
  try {
    FillSpeciesFlows();
    SetText(form3::kT1, std::string(kInitialTemperature));
    SetText(form3::kT2, std::string(kInitialTemperature));
    SetText(form3::kHeatDuty, "");
    SetBackground(form3::kHeatDuty, kWhite);
    SetEnabled(form3::kCalculate, true);
    for (std::string_view label : {form3::kLhvCaption, form3::kHhvCaption, form3::kLhv, form3::kHhv,
                                   form3::kLatentCaption}) {
      SetVisible(label, false);
    }
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
}

FlowUnit EnthalpyWindowModel::flow_unit() const {
  if (Checked(form3::kUnitOptions[1])) return FlowUnit::kMolPerHour;
  if (Checked(form3::kUnitOptions[2])) return FlowUnit::kKgPerSecond;
  return FlowUnit::kNlPerMin;
}

HeatDutyInput EnthalpyWindowModel::GatherInput() const {
  HeatDutyInput input;
  input.flow = Text(form3::kFlow);
  input.flow_unit = flow_unit();
  input.t1 = Text(form3::kT1);
  input.t2 = Text(form3::kT2);
  GatherMainWindowTexts(main_, input);
  return input;
}

void EnthalpyWindowModel::FillSpeciesFlows() {
  // A quick preview from the mole fractions, whatever unit is chosen: under "kg/s" it stands
  // until the next calculation splits the mass flow by the mass fractions.
  const double flow = RequireNumber(Text(form3::kFlow));
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const double fraction = RequireNumber(main_.FieldText(form1::kMoleFraction[i]));
    SetText(form3::kSpeciesFlow[i],
            FormatPattern(toluvek::Checked(fraction * flow), Pattern::kSci4));
  }
}

void EnthalpyWindowModel::Calculate() {
  last_result_ = ComputeHeatDuty(GatherInput());
  ShowResult(last_result_);
}

void EnthalpyWindowModel::ShowResult(const HeatDutyResult& result) {
  const std::vector<Message> shown = HeatDutyMessages(result);
  // The negative-temperature warning comes before any output; the stop's messages after the
  // species flows.
  std::size_t next = 0;
  if (next < shown.size() && shown[next] == messages::kTemperatureNegative) {
    messages_.Show(shown[next++]);
  }
  if (result.species_flow) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      SetText(form3::kSpeciesFlow[i], (*result.species_flow)[i]);
    }
  }
  if (result.unit_caption) SetText(form3::kFlowColumnCaption, *result.unit_caption);
  if (result.closes_window()) {
    // The window goes before the last message.
    for (; next + 1 < shown.size(); ++next) messages_.Show(shown[next]);
    Request(WindowRequest::kUnload);
    if (next < shown.size()) messages_.Show(shown[next]);
    return;
  }
  for (; next < shown.size(); ++next) messages_.Show(shown[next]);
  if (!result.heat_duty) return;

  const ScaledPower duty = FormatPower(*result.heat_duty);
  SetText(form3::kHeatDuty, duty.text);
  SetText(form3::kHeatDutyUnit, std::string(HeatDutyUnitCaption(duty.scale)));
  SetBackground(form3::kHeatDuty, kCyan);
  SetEnabled(form3::kCalculate, false);

  struct HeatingValueRow {
    const std::optional<double>& power;
    std::string_view caption_label, value_label, caption;
  };
  const HeatingValueRow rows[] = {
      {result.lhv_power, form3::kLhvCaption, form3::kLhv, kLhvCaptionText},
      {result.hhv_power, form3::kHhvCaption, form3::kHhv, kHhvCaptionText}};
  for (const HeatingValueRow& row : rows) {
    // No heating value: the caption goes blank and the value is hidden.
    SetText(row.caption_label, row.power ? std::string(row.caption) : std::string());
    SetVisible(row.caption_label, true);
    if (row.power) SetText(row.value_label, HeatingValueText(FormatPower(*row.power)));
    SetVisible(row.value_label, row.power.has_value());
  }

  if (result.water_latent) {
    SetText(form3::kWaterLatent, LatentHeatText(FormatPower(*result.water_latent)));
  }
  SetVisible(form3::kWaterLatent, result.water_latent.has_value());
  if (result.methanol_latent) {
    SetText(form3::kMethanolLatent, LatentHeatText(FormatPower(*result.methanol_latent)));
  }
  SetVisible(form3::kMethanolLatent, result.methanol_latent.has_value());
  SetVisible(form3::kLatentCaption, result.water_latent || result.methanol_latent);
}

void EnthalpyWindowModel::SelectFlowUnit(FlowUnit unit) {
  CheckOne(form3::kUnitOptions, form3::kUnitOptions[static_cast<std::size_t>(unit)]);
  Calculate();
}

std::string_view EnthalpyWindowModel::EnterPressed(std::string_view control) {
  // Enter is a key like any other: the heat duty is no longer current.
  TextChanged(control);
  if (control == form3::kFlow) return form3::kT1;
  if (control == form3::kT1) return form3::kT2;
  if (control == form3::kT2) Calculate();
  return {};
}

void EnthalpyWindowModel::LeaveFlow() {
  try {
    FillSpeciesFlows();
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
}

void EnthalpyWindowModel::Close() {
  Request(WindowRequest::kHide);
}

void EnthalpyWindowModel::Reopened() {
  SetEnabled(form3::kCalculate, true);
}

void EnthalpyWindowModel::StartCalculator() {
  if (!calculator_.Launch()) messages_.Show(enthalpy_messages::kCalculatorNotFound);
}

void EnthalpyWindowModel::OpenWaterEnthalpy() {
  windows_.Open(ToolWindow::kWaterEnthalpy, offsets::kWaterEnthalpy);
}

void EnthalpyWindowModel::TextChanged(std::string_view control) {
  if (control == form3::kFlow || control == form3::kT1 || control == form3::kT2) {
    SetBackground(form3::kHeatDuty, kWhite);
    SetEnabled(form3::kCalculate, true);
  }
}

}  // namespace toluvek
