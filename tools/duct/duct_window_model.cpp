#include "tools/duct/duct_window_model.hpp"

#include <exception>
#include <string>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"
#include "main/messages.hpp"

namespace toluvek {
namespace {

constexpr std::string_view kMetre = "m";
constexpr std::string_view kMillimetre = "mm";
constexpr double kMillimetresPerMetre = 1000;   // mm/m
constexpr double kMetresPerMillimetre = 0.001;  // m/mm
constexpr double kInitialD1 = 0.01;             // m
constexpr double kInitialD2 = 0;                // m

}  // namespace

std::vector<Message> DuctStopMessages(DuctStop stop) {
  switch (stop) {
    case DuctStop::kNone:
      return {};
    case DuctStop::kDivisionByZero:
      return {duct_messages::kDivisionByZero, messages::kCheckInput};
    case DuctStop::kNegative:
      return {duct_messages::kInputNegative, messages::kCheckInput};
    case DuctStop::kNoFlowArea:
    case DuctStop::kFailed:
      break;
  }
  return {messages::kCheckInput};
}

DuctShapeCaptions CaptionsFor(DuctShape shape) {
  switch (shape) {
    case DuctShape::kDoublePipe:
      return {"外径", "内径"};
    case DuctShape::kRectangular:
      return {"縦", "横"};
    case DuctShape::kCircular:
      break;
  }
  return {"管径", "内径"};
}

DuctWindowModel::DuctWindowModel(MainWindowAccess& main, MessageService& messages)
    : main_(main), messages_(messages) {
  CheckOne(duct_flow_fields::kFlowUnitOptions, duct_flow_fields::kFlowUnitOptions[0]);
  SetText(duct_flow_fields::kD1Unit, std::string(kMetre));
  SetText(duct_flow_fields::kD2Unit, std::string(kMetre));
  SelectShape(DuctShape::kCircular);
  try {
    SetText(duct_flow_fields::kD1, FormatGeneral(kInitialD1));
    SetText(duct_flow_fields::kD2, FormatGeneral(kInitialD2));
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
  for (const DuctRow& row : kDuctRows) SetText(row.control, "");
  SetEnabled(duct_flow_fields::kCalculate, true);
}

DuctFlowUnit DuctWindowModel::flow_unit() const {
  return Checked(duct_flow_fields::kFlowUnitOptions[1]) ? DuctFlowUnit::kKgPerSecond
                                                        : DuctFlowUnit::kNlPerMin;
}

DuctShape DuctWindowModel::shape() const {
  if (Checked(duct_flow_fields::kShapeOptions[1])) return DuctShape::kDoublePipe;
  if (Checked(duct_flow_fields::kShapeOptions[2])) return DuctShape::kRectangular;
  return DuctShape::kCircular;
}

DuctLengthUnit DuctWindowModel::length_unit() const {
  // The number is read in metres exactly when the label beside d1 says so.
  return Text(duct_flow_fields::kD1Unit) == kMetre ? DuctLengthUnit::kMetre
                                                   : DuctLengthUnit::kMillimetre;
}

DuctFlowInput DuctWindowModel::GatherInput() const {
  DuctFlowInput input;
  input.flow = Text(duct_flow_fields::kFlow);
  input.flow_unit = flow_unit();
  input.shape = shape();
  input.d1 = Text(duct_flow_fields::kD1);
  input.d2 = Text(duct_flow_fields::kD2);
  input.length_unit = length_unit();
  input.pressure = main_.FieldText(form1::kPressure);
  input.temperature = main_.FieldText(form1::kTemperature);
  input.density = main_.FieldText(form1::kDensity);
  input.kinematic_viscosity = main_.FieldText(form1::kKinematicViscosity);
  input.conductivity = main_.FieldText(form1::kConductivity);
  input.prandtl = main_.FieldText(form1::kPrandtl);
  return input;
}

void DuctWindowModel::Calculate() {
  last_result_ = ComputeDuctFlow(GatherInput());
  // A stopped run shows only its own values: none of the previous run's stays beside them as
  // if it belonged to these inputs.
  for (const DuctRow& row : kDuctRows) SetText(row.control, "");
  // One label at a time, as the values come: a stop leaves the earlier ones shown.
  for (const DuctValue& value : last_result_.published) {
    SetText(kDuctRows[static_cast<std::size_t>(value.quantity)].control, value.text);
  }
  for (const Message& message : DuctStopMessages(last_result_.stop)) messages_.Show(message);
  if (last_result_.completed()) SetEnabled(duct_flow_fields::kCalculate, false);
}

void DuctWindowModel::SelectFlowUnit(DuctFlowUnit unit) {
  CheckOne(duct_flow_fields::kFlowUnitOptions,
           duct_flow_fields::kFlowUnitOptions[unit == DuctFlowUnit::kNlPerMin ? 0 : 1]);
  Calculate();
}

void DuctWindowModel::SelectShape(DuctShape shape) {
  CheckOne(duct_flow_fields::kShapeOptions,
           duct_flow_fields::kShapeOptions[static_cast<std::size_t>(shape)]);
  const DuctShapeCaptions captions = CaptionsFor(shape);
  SetText(duct_flow_fields::kD1Caption, std::string(captions.d1));
  const bool two_dimensions = shape != DuctShape::kCircular;
  if (two_dimensions) {
    SetText(duct_flow_fields::kD2Caption, std::string(captions.d2));
    SetText(duct_flow_fields::kD2Unit, Text(duct_flow_fields::kD1Unit));
  }
  for (std::string_view control :
       {duct_flow_fields::kD2Caption, duct_flow_fields::kD2, duct_flow_fields::kD2Unit}) {
    SetVisible(control, two_dimensions);
  }
  SetEnabled(duct_flow_fields::kCalculate, true);
}

DuctLengthUnit DuctWindowModel::SwitchLengthLabels() {
  const bool to_millimetres = Text(duct_flow_fields::kD1Unit) == kMetre;
  const std::string_view caption = to_millimetres ? kMillimetre : kMetre;
  SetText(duct_flow_fields::kD1Unit, std::string(caption));
  SetText(duct_flow_fields::kD2Unit, std::string(caption));
  SetEnabled(duct_flow_fields::kCalculate, true);
  return to_millimetres ? DuctLengthUnit::kMillimetre : DuctLengthUnit::kMetre;
}

void DuctWindowModel::SwitchLengthUnitConverting() {
  const double factor = SwitchLengthLabels() == DuctLengthUnit::kMillimetre ? kMillimetresPerMetre
                                                                            : kMetresPerMillimetre;
  try {
    // Both numbers are read before either is written: a failure converts neither.
    const std::string d1 =
        FormatGeneral(toluvek::Checked(RequireNumber(Text(duct_flow_fields::kD1)) * factor));
    const std::string d2 =
        FormatGeneral(toluvek::Checked(RequireNumber(Text(duct_flow_fields::kD2)) * factor));
    SetText(duct_flow_fields::kD1, d1);
    SetText(duct_flow_fields::kD2, d2);
  } catch (const std::exception&) {
    messages_.Show(messages::kCheckInput);
  }
}

void DuctWindowModel::SwitchLengthUnitKeeping() {
  SwitchLengthLabels();
}

void DuctWindowModel::EnterPressed(std::string_view control) {
  const bool field = control == duct_flow_fields::kFlow || control == duct_flow_fields::kD1 ||
                     control == duct_flow_fields::kD2;
  bool shape_option = false;
  for (std::string_view option : duct_flow_fields::kShapeOptions) shape_option |= control == option;
  if (field || shape_option) Calculate();
}

void DuctWindowModel::Close() {
  Request(WindowRequest::kUnload);
}

void DuctWindowModel::TextChanged(std::string_view control) {
  if (control == duct_flow_fields::kFlow || control == duct_flow_fields::kD1 ||
      control == duct_flow_fields::kD2) {
    SetEnabled(duct_flow_fields::kCalculate, true);
  }
}

}  // namespace toluvek
