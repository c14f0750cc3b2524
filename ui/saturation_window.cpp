#include "ui/saturation_window.hpp"

#include <QEvent>
#include <QLabel>

namespace toluvek {
namespace {

// Geometry in twips: the partial pressure on the left, the temperature on the right.
constexpr int kClientWidth = 3240;
constexpr int kClientHeight = 540;
constexpr QRect kPartialPressure{60, 120, 1920, 300};
constexpr QRect kTemperature{2040, 120, 1140, 300};

}  // namespace

SaturationWindow::SaturationWindow(std::unique_ptr<SaturationWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form5::kWindow, "飽和温度", kClientWidth, kClientHeight,
                   parent) {
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kPartialPressure.width())));
  b.ResultLabel(form5::kPartialPressure, kPartialPressure, Qt::AlignRight | Qt::AlignVCenter,
                "水蒸気分圧");
  b.ResultLabel(form5::kTemperature, kTemperature, Qt::AlignLeft | Qt::AlignVCenter, "飽和温度");
  Finish();
}

bool SaturationWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) model().FocusLost();
  return ToolWindowOf::event(event);
}

}  // namespace toluvek
