#include "tools/water/water_window_model.hpp"

#include <exception>
#include <string>

#include "main/messages.hpp"

namespace toluvek {

WaterWindowModel::WaterWindowModel(MessageService& messages) : messages_(messages) {
  CheckOne(form4::kUnitOptions, form4::kUnitOptions[0]);
  CheckOne(form4::kPhaseOptions, form4::kPhaseOptions[0]);
  SetText(form4::kHeatUnit, "W");
  SetEnabled(form4::kCalculate, true);
  SetText(form4::kFlow, "100");
  SetText(form4::kT1, "25");
  SetText(form4::kT2, "25");
}

std::optional<WaterFlowUnit> WaterWindowModel::flow_unit() const {
  for (std::size_t i = 0; i < form4::kUnitOptions.size(); ++i) {
    if (Checked(form4::kUnitOptions[i])) return static_cast<WaterFlowUnit>(i);
  }
  return std::nullopt;
}

std::optional<WaterPhase> WaterWindowModel::phase() const {
  for (std::size_t i = 0; i < form4::kPhaseOptions.size(); ++i) {
    if (Checked(form4::kPhaseOptions[i])) return static_cast<WaterPhase>(i);
  }
  return std::nullopt;
}

WaterEnthalpyInput WaterWindowModel::GatherInput() const {
  WaterEnthalpyInput input;
  input.flow = Text(form4::kFlow);
  input.flow_unit = flow_unit();
  input.t1 = Text(form4::kT1);
  input.t2 = Text(form4::kT2);
  input.phase = phase();
  return input;
}

void WaterWindowModel::Calculate() {
  last_heat_ = ComputeWaterHeat(GatherInput());
  WaterPowerText shown;
  try {
    if (last_heat_) shown = FormatWaterPower(*last_heat_);
  } catch (const std::exception&) {
    last_heat_.reset();
  }
  if (!last_heat_) {
    messages_.Show(messages::kCheckInput);
    return;
  }
  SetText(form4::kHeat, shown.number);
  SetText(form4::kHeatUnit, shown.unit);
  SetVisible(form4::kHeat, true);
  SetEnabled(form4::kCalculate, false);
}

void WaterWindowModel::SelectFlowUnit(WaterFlowUnit unit) {
  CheckOne(form4::kUnitOptions, form4::kUnitOptions[static_cast<std::size_t>(unit)]);
  Calculate();
}

void WaterWindowModel::SelectPhase(WaterPhase phase) {
  CheckOne(form4::kPhaseOptions, form4::kPhaseOptions[static_cast<std::size_t>(phase)]);
  Calculate();
}

std::string_view WaterWindowModel::EnterPressed(std::string_view control) {
  if (control == form4::kFlow) return form4::kT1;
  if (control == form4::kT1) return form4::kT2;
  if (control == form4::kT2) Calculate();
  return {};
}

void WaterWindowModel::Close() {
  Request(WindowRequest::kUnload);
}

void WaterWindowModel::TextChanged(std::string_view control) {
  if (control == form4::kFlow || control == form4::kT1 || control == form4::kT2) {
    SetEnabled(form4::kCalculate, true);
    SetVisible(form4::kHeat, false);
  }
}

}  // namespace toluvek
