// toluvek: the window program. Shows the start-up picture, then the main window.
//
// With TOLUVEK_STARTUP_REPORT set in the environment, the program writes to standard error how
// long it took from process start to the main window shown (without the start-up picture's
// wait) and how long one press of "計算" takes on the defaults, then ends: a probe for
// measuring, not a mode of use. The variable may hold the launch time in nanoseconds since the
// epoch (TOLUVEK_STARTUP_REPORT=$(date +%s%N) toluvek); otherwise the kernel's record of the
// process start is used, which is only good to a few clock ticks.

#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "common/number_text.hpp"
#include "main/version.hpp"
#include "ui/appearance.hpp"
#include "ui/main_window.hpp"
#include "ui/program.hpp"
#include "ui/startup_picture.hpp"

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
                   std::chrono::nanoseconds picture, toluvek::MainWindow& window) {
  // A launch time counts only if it lies within the last minute; "1" and the like do not.
  constexpr double kLaunchWindow = 60000;  // ms
  const std::optional<double> launch_ns = toluvek::ParseStrict(launch);
  const double since_launch = launch_ns ? RealtimeMilliseconds() - *launch_ns / 1e6 : -1;
  const bool by_launch = since_launch >= 0 && since_launch < kLaunchWindow;
  const double process_ms = by_launch ? since_launch : MillisecondsSinceProcessStart();
  const double main_ms = since_main.nsecsElapsed() / 1e6;
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
               "toluvek start-up: main window shown %s ms after process start (%s), "
               "%s ms after main() began, not counting the start-up picture's %s ms; "
               "%s ms of processor time used by then; "
               "one calculation %s us from the press of the button to the last field written\n",
               process_ms < 0 ? "(unknown)" : ms(process_ms - picture_ms).c_str(),
               by_launch ? "launch time given" : "kernel ticks", ms(main_ms - picture_ms).c_str(),
               ms(picture_ms).c_str(), ms(processor_ms).c_str(), ms(calculation_ms * 1000).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer since_main;
  since_main.start();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Toluvek");
  QApplication::setApplicationVersion(toluvek::kVersion);
  QGuiApplication::setDesktopFileName("toluvek");
  toluvek::ApplyAppearance(app);

  const std::chrono::nanoseconds picture = toluvek::ShowStartupPicture();

  toluvek::Program program([] { QCoreApplication::exit(0); });
  toluvek::MainWindow& window = program.window;
  window.CentreOnScreen();
  window.show();

  if (const char* launch = std::getenv("TOLUVEK_STARTUP_REPORT")) {
    // Runs once the show and its first paint have been handled.
    QTimer::singleShot(0, &window, [&, launch] {
      ReportStartup(launch, since_main, picture, window);
      QCoreApplication::exit(0);
    });
  }
  return QApplication::exec();
}
