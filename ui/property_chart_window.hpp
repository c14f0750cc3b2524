#pragma once
// "Property Chart": a property of the main window's mixture against temperature, drawn with
// Qt Charts. The curve and the range live in PropertyChartModel; this window shows them and
// hands the user's choices to it. It redraws after every calculation of the main window that
// wrote all results, so the curve follows the mixture and pressure without chasing the typing.

#include <QWidget>

#include "tools/chart/property_chart.hpp"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QValueAxis;

namespace toluvek {

class QtWindowOpener;

class PropertyChartWindow : public QWidget {
 public:
  PropertyChartWindow(MainWindowModel& main_window, Clipboard& clipboard, FileDialogs& dialogs,
                      MessageService& messages, QWidget* parent = nullptr);
  ~PropertyChartWindow() override;

  const PropertyChartModel& model() const { return model_; }

 private:
  // The one place that ties the window to the main window's calculations.
  void FollowMainWindow();
  void Refresh();
  void ApplyRange();
  // Grey spans, named in the legend, where the property's fits are extrapolated.
  void ShadeOutsideFits();
  void ShowValueAt(double temperature);
  void SavePng();

  MainWindowModel& main_window_;
  MessageService& messages_;
  PropertyChartModel model_;
  QComboBox* property_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QComboBox* unit_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* readout_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QValueAxis* x_axis_ = nullptr;
  QValueAxis* y_axis_ = nullptr;
  // Last, so that the chart stops following before anything it refreshes goes.
  CalculationSubscription calculations_;
};

// Lets the main window's "Property Chart(&G)" open the chart.
void RegisterPropertyChart(QtWindowOpener& opener, MainWindowModel& main_window,
                           Clipboard& clipboard, FileDialogs& dialogs, MessageService& messages);

}  // namespace toluvek
