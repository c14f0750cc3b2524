#pragma once
// The window program as main() puts it together: the Qt services, the main window's model, every
// window registered with the opener, the main window shown at a given place.

#include <QPoint>

#include "main/main_window_model.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"

namespace toluvek {

struct WholeProgram {
  explicit WholeProgram(QPoint at = {30, 20}) {
    RegisterWindows(services, model);
    services.Anchor(&window);
    window.move(at);
    window.show();
  }

  QtServices services;
  MainWindowModel model{services.ForMainWindow()};
  MainWindow window{model, [] {}};
};

}  // namespace toluvek
