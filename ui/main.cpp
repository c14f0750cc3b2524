// toluvek: the window program. Shows the start-up picture, then the main window.
//
// With TOLUVEK_STARTUP_REPORT set in the environment, the program writes to standard error how
// long after the start-up picture went the main window was shown, how long it took from process
// start to then (without the start-up picture's wait) and how long one press of "計算" takes on the
// defaults, then ends: a probe for measuring, not a mode of use. The variable may hold the launch
// time in nanoseconds since the epoch (TOLUVEK_STARTUP_REPORT=$(date +%s%N) toluvek); otherwise the
// kernel's record of the process start is used, which is only good to a few clock ticks.

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "common/number_text.hpp"
#include "main/version.hpp"
#include "ui/appearance.hpp"
#include "ui/main_window.hpp"
#include "ui/program.hpp"
#include "ui/startup_picture.hpp"
#include "ui/translation.hpp"

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

double RealtimeMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Milliseconds since the kernel started this process, to the resolution of the kernel's clock
// ticks (10 ms on most systems); negative when unknown.
double MillisecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  if (!std::getline(stat, line)) return -1;
  // The command name may hold blanks: the fields after it follow the last ')'.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  const std::optional<double> start_ticks = toluvek::ParseStrict(field);
  const double ticks_per_second = static_cast<double>(sysconf(_SC_CLK_TCK));
  timespec since_boot{};
  if (!start_ticks || clock_gettime(CLOCK_BOOTTIME, &since_boot) != 0) return -1;
  const double started = *start_ticks / ticks_per_second * 1000;  // ms after boot
  return since_boot.tv_sec * 1000.0 + since_boot.tv_nsec / 1e6 - started;
}

// Processor time this process has used so far, user and system, in ms: unlike the elapsed time,
// hardly affected by other programs competing for the processor.
double ProcessorMilliseconds() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void ReportStartup(const char* launch, const QElapsedTimer& since_main,
                   std::chrono::nanoseconds picture, double picture_end_ms,
                   toluvek::MainWindow& window) {
  // A launch time counts only if it lies within the last minute; "1" and the like do not.
  constexpr double kLaunchWindow = 60000;  // ms
  const std::optional<double> launch_ns = toluvek::ParseStrict(launch);
  const double since_launch = launch_ns ? RealtimeMilliseconds() - *launch_ns / 1e6 : -1;
  const bool by_launch = since_launch >= 0 && since_launch < kLaunchWindow;
  const double process_ms = by_launch ? since_launch : MillisecondsSinceProcessStart();
  const double main_ms = since_main.nsecsElapsed() / 1e6;
  const double after_picture_ms = main_ms - picture_end_ms;
  const double picture_ms = Milliseconds(picture).count();
  const double processor_ms = ProcessorMilliseconds();

  QElapsedTimer calculation;
  calculation.start();
  window.findChild<QPushButton*>("Command1")->click();
  const double calculation_ms = calculation.nsecsElapsed() / 1e6;

  const auto ms = [](double value) {
    return toluvek::FormatPattern(value, toluvek::Pattern::kFixed1);
  };
  std::fprintf(stderr,
               "toluvek start-up: main window shown %s ms after the start-up picture went; "
               "%s ms after process start (%s), "
               "%s ms after main() began, not counting the start-up picture's %s ms; "
               "%s ms of processor time used by then; "
               "one calculation %s us from the press of the button to the last field written\n",
               ms(after_picture_ms).c_str(),
               process_ms < 0 ? "(unknown)" : ms(process_ms - picture_ms).c_str(),
               by_launch ? "launch time given" : "kernel ticks", ms(main_ms - picture_ms).c_str(),
               ms(picture_ms).c_str(), ms(processor_ms).c_str(), ms(calculation_ms * 1000).c_str());
}

