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

constexpr Rgb kInputWhite = kWhite;

}  // namespace

DuctWindow::DuctWindow(std::unique_ptr<DuctWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form7::kWindow, "Flow Property", kClientWidth, kClientHeight,
                   parent) {
  DuctWindowModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kValueWidth)));
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  const auto enter = [&m](std::string_view control) {
    return [&m, control] { m.EnterPressed(control); };
  };

  b.Label("流量", kFlowCaption, left);
  b.Field(form7::kFlow, kFlowField, kInputWhite, "流量", FieldRole::kInput, enter(form7::kFlow));

  QGroupBox* unit = b.Frame("Frame1", "単位", kUnitFrame, "流量の単位");
  b.Option(unit, form7::kFlowUnitOptions[0], "Nl/min", {120, kOptionTop, 1320, kRowHeight},
           [&m] { m.SelectFlowUnit(DuctFlowUnit::kNlPerMin); });
  b.Option(unit, form7::kFlowUnitOptions[1], "kg/s", {1560, kOptionTop, 1200, kRowHeight},
           [&m] { m.SelectFlowUnit(DuctFlowUnit::kKgPerSecond); });

  QGroupBox* shape = b.Frame("Frame2", "流路", kShapeFrame, "流路の形");
  constexpr const char* kShapeCaptions[] = {"円管", "二重管", "矩形"};
  for (std::size_t i = 0; i < form7::kShapeOptions.size(); ++i) {
    const auto which = static_cast<DuctShape>(i);
    b.Option(
        shape, form7::kShapeOptions[i], kShapeCaptions[i],
        {120 + static_cast<int>(i) * 1620, kOptionTop, 1440, kRowHeight},
        [&m, which] { m.SelectShape(which); }, enter(form7::kShapeOptions[i]));
  }

  // The two dimensions: caption, field, length unit (a click switches it).
  struct Dimension {
    std::string_view caption, field, unit;
    const char* accessible;
  };
  const Dimension dimensions[] = {{form7::kD1Caption, form7::kD1, form7::kD1Unit, "寸法1"},
                                  {form7::kD2Caption, form7::kD2, form7::kD2Unit, "寸法2"}};
  for (int row = 0; row < 2; ++row) {
    const Dimension& d = dimensions[row];
    const int top = kDimensionTop + row * kDimensionPitch;
    b.ModelLabel(d.caption, {kCaptionLeft, top, kCaptionWidth, kRowHeight}, left);
    QLineEdit* field = b.Field(d.field, {kFieldLeft, top, kFieldWidth, kRowHeight}, kInputWhite,
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
    QLabel* value = b.ModelLabel(row.control, {kValueLeft, top, kValueWidth, kRowHeight},
                                 Qt::AlignRight | Qt::AlignVCenter);
    value->setFont(b.number_font());
    value->setAccessibleDescription(caption + ' ' + Utf8(row.unit));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    b.Label(Utf8(row.unit), {kResultUnitLeft, top, kResultUnitWidth, kRowHeight}, left);
  }

  b.Button(form7::kCalculate, "計　　算", kCalculateButton, [&m] { m.Calculate(); });
  b.Button(form7::kClose, "閉", kCloseButton, [&m] { m.Close(); });

  b.TabOrder({form7::kFlow, form7::kFlowUnitOptions[0], form7::kFlowUnitOptions[1],
              form7::kShapeOptions[0], form7::kShapeOptions[1], form7::kShapeOptions[2], form7::kD1,
              form7::kD2, form7::kCalculate, form7::kClose});
  Finish();
  findChild<QLineEdit*>(Utf8(form7::kFlow))->setFocus();
}

}  // namespace toluvek
