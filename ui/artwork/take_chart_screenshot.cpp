// Writes the picture of the property chart for the documentation: cp of dry air (the start-up
// defaults) from 0 to 700 ℃, after "計算". Run under a real X server (Xvfb):
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-chart-screenshot docs/property-chart.png

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "main/main_window_model.hpp"
#include "ui/appearance.hpp"
#include "ui/main_window.hpp"
#include "ui/property_chart_window.hpp"
#include "ui/qt_platform.hpp"
#include "ui/window_opener.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: toluvek-chart-screenshot <chart.png>\n");
    return 2;
  }
  toluvek::ApplyAppearance(app);
  toluvek::QtMessageService messages;
  toluvek::QtClipboard clipboard;
  toluvek::QtWindowOpener windows;
  toluvek::QtFileDialogs dialogs;
  toluvek::QtClock clock;
  toluvek::MainWindowModel model({messages, clipboard, windows, dialogs, clock});
  toluvek::RegisterPropertyChart(windows, model, clipboard, dialogs, messages);
  toluvek::MainWindow window(model, [] { QCoreApplication::exit(0); });
  windows.SetAnchor(&window);
  window.CentreOnScreen();
  window.show();
  window.findChild<QPushButton*>("Command1")->click();
  model.OpenPropertyChart();

  int status = 0;
  QTimer::singleShot(500, &window, [&] {
    QWidget* chart = windows.Find(toluvek::ToolWindow::kPropertyChart);
    if (chart == nullptr || !chart->grab().save(QString::fromLocal8Bit(argv[1]))) status = 1;
  });
  QTimer::singleShot(800, &app, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  return status;
}