// Calls `then` from the event loop once the window has been exposed for the first time: the
// window server has mapped it, and Qt paints it while it handles the exposure.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWindow& window, std::function<void()> then) : then_(std::move(then)) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && !then_called_ &&
        static_cast<QWindow*>(watched)->isExposed()) {
      then_called_ = true;
      QTimer::singleShot(0, this, then_);
    }
    return false;
  }

 private:
  std::function<void()> then_;
  bool then_called_ = false;
};

// The program's options; Qt's own (-platform, -style, ...) are taken by QApplication first.
void DescribeOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      "Toluvek: thermophysical properties of ideal-gas mixtures of twelve species (H2, O2, N2, "
      "CO, CO2, H2O, CH3OH, CH4, C2H6, C3H8, n-C4H10, i-C4H10), and the tools for combustion, "
      "heat duty, mixing, duct flow, the dew point and unit conversions. The window program; "
      "toluvek-cli runs the same calculations on the command line.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption(
      "language",
      "The language of the windows for this run: ja (Japanese, the program's own) or en "
      "(English). Without it, the language chosen in the Help menu (Japanese unless English "
      "was chosen).",
      "ja|en"));
}

// The language of this run: the command line's, else the one chosen in the Help menu; nothing
// (after a message) when the command line names no language the program has.
std::optional<toluvek::Language> RunLanguage(const QCommandLineParser& parser) {
  if (!parser.isSet("language")) return toluvek::StoredLanguage(*toluvek::ProgramSettings());
  const QString code = parser.value("language");
  const std::optional<toluvek::Language> language = toluvek::LanguageFromCode(code);
  if (!language) {
    std::fprintf(stderr, "toluvek: --language takes ja or en, not \"%s\"\n",
                 code.toLocal8Bit().constData());
  }
  return language;
}

// Whether the arguments ask only for a text on the terminal (--help, --version), which needs
// no display.
bool AsksForText(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer since_main;
  since_main.start();
#ifdef M_MMAP_THRESHOLD
  // The allocator's own default, held fixed. Left to itself glibc raises the threshold to each
  // larger mapped block that is freed (up to 32 MiB), and the trim threshold to twice that, so
  // after the start-up's full-window pictures every later picture of the windows would stay on
  // the heap once freed. Held, a picture over 128 KiB costs one mapping and unmapping.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
  QCoreApplication::setApplicationName("Toluvek");
  QCoreApplication::setApplicationVersion(toluvek::kVersion);
  QCommandLineParser parser;
  DescribeOptions(parser);
  if (AsksForText(argc, argv)) {
    // Answered before the window program's application is made, which needs a display.
    QCoreApplication terminal(argc, argv);
    parser.process(terminal);  // prints the text and ends the program
  }
  QApplication app(argc, argv);
  parser.process(app);  // an unknown option ends the program with a message
  const std::optional<toluvek::Language> language = RunLanguage(parser);
  if (!language) return 2;
  const toluvek::Translations translations(*language);
  QGuiApplication::setDesktopFileName("io.github.toluvek.toluvek");
  toluvek::ApplyAppearance(app);

  // The main window is built while the start-up picture stands, and shown as it goes.
  std::optional<toluvek::Program> program;
  const std::chrono::nanoseconds picture =
      toluvek::ShowStartupPicture(toluvek::kStartupPictureTime, [&program] {
        program.emplace([] { QCoreApplication::exit(0); });
        program->window.CentreOnScreen();
        // Laid out, given its native window and painted once off screen, which also fills the
        // font caches: the first paint on the screen is then a copy.
        program->window.winId();
        program->window.grab();
      });
  const double picture_end_ms = since_main.nsecsElapsed() / 1e6;
  toluvek::MainWindow& window = program->window;
  window.show();

  std::optional<FirstPaint> first_paint;
  if (const char* launch = std::getenv("TOLUVEK_STARTUP_REPORT")) {
    // Runs once the window server has exposed the window and its first paint has been handled.
    first_paint.emplace(*window.windowHandle(), [&, launch] {
      ReportStartup(launch, since_main, picture, picture_end_ms, window);
      QCoreApplication::exit(0);
    });
  }
  return QApplication::exec();
}
