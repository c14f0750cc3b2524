#include "tools/converters/converter_window_models.hpp"

#include <cstddef>
#include <string>

#include "common/number_text.hpp"
#include "main/messages.hpp"

namespace toluvek {
namespace {

// Writes the rows' captions and visibility (both labels of a row) into the window.
template <std::size_t N>
void ShowRows(WindowModel& window, const std::array<ConverterRow, N>& rows) {
  for (const ConverterRow& row : rows) {
    window.SetVisible(row.equals_control, row.visible);
    window.SetVisible(row.value_control, row.visible);
    window.SetText(row.value_control, row.text);
  }
}

// The rows as the window shows them, on the layout of `initial`.
template <std::size_t N>
std::array<ConverterRow, N> ShownRows(const WindowModel& window,
                                      std::array<ConverterRow, N> initial) {
  for (ConverterRow& row : initial) {
    row.text = window.Text(row.value_control);
    row.visible = window.Visible(row.value_control);
  }
  return initial;
}

// The index of the option shown chosen; the first when none is.
template <std::size_t N>
std::size_t ChosenIndex(const WindowModel& window, const std::array<std::string_view, N>& options) {
  for (std::size_t i = 0; i < N; ++i) {
    if (window.Checked(options[i])) return i;
  }
  return 0;
}

}  // namespace

std::vector<Message> ConverterMessages(ConverterNotice notice) {
  switch (notice) {
    case ConverterNotice::kNone:
      break;
    case ConverterNotice::kError:
      return {converter_messages::kError};
    case ConverterNotice::kCheckInput:
      return {messages::kCheckInput};
    case ConverterNotice::kBelowAbsoluteZero:
      return {converter_messages::kBelowAbsoluteZero};
  }
  return {};
}

void ConverterChooserModel::OpenPressure() {
  CloseAndOpen(ToolWindow::kPressureConverter, offsets::kPressureConverter);
}

void ConverterChooserModel::OpenTemperature() {
  CloseAndOpen(ToolWindow::kTemperatureConverter, offsets::kTemperatureConverter);
}

void ConverterChooserModel::OpenHeat() {
  CloseAndOpen(ToolWindow::kHeatConverter, offsets::kHeatConverter);
}

void ConverterChooserModel::CloseAndOpen(ToolWindow converter, Twips offset) {
  Request(WindowRequest::kUnload);
  windows_.Open(converter, offset);
}

PressureConverterModel::PressureConverterModel(MessageService& messages) : messages_(messages) {
  SetText(pressure_converter_fields::kInput, "");
  CheckOne(pressure_converter_fields::kUnitOptions, pressure_converter_fields::kUnitOptions[0]);
  ShowRows(*this, InitialPressureRows());
}

PressureConverterUnit PressureConverterModel::unit() const {
  return static_cast<PressureConverterUnit>(
      ChosenIndex(*this, pressure_converter_fields::kUnitOptions));
}

PressureRows PressureConverterModel::Rows() const {
  return ShownRows(*this, InitialPressureRows());
}

void PressureConverterModel::SelectUnit(PressureConverterUnit unit) {
  CheckOne(pressure_converter_fields::kUnitOptions,
           pressure_converter_fields::kUnitOptions[static_cast<std::size_t>(unit)]);
  Recalculate(ConverterTrigger::kOptionClick);
}

void PressureConverterModel::Close() {
  Request(WindowRequest::kUnload);
}

void PressureConverterModel::TextChanged(std::string_view control) {
  if (control == pressure_converter_fields::kInput) Recalculate(ConverterTrigger::kTextChange);
}

void PressureConverterModel::Recalculate(ConverterTrigger trigger) {
  const PressureRecalculation result =
      RecalculatePressure(Rows(), Text(pressure_converter_fields::kInput), unit(), trigger);
  ShowRows(*this, result.rows);
  for (const Message& message : ConverterMessages(result.notice)) messages_.Show(message);
}

TemperatureConverterModel::TemperatureConverterModel(MessageService& messages)
    : messages_(messages) {
  SetText(form10::kInput, "");
  CheckOne(form10::kUnitOptions, form10::kUnitOptions[0]);
  ShowRows(*this, InitialTemperatureRows());
}

TemperatureConverterUnit TemperatureConverterModel::unit() const {
  return static_cast<TemperatureConverterUnit>(ChosenIndex(*this, form10::kUnitOptions));
}

TemperatureRows TemperatureConverterModel::Rows() const {
  return ShownRows(*this, InitialTemperatureRows());
}

void TemperatureConverterModel::SelectUnit(TemperatureConverterUnit unit) {
  CheckOne(form10::kUnitOptions, form10::kUnitOptions[static_cast<std::size_t>(unit)]);
  Recalculate();
}

void TemperatureConverterModel::Close() {
  Request(WindowRequest::kUnload);
}

void TemperatureConverterModel::TextChanged(std::string_view control) {
  if (control == form10::kInput) Recalculate();
}

void TemperatureConverterModel::Recalculate() {
  const TemperatureRecalculation result =
      RecalculateTemperature(Rows(), Text(form10::kInput), unit());
  // The warning comes with the values already on screen.
  ShowRows(*this, result.rows);
  for (const Message& message : ConverterMessages(result.notice)) messages_.Show(message);
}

HeatConverterModel::HeatConverterModel(MessageService& messages) : messages_(messages) {
  CheckOne(form6::kPowerOptions, form6::kPowerOptions[0]);
  CheckOne(form6::kEnergyOptions, form6::kEnergyOptions[0]);
  SetText(form6::kPowerInput, FormatGeneral(0));
  SetText(form6::kEnergyInput, FormatGeneral(0));
  SetText(form6::kPowerResult, "");
  SetText(form6::kEnergyResult, "");
}

PowerUnit HeatConverterModel::power_unit() const {
  return Checked(form6::kPowerOptions[1]) ? PowerUnit::kWatt : PowerUnit::kKcalPerHour;
}

EnergyUnit HeatConverterModel::energy_unit() const {
  return Checked(form6::kEnergyOptions[1]) ? EnergyUnit::kJoule : EnergyUnit::kCalorie;
}

void HeatConverterModel::SelectPowerUnit(PowerUnit unit) {
  CheckOne(form6::kPowerOptions, form6::kPowerOptions[unit == PowerUnit::kWatt ? 1 : 0]);
  RecalculatePowerHalf(ConverterTrigger::kOptionClick);
}

void HeatConverterModel::SelectEnergyUnit(EnergyUnit unit) {
  CheckOne(form6::kEnergyOptions, form6::kEnergyOptions[unit == EnergyUnit::kJoule ? 1 : 0]);
  RecalculateEnergyHalf(ConverterTrigger::kOptionClick);
}

void HeatConverterModel::EnterPressed(std::string_view control) {
  if (control == form6::kPowerInput) RecalculatePowerHalf(ConverterTrigger::kEnterKey);
  if (control == form6::kEnergyInput) RecalculateEnergyHalf(ConverterTrigger::kEnterKey);
}

void HeatConverterModel::Close() {
  Request(WindowRequest::kUnload);
}

void HeatConverterModel::TextChanged(std::string_view control) {
  if (control == form6::kPowerInput) RecalculatePowerHalf(ConverterTrigger::kTextChange);
  if (control == form6::kEnergyInput) RecalculateEnergyHalf(ConverterTrigger::kTextChange);
}

void HeatConverterModel::RecalculatePowerHalf(ConverterTrigger trigger) {
  Show(RecalculatePower(Text(form6::kPowerResult), Text(form6::kPowerInput), power_unit(), trigger),
       form6::kPowerResult);
}

void HeatConverterModel::RecalculateEnergyHalf(ConverterTrigger trigger) {
  Show(RecalculateEnergy(Text(form6::kEnergyResult), Text(form6::kEnergyInput), energy_unit(),
                         trigger),
       form6::kEnergyResult);
}

void HeatConverterModel::Show(const HeatRecalculation& result, std::string_view label) {
  SetText(label, result.label);
  for (const Message& message : ConverterMessages(result.notice)) messages_.Show(message);
}

}  // namespace toluvek
