// Writes the picture of the main window for the documentation: the window as the program
// shows it, after "計算" on the start-up defaults; optionally also the help window and the
// About box. Run under a real X server (Xvfb):
//   xvfb-run -s "-screen 0 1280x1024x24 -dpi 96" toluvek-screenshot docs/main-window.png

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "main/main_window_model.hpp"
#include "ui/about_window.hpp"
#include "ui/appearance.hpp"
#include "ui/help_window.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: toluvek-screenshot <main.png> [<help.png> [<about.png>]]\n");
    return 2;
  }
  toluvek::ApplyAppearance(app);
  toluvek::QtServices services;
  toluvek::MainWindowModel model(services.ForMainWindow());
  toluvek::RegisterWindows(services, model);
  toluvek::MainWindow window(model, [] { QCoreApplication::exit(0); });
  services.Anchor(&window);
  window.CentreOnScreen();
  window.show();
  window.findChild<QPushButton*>("Command1")->click();

  toluvek::HelpWindow help;
  toluvek::AboutWindow about;
  if (argc > 2) help.show();
  if (argc > 3) about.show();

  int status = 0;
  // Once the windows have been drawn; a second more lets a screen grabber catch them too.
  QTimer::singleShot(300, &window, [&] {
    QWidget* const shots[] = {&window, &help, &about};
    for (int i = 1; i < argc; ++i) {
      if (!shots[i - 1]->grab().save(QString::fromLocal8Bit(argv[i]))) status = 1;
    }
  });
  QTimer::singleShot(1300, &app, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  return status;
}
