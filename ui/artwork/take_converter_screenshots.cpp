// Writes the pictures of the three unit converters for the documentation, each opened as a
// person opens it (a right press on the main window's background, then the chooser's button)
// and after a value is typed; prints the time from the press or click to the window shown, the
// time of one keystroke's recalculation, and the peak memory with every tool window open.
// Run under a real X server (Xvfb):
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-converter-screenshots
//       docs/pressure-converter.png docs/temperature-converter.png docs/heat-converter.png

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "ui/appearance.hpp"
#include "ui/program.hpp"
#include "ui/twips.hpp"

namespace {

using toluvek::ToolWindow;

double Milliseconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void Press(QWidget* widget, QPoint at, Qt::MouseButton button) {
  const QPointF local(at);
  const QPointF global(widget->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

// Typing: a key press with its text, as the keyboard gives it.
void Type(QWidget* field, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &key);
  }
}

void Backspace(QWidget* field) {
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(field, &key);
}

struct Program : toluvek::Program {
  Program() : toluvek::Program([] { QCoreApplication::exit(0); }) {}

  QWidget* Find(ToolWindow kind) { return services.windows.Find(kind); }
  // A right press on the main window's bare background: the chooser.
  QWidget* OpenConverterChooser() {
    const toluvek::TwipScale scale(&window);
    Press(window.centralWidget(), scale.Point(6000, 5700), Qt::RightButton);
    return Find(ToolWindow::kConverterChooser);
  }
};

// Processor time of this process, ms: on a busy machine the wall-clock time also counts the
// waits for the processor.
double ProcessorMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Timing {
  double wall = 0;       // ms, median
  double processor = 0;  // ms, median
};

double MedianOf(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Medians of `rounds` timings of `step` (each round set up by `prepare`), up to the events it
// caused handled (the window shown and painted) when `settle`.
template <typename Prepare, typename Step>
Timing Median(QApplication& app, int rounds, Prepare prepare, Step step, bool settle = true) {
  std::vector<double> wall, processor;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    app.processEvents();
    const double start = ProcessorMilliseconds();
    QElapsedTimer timer;
    timer.start();
    step();
    if (settle) app.processEvents();
    wall.push_back(Milliseconds(timer));
    processor.push_back(ProcessorMilliseconds() - start);
  }
  return {MedianOf(wall), MedianOf(processor)};
}

void Report(const char* what, Timing t) {
  std::fprintf(stderr, "%s: %.3f ms (processor %.3f ms)\n", what, t.wall, t.processor);
}

void CloseAll(Program& p, ToolWindow kind) {
  for (QWidget* w : p.services.windows.FindAll(kind)) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: toluvek-converter-screenshots <pressure.png> <temperature.png> "
                 "<heat.png>\n");
    return 2;
  }
  toluvek::ApplyAppearance(app);
  Program p;
  p.window.move(40, 40);
  p.window.show();
  app.processEvents();

  // Warm, medians of 21 rounds.
  constexpr int kRounds = 21;
  const char* buttons[] = {"Command1", "Command2", "Command3"};
  const ToolWindow kinds[] = {ToolWindow::kPressureConverter, ToolWindow::kTemperatureConverter,
                              ToolWindow::kHeatConverter};
  Report("right press to the converter chooser shown",
         Median(
             app, kRounds, [&] { CloseAll(p, ToolWindow::kConverterChooser); },
             [&] { p.OpenConverterChooser(); }));
  for (int k = 0; k < 3; ++k) {
    const Timing t = Median(
        app, kRounds,
        [&] {
          CloseAll(p, kinds[k]);
          p.OpenConverterChooser();
        },
        [&] {
          p.Find(ToolWindow::kConverterChooser)->findChild<QPushButton*>(buttons[k])->click();
        });
    Report((std::string("converter chooser ") + buttons[k] + " to the converter shown").c_str(), t);
  }
  CloseAll(p, ToolWindow::kCompositionChooser);
  Report("\"mol Vol.\" press to the composition chooser shown",
         Median(
             app, kRounds, [&] { CloseAll(p, ToolWindow::kCompositionChooser); },
             [&] {
               Press(p.window.findChild<QLabel*>("Label46"), {4, 4}, Qt::LeftButton);
             }));
  const char* dialog_buttons[] = {"Command1", "Command2"};
  const ToolWindow dialogs[] = {ToolWindow::kAirDialog, ToolWindow::kTotalDialog};
  for (int d = 0; d < 2; ++d) {
    const Timing t = Median(
        app, kRounds,
        [&] {
          CloseAll(p, dialogs[d]);
          Press(p.window.findChild<QLabel*>("Label46"), {4, 4}, Qt::LeftButton);
        },
        [&] {
          p.Find(ToolWindow::kCompositionChooser)
              ->findChild<QPushButton*>(dialog_buttons[d])
              ->click();
        });
    Report(
        (std::string("composition chooser ") + dialog_buttons[d] + " to the dialog shown").c_str(),
        t);
  }

  // One keystroke in each converter: its recalculation and the labels rewritten, then also
  // repainted.
  const char* inputs[] = {"Text1", "Text1", "Text1"};
  for (int k = 0; k < 3; ++k) {
    QWidget* converter = p.Find(kinds[k]);
    auto* field = converter->findChild<QLineEdit*>(inputs[k]);
    field->setFocus();
    field->selectAll();
    Type(field, "101325");
    const std::string name = converter->objectName().toStdString();
    Report((name + ": one keystroke to the labels rewritten").c_str(),
           Median(
               app, 201, [&] { Backspace(field); }, [&] { Type(field, "5"); }, false));
    Report((name + ": one keystroke to the labels repainted").c_str(),
           Median(
               app, 201, [&] { Backspace(field); }, [&] { Type(field, "5"); }));
  }

  // The pictures: a value typed in each.
  struct Shot {
    ToolWindow kind;
    const char* field;
    const char* text;
    const char* option;  // clicked after typing, or none
  };
  const Shot shots[] = {{ToolWindow::kPressureConverter, "Text1", "1", "Option6"},
                        {ToolWindow::kTemperatureConverter, "Text1", "100", nullptr},
                        {ToolWindow::kHeatConverter, "Text1", "1", nullptr}};
  for (const Shot& shot : shots) {
    CloseAll(p, shot.kind);
    p.OpenConverterChooser();
    const int k = static_cast<int>(&shot - shots);
    p.Find(ToolWindow::kConverterChooser)->findChild<QPushButton*>(buttons[k])->click();
    QWidget* converter = p.Find(shot.kind);
    auto* field = converter->findChild<QLineEdit*>(shot.field);
    field->selectAll();
    Type(field, shot.text);
    if (shot.option != nullptr) converter->findChild<QRadioButton*>(shot.option)->click();
    if (shot.kind == ToolWindow::kHeatConverter) {
      auto* energy = converter->findChild<QLineEdit*>("Text2");
      energy->selectAll();
      Type(energy, "1");
    }
  }
  // Spread out, so that a grab of the whole screen shows them side by side.
  const toluvek::TwipScale scale(&p.window);
  p.Find(ToolWindow::kPressureConverter)->move(p.window.pos() + scale.Point(800, 800));
  p.Find(ToolWindow::kTemperatureConverter)->move(p.window.pos() + scale.Point(6200, 800));
  p.Find(ToolWindow::kHeatConverter)->move(p.window.pos() + scale.Point(800, 4400));

  // Every tool window this program has open at once.
  p.services.windows.Open(ToolWindow::kDuctFlow, {3100, 1200});
  p.services.windows.Open(ToolWindow::kHelp, {750, 750});
  p.services.windows.Open(ToolWindow::kAbout, {1800, 1800});
  Press(p.window.findChild<QLabel*>("Label46"), {4, 4}, Qt::LeftButton);
  p.Find(ToolWindow::kCompositionChooser)->findChild<QPushButton*>("Command1")->click();
  Press(p.window.findChild<QLabel*>("Label46"), {4, 4}, Qt::LeftButton);
  p.Find(ToolWindow::kCompositionChooser)->findChild<QPushButton*>("Command2")->click();
  Press(p.window.findChild<QLabel*>("Label46"), {4, 4}, Qt::LeftButton);
  p.OpenConverterChooser();

  int status = 0;
  QTimer::singleShot(300, &p.window, [&] {
    for (int k = 0; k < 3; ++k) {
      if (!p.Find(kinds[k])->grab().save(QString::fromLocal8Bit(argv[k + 1]))) status = 1;
    }
    std::fprintf(stderr, "peak memory with every tool window open: %ld kB\n", PeakKilobytes());
  });
  QTimer::singleShot(1300, &app, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  return status;
}
