#pragma once
// "Property Chart": a property of the main window's mixture against temperature, drawn with
// QPainter. The curve, the range and the readout live in PropertyChartModel; this window is a
// layout of its controls bound to the model, and draws the curve each time the model has
// computed it again.

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tools/chart/property_chart_model.hpp"
#include "ui/tool_window.hpp"

class QComboBox;

namespace toluvek {

class ChartView;
class QtWindowOpener;

class PropertyChartWindow : public ToolWindowOf<PropertyChartModel> {
 public:
  explicit PropertyChartWindow(std::unique_ptr<PropertyChartModel> model,
                               QWidget* parent = nullptr);
  ~PropertyChartWindow() override;

 private:
  // A list whose entry shown is its control's text in the model; choosing an entry runs
  // `choose` with its index. The model binding has no lists: this window binds its own.
  QComboBox* Choice(std::string_view name, const QStringList& entries,
                    const QString& accessible_name, std::function<void(int)> choose);
  void DrawChart();
  void ShowValueAt(double temperature);
  // The chart as the window shows it, as PNG bytes.
  std::optional<std::string> Picture() const;

  ChartView* view_ = nullptr;
  int chart_observer_ = 0;
};

// Lets the main window's "Property Chart(&G)" open the chart.
void RegisterPropertyChart(QtWindowOpener& opener, MainWindowModel& main_window,
                           Clipboard& clipboard, FileDialogs& dialogs, MessageService& messages);

}  // namespace toluvek
