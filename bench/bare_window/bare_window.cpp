// The reference for the window program's start-up time: an empty Qt Widgets window of the main
// window's size, timed the way `toluvek` times itself under TOLUVEK_STARTUP_REPORT (from the
// launch time the variable holds, in nanoseconds since the epoch, to the window's first
// exposure handled by the event loop), so that both are measured the same way in one run:
//
//   TOLUVEK_STARTUP_REPORT=$(date +%s%N) build/bench/toluvek_bare_window
//
// It writes "bare window shown N ms after launch" to standard error and ends. Without the
// variable it stays open, for measuring its memory (bench/memory_bench.sh).

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double RealtimeMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

class FirstExposure : public QObject {
 public:
  FirstExposure(double launch_ms, bool ends) : launch_ms_(launch_ms), ends_(ends) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && !seen_ && static_cast<QWindow*>(watched)->isExposed()) {
      seen_ = true;
      QTimer::singleShot(0, this, [this] {
        std::fprintf(stderr, "bare window shown %.1f ms after launch\n",
                     RealtimeMilliseconds() - launch_ms_);
        if (ends_) QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  double launch_ms_;
  bool ends_;
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const char* launch = std::getenv("TOLUVEK_STARTUP_REPORT");
  const double launch_ms = launch != nullptr ? std::strtod(launch, nullptr) / 1e6 : 0;
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1000, 700);
  window.setWindowTitle("Toluvek");
  window.winId();  // the native window, whose exposure is watched
  FirstExposure first(launch_ms > 0 ? launch_ms : RealtimeMilliseconds(), launch != nullptr);
  window.windowHandle()->installEventFilter(&first);
  window.show();
  return QApplication::exec();
}
