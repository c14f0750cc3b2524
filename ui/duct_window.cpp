#include "ui/duct_window.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <string>

namespace toluvek {
namespace {

// Geometry in twips.
constexpr int kClientWidth = 5160;
constexpr int kClientHeight = 5280;
constexpr int kRowHeight = 300;
constexpr QRect kFlowCaption{120, 180, 600, kRowHeight};
constexpr QRect kFlowField{780, 180, 1260, kRowHeight};
constexpr QRect kUnitFrame{2160, 0, 2880, 660};
constexpr QRect kShapeFrame{120, 720, 4920, 660};
constexpr int kOptionTop = 270;
constexpr int kDimensionTop = 1560, kDimensionPitch = 420;
constexpr int kCaptionLeft = 120, kCaptionWidth = 960;
constexpr int kFieldLeft = 1140, kFieldWidth = 1500;
constexpr int kUnitLeft = 2700, kUnitWidth = 600;
constexpr int kResultTop = 2520, kResultPitch = 360;
constexpr int kResultCaptionWidth = 1560;
constexpr int kValueLeft = 1740, kValueWidth = 1560;
constexpr int kResultUnitLeft = 3360, kResultUnitWidth = 1320;
constexpr QRect kCalculateButton{1080, 4740, 1500, 420};
constexpr QRect kCloseButton{2760, 4740, 1320, 420};

}  // namespace

DuctWindow::DuctWindow(std::unique_ptr<DuctWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), duct_flow_fields::kWindow, "Flow Property", kClientWidth,
                   kClientHeight, parent) {
  DuctWindowModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kValueWidth)));
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  const auto enter = [&m](std::string_view control) {
    return [&m, control] { m.EnterPressed(control); };
  };

  b.Label("流量", kFlowCaption, left);
  b.Field(duct_flow_fields::kFlow, kFlowField, kWhite, "流量", FieldRole::kInput,
          enter(duct_flow_fields::kFlow));

  QGroupBox* unit = b.Frame("Frame1", "単位", kUnitFrame, "流量の単位");
  b.Option(unit, duct_flow_fields::kFlowUnitOptions[0], "Nl/min",
           {120, kOptionTop, 1320, kRowHeight},
           [&m] { m.SelectFlowUnit(DuctFlowUnit::kNlPerMin); });
  b.Option(unit, duct_flow_fields::kFlowUnitOptions[1], "kg/s",
           {1560, kOptionTop, 1200, kRowHeight},
           [&m] { m.SelectFlowUnit(DuctFlowUnit::kKgPerSecond); });

  QGroupBox* shape = b.Frame("Frame2", "流路", kShapeFrame, "流路の形");
  constexpr const char* kShapeCaptions[] = {"円管", "二重管", "矩形"};
  for (std::size_t i = 0; i < duct_flow_fields::kShapeOptions.size(); ++i) {
    const auto which = static_cast<DuctShape>(i);
    b.Option(
        shape, duct_flow_fields::kShapeOptions[i], kShapeCaptions[i],
        {120 + static_cast<int>(i) * 1620, kOptionTop, 1440, kRowHeight},
        [&m, which] { m.SelectShape(which); }, enter(duct_flow_fields::kShapeOptions[i]));
  }

  // The two dimensions: caption, field, length unit (a click switches it).
  struct Dimension {
    std::string_view caption, field, unit;
    const char* accessible;
  };
  const Dimension dimensions[] = {
      {duct_flow_fields::kD1Caption, duct_flow_fields::kD1, duct_flow_fields::kD1Unit, "寸法1"},
      {duct_flow_fields::kD2Caption, duct_flow_fields::kD2, duct_flow_fields::kD2Unit, "寸法2"}};
  for (int row = 0; row < 2; ++row) {
    const Dimension& d = dimensions[row];
    const int top = kDimensionTop + row * kDimensionPitch;
    b.ModelLabel(d.caption, {kCaptionLeft, top, kCaptionWidth, kRowHeight}, left);
    QLineEdit* field = b.Field(d.field, {kFieldLeft, top, kFieldWidth, kRowHeight}, kWhite,
                               d.accessible, FieldRole::kInput, enter(d.field));
    b.binding().BindControl(field, true);
    QLabel* unit_label = b.ModelLabel(d.unit, {kUnitLeft, top, kUnitWidth, kRowHeight}, left);
    if (row == 0) {
      b.ClickableLabel(
          unit_label, [&m] { m.SwitchLengthUnitConverting(); }, {},
          "クリックで m と mm を切り替え、数値を換算");
    } else {
      b.ClickableLabel(
          unit_label, [&m] { m.SwitchLengthUnitKeeping(); }, {},
          "クリックで m と mm を切り替え、数値はそのまま");
    }
  }

  for (std::size_t i = 0; i < kDuctRows.size(); ++i) {
    const DuctRow& row = kDuctRows[i];
    const int top = kResultTop + static_cast<int>(i) * kResultPitch;
    const QString caption = Utf8(row.caption);
    b.Label(caption, {kCaptionLeft, top, kResultCaptionWidth, kRowHeight}, left);
    b.ResultLabel(row.control, {kValueLeft, top, kValueWidth, kRowHeight},
                  Qt::AlignRight | Qt::AlignVCenter, caption + ' ' + Utf8(row.unit));
    b.Label(Utf8(row.unit), {kResultUnitLeft, top, kResultUnitWidth, kRowHeight}, left);
  }

  b.Button(duct_flow_fields::kCalculate, "計　　算", kCalculateButton, [&m] { m.Calculate(); });
  b.Button(duct_flow_fields::kClose, "閉", kCloseButton, [&m] { m.Close(); });

  b.TabOrder({duct_flow_fields::kFlow, duct_flow_fields::kFlowUnitOptions[0],
              duct_flow_fields::kFlowUnitOptions[1], duct_flow_fields::kShapeOptions[0],
              duct_flow_fields::kShapeOptions[1], duct_flow_fields::kShapeOptions[2],
              duct_flow_fields::kD1, duct_flow_fields::kD2, duct_flow_fields::kCalculate,
              duct_flow_fields::kClose});
  Finish();
  findChild<QLineEdit*>(Utf8(duct_flow_fields::kFlow))->setFocus();
}

}  // namespace toluvek
