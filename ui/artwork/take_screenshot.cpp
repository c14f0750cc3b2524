// Writes the pictures of the windows for the documentation: the main window as the program
// shows it, after "計算" on the start-up defaults; optionally also the help window, the About
// box and tool windows after a calculation, each opened as a person opens it. For a tool window
// it also prints the time from the press that opens it to the window shown, and from Enter to
// its results, once warm. Run under a real X server (Xvfb):
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-screenshot docs/main-window.png
//       --duct docs/duct-window.png   (one line)
// The enthalpy window is shown on a natural gas with some moisture (the main window's amounts
// change for it), the water window for 100 g/min warmed from 25 ℃ to 75 ℃:
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-screenshot /tmp/main.png
//       --enthalpy docs/enthalpy-window.png --water docs/water-window.png   (one line)
// With --language en the windows are shown in English:
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-screenshot docs/main-window-en.png
//       --language en   (one line)

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tools/duct/duct_window_model.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "ui/about_window.hpp"
#include "ui/appearance.hpp"
#include "ui/duct_window.hpp"
#include "ui/help_window.hpp"
#include "ui/main_window.hpp"
#include "ui/program.hpp"
#include "ui/tool_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/translation.hpp"

namespace {

double Milliseconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Rounds of opening a window, the first of them to warm the caches.
constexpr int kTimedRounds = 7;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// "Re", then a flow of 1 Nl/min and Enter in the duct window. The first round warms the caches
// and is closed again; the second is timed.
QWidget* OpenDuctWindow(QApplication& app, toluvek::MainWindow& window,
                        toluvek::QtServices& services) {
  auto* re = window.findChild<QPushButton*>("Command8");
  QWidget* duct = nullptr;
  for (int round = 0; round < 2; ++round) {
    if (duct != nullptr) {
      duct->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QElapsedTimer opened;
    opened.start();
    re->click();
    duct = services.windows.Find(toluvek::ToolWindow::kDuctFlow);
    if (duct == nullptr) return nullptr;
    app.processEvents();
    const double open_ms = Milliseconds(opened);

    auto* flow = duct->findChild<QLineEdit*>("Text1");
    flow->setFocus();
    flow->setText("1");
    Q_EMIT flow->textEdited("1");  // as typed
    QElapsedTimer calculated;
    calculated.start();
    Q_EMIT flow->returnPressed();
    app.processEvents();
    const double calculate_ms = Milliseconds(calculated);
    if (round == 1) {
      std::fprintf(stderr,
                   "duct window: \"Re\" to the window shown %.2f ms; Enter to the results "
                   "shown %.2f ms (warm)\n",
                   open_ms, calculate_ms);
    }
  }
  return duct;
}

// Types `text` into a field as a person would, then Enter.
void TypeAndEnter(QWidget* window, const char* field_name, const char* text) {
  auto* field = window->findChild<QLineEdit*>(field_name);
  field->setFocus();
  field->setText(text);
  Q_EMIT field->textEdited(text);
  Q_EMIT field->returnPressed();
}

// Opens a tool window with `open`, types `text` into its `field` and presses Enter, for
// kTimedRounds rounds; `close` ends each round but the last. The first round warms the caches;
// the medians of the others are printed under `name`. Returns the window left open.
QWidget* TimeOpenAndEnter(QApplication& app, toluvek::QtServices& services,
                          toluvek::ToolWindow kind, const std::function<void()>& open,
                          const std::function<void(QWidget*)>& close, const char* field,
                          const char* text, const char* name) {
  QWidget* tool = nullptr;
  std::vector<double> open_times, calculate_times;
  for (int round = 0; round < kTimedRounds; ++round) {
    if (tool != nullptr) close(tool);
    QElapsedTimer opened;
    opened.start();
    open();
    tool = services.windows.Find(kind);
    if (tool == nullptr) return nullptr;
    app.processEvents();
    const double open_ms = Milliseconds(opened);
    QElapsedTimer calculated;
    calculated.start();
    TypeAndEnter(tool, field, text);
    app.processEvents();
    const double calculate_ms = Milliseconds(calculated);
    if (round > 0) {
      open_times.push_back(open_ms);
      calculate_times.push_back(calculate_ms);
    }
  }
  std::fprintf(stderr,
               "%s: opened to the window shown %.2f ms; Enter to the result shown %.2f ms "
               "(warm, median)\n",
               name, Median(open_times), Median(calculate_times));
  return tool;
}

// "Enthalpy" on a natural gas with some moisture; the window opens with the species flows.
// Then 125 ℃ as the end temperature and Enter. "閉" closes the window between rounds (it keeps
// its contents).
QWidget* OpenEnthalpyWindow(QApplication& app, toluvek::MainWindow& window,
                            toluvek::MainWindowModel& model, toluvek::QtServices& services) {
  constexpr const char* kGas[] = {"0", "0", "0", "0", "0", "2", "0", "88", "6", "4", "0", "0"};
  for (std::size_t i = 0; i < toluvek::kSpeciesCount; ++i) {
    model.WriteField(toluvek::form1::kAmount[i], kGas[i]);
  }
  auto* enthalpy_button = window.findChild<QPushButton*>("Command3");
  return TimeOpenAndEnter(
      app, services, toluvek::ToolWindow::kEnthalpy, [&] { enthalpy_button->click(); },
      [](QWidget* tool) { tool->findChild<QPushButton*>("Command1")->click(); }, "Text3", "125",
      "enthalpy window (\"Enthalpy\")");
}

// Tool > "Enthalpy of Water(&W)", then 75 ℃ as the end temperature and Enter; each round
// unloads the window and loads it anew.
QWidget* OpenWaterWindow(QApplication& app, toluvek::MainWindow& window,
                         toluvek::QtServices& services) {
  auto* entry = window.findChild<QAction*>("ewater");
  return TimeOpenAndEnter(
      app, services, toluvek::ToolWindow::kWaterEnthalpy, [&] { entry->trigger(); },
      [](QWidget* tool) {
        tool->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      },
      "Text3", "75", "water window (\"Enthalpy of Water(&W)\")");
}

// "Tsat(&R)" on a gas with water: the dew-point pop-up computes while it opens. The first round
// warms the caches and is closed again; the second is timed.
QWidget* OpenSaturationWindow(QApplication& app, toluvek::MainWindow& window,
                              toluvek::MainWindowModel& model, toluvek::QtServices& services) {
  model.SetText("Text8", "5");  // H2O
  QWidget* popup = nullptr;
  for (int round = 0; round < 2; ++round) {
    if (popup != nullptr) {
      popup->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QElapsedTimer opened;
    opened.start();
    window.findChild<QAction*>("tsat")->trigger();
    popup = services.windows.Find(toluvek::ToolWindow::kSaturation);
    if (popup == nullptr) return nullptr;
    app.processEvents();
    if (round == 1) {
      std::fprintf(stderr, "saturation pop-up: \"Tsat\" to the window shown %.2f ms (warm)\n",
                   Milliseconds(opened));
    }
  }
  return popup;
}

// "Mixing(&M)", then methane at 25 ℃ into ten times as much air at 500 ℃ and "計算". The first
// round warms the caches and is closed again; the second is timed.
QWidget* OpenMixingWindow(QApplication& app, toluvek::MainWindow& window,
                          toluvek::QtServices& services) {
  QWidget* mixing = nullptr;
  for (int round = 0; round < 2; ++round) {
    if (mixing != nullptr) {
      mixing->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QElapsedTimer opened;
    opened.start();
    window.findChild<QAction*>("mix")->trigger();
    mixing = services.windows.Find(toluvek::ToolWindow::kMixing);
    if (mixing == nullptr) return nullptr;
    app.processEvents();
    const double open_ms = Milliseconds(opened);

    toluvek::WindowModel& model = static_cast<toluvek::ToolWindowBase*>(mixing)->window_model();
    using namespace toluvek::mixing_fields;
    for (std::size_t i = 0; i < toluvek::kSpeciesCount; ++i) {
      model.SetText(kAmountA[i], i == toluvek::kCH4 ? "1" : "0");
    }
    model.SetText(kTemperatureA, "25");
    model.SetText(kFlowA, "1");
    model.SetText(kTemperatureB, "500");
    model.SetText(kFlowB, "10");
    model.SetText(kAmountB[toluvek::kO2], "0.21");
    model.SetText(kAmountB[toluvek::kN2], "0.79");
    QElapsedTimer calculated;
    calculated.start();
    mixing->findChild<QPushButton*>("Command1")->click();
    app.processEvents();
    if (round == 1) {
      std::fprintf(stderr,
                   "mixing window: \"Mixing\" to the window shown %.2f ms; \"計算\" to the "
                   "results shown %.2f ms (warm)\n",
                   open_ms, Milliseconds(calculated));
    }
  }
  return mixing;
}

// The process's peak resident memory, as the kernel reports it.
void PrintPeakMemory(const char* when) {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      std::fprintf(stderr, "%s: %s\n", when, line.simplified().constData());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<const char*> paths;
  const char* duct_path = nullptr;
  const char* enthalpy_path = nullptr;
  const char* water_path = nullptr;
  const char* saturation_path = nullptr;
  const char* mixing_path = nullptr;
  std::optional<toluvek::Language> language = toluvek::Language::kJapanese;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--duct") == 0 && i + 1 < argc) {
      duct_path = argv[++i];
    } else if (std::strcmp(argv[i], "--enthalpy") == 0 && i + 1 < argc) {
      enthalpy_path = argv[++i];
    } else if (std::strcmp(argv[i], "--water") == 0 && i + 1 < argc) {
      water_path = argv[++i];
    } else if (std::strcmp(argv[i], "--saturation") == 0 && i + 1 < argc) {
      saturation_path = argv[++i];
    } else if (std::strcmp(argv[i], "--mixing") == 0 && i + 1 < argc) {
      mixing_path = argv[++i];
    } else if (std::strcmp(argv[i], "--language") == 0 && i + 1 < argc) {
      language = toluvek::LanguageFromCode(QString::fromLocal8Bit(argv[++i]));
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty() || paths.size() > 3 || !language) {
    std::fprintf(stderr,
                 "usage: toluvek-screenshot <main.png> [<help.png> [<about.png>]] "
                 "[--duct <duct.png>] [--enthalpy <enthalpy.png>] [--water <water.png>] "
                 "[--saturation <saturation.png>] [--mixing <mixing.png>] [--language ja|en]\n");
    return 2;
  }
  const toluvek::Translations translations(*language);
  toluvek::ApplyAppearance(app);
  toluvek::Program program([] { QCoreApplication::exit(0); });
  toluvek::QtServices& services = program.services;
  toluvek::MainWindowModel& model = program.model;
  toluvek::MainWindow& window = program.window;
  window.CentreOnScreen();
  window.show();
  window.findChild<QPushButton*>("Command1")->click();

  toluvek::HelpWindow help;
  toluvek::AboutWindow about;
  if (paths.size() > 1) help.show();
  if (paths.size() > 2) about.show();
  QPointer<QWidget> duct = duct_path != nullptr ? OpenDuctWindow(app, window, services) : nullptr;
  QPointer<QWidget> enthalpy =
      enthalpy_path != nullptr ? OpenEnthalpyWindow(app, window, model, services) : nullptr;
  QPointer<QWidget> water =
      water_path != nullptr ? OpenWaterWindow(app, window, services) : nullptr;
  QPointer<QWidget> mixing =
      mixing_path != nullptr ? OpenMixingWindow(app, window, services) : nullptr;
  // The pop-up goes when another window takes the focus: it opens last.
  QPointer<QWidget> saturation =
      saturation_path != nullptr ? OpenSaturationWindow(app, window, model, services) : nullptr;
  if (enthalpy_path != nullptr || water_path != nullptr || mixing_path != nullptr ||
      saturation_path != nullptr) {
    PrintPeakMemory("tool windows open");
  }

  int status = 0;
  // Once the windows have been drawn; a second more lets a screen grabber catch them too.
  QTimer::singleShot(300, &window, [&] {
    QWidget* const shots[] = {&window, &help, &about};
    for (std::size_t i = 0; i < paths.size(); ++i) {
      if (!shots[i]->grab().save(QString::fromLocal8Bit(paths[i]))) status = 1;
    }
    if (duct_path != nullptr &&
        (duct.isNull() || !duct->grab().save(QString::fromLocal8Bit(duct_path)))) {
      status = 1;
    }
    const std::pair<QPointer<QWidget>, const char*> tools[] = {{enthalpy, enthalpy_path},
                                                               {water, water_path},
                                                               {mixing, mixing_path},
                                                               {saturation, saturation_path}};
    for (const auto& [tool, path] : tools) {
      if (path != nullptr && (tool.isNull() || !tool->grab().save(QString::fromLocal8Bit(path)))) {
        status = 1;
      }
    }
  });
  QTimer::singleShot(1300, &app, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  return status;
}
