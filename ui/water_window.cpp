#include "ui/water_window.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>

namespace toluvek {
namespace {

// Geometry in twips.
constexpr int kClientWidth = 5040;
constexpr int kClientHeight = 3240;
constexpr int kRowHeight = 300;
constexpr QRect kFlowCaption{120, 270, 600, kRowHeight};
constexpr QRect kFlowField{720, 270, 1320, kRowHeight};
constexpr QRect kUnitFrame{2160, 0, 2760, 660};
constexpr int kOptionTop = 270;
constexpr int kTemperatureTop = 900;
constexpr QRect kT1Field{120, kTemperatureTop, 1020, kRowHeight};
constexpr QRect kT1Caption{1200, kTemperatureTop, 1380, kRowHeight};
constexpr QRect kT2Field{2640, kTemperatureTop, 1020, kRowHeight};
constexpr QRect kT2Caption{3720, kTemperatureTop, 300, kRowHeight};
constexpr QRect kPhaseFrame{120, 1320, 2400, 660};
constexpr QRect kHeat{2640, 1560, 1680, kRowHeight};
constexpr QRect kHeatUnit{4380, 1560, 540, kRowHeight};
constexpr QRect kCalculateButton{1200, 2580, 1320, 420};
constexpr QRect kCloseButton{2760, 2580, 1320, 420};

// The result is drawn in blue; before the first calculation it is empty and hidden.
constexpr QColor kResultBlue{0, 0, 255};

constexpr const char* kUnitCaptions[] = {"g/min", "mol/h", "kg/h"};
constexpr const char* kPhaseCaptions[] = {"液", "気"};

}  // namespace

WaterWindow::WaterWindow(std::unique_ptr<WaterWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form4::kWindow, "Enthalpy of Water", kClientWidth,
                   kClientHeight, parent) {
  WaterWindowModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kHeat.width())));
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;

  b.Label("流 量", kFlowCaption, left);
  b.Field(form4::kFlow, kFlowField, kWhite, "水の流量", FieldRole::kInput,
          b.EnterMovesFocus(m, form4::kFlow));
  QGroupBox* unit = b.Frame("Frame1", "単位", kUnitFrame, "流量の単位");
  for (std::size_t i = 0; i < form4::kUnitOptions.size(); ++i) {
    const auto which = static_cast<WaterFlowUnit>(i);
    b.Option(unit, form4::kUnitOptions[i], kUnitCaptions[i],
             {120 + static_cast<int>(i) * 900, kOptionTop, 880, kRowHeight},
             [&m, which] { m.SelectFlowUnit(which); });
  }

  b.Field(form4::kT1, kT1Field, kWhite, "開始温度 ℃ 液", FieldRole::kInput,
          b.EnterMovesFocus(m, form4::kT1));
  b.Label("℃，液   →", kT1Caption, left);
  b.Field(form4::kT2, kT2Field, kWhite, "終了温度 ℃", FieldRole::kInput,
          b.EnterMovesFocus(m, form4::kT2));
  b.Label("℃", kT2Caption, left);

  QGroupBox* phase = b.Frame("Frame2", "相", kPhaseFrame, "終了時の相");
  for (std::size_t i = 0; i < form4::kPhaseOptions.size(); ++i) {
    const auto which = static_cast<WaterPhase>(i);
    b.Option(phase, form4::kPhaseOptions[i], kPhaseCaptions[i],
             {120 + static_cast<int>(i) * 1080, kOptionTop, 1020, kRowHeight},
             [&m, which] { m.SelectPhase(which); });
  }

  QLabel* heat = b.ResultLabel(form4::kHeat, kHeat, Qt::AlignRight | Qt::AlignVCenter, "熱量");
  // Blue on the light face it was drawn for, whatever the desktop's palette.
  QPalette palette = heat->palette();
  palette.setColor(QPalette::WindowText, kResultBlue);
  palette.setColor(QPalette::Window,
                   QApplication::style()->standardPalette().color(QPalette::Window));
  heat->setPalette(palette);
  heat->setAutoFillBackground(true);
  b.ModelLabel(form4::kHeatUnit, kHeatUnit, left);

  b.Button(form4::kCalculate, "計算", kCalculateButton, [&m] { m.Calculate(); });
  b.Button(form4::kClose, "閉", kCloseButton, [&m] { m.Close(); });

  b.TabOrder({form4::kFlow, form4::kUnitOptions[0], form4::kUnitOptions[1], form4::kUnitOptions[2],
              form4::kT1, form4::kT2, form4::kPhaseOptions[0], form4::kPhaseOptions[1],
              form4::kCalculate, form4::kClose});
  Finish();
  findChild<QLineEdit*>(Utf8(form4::kFlow))->setFocus();
}

}  // namespace toluvek
