#pragma once
// The services of the window program, and the list of every window the opener can make.

#include <QWidget>

#include "main/main_window_model.hpp"
#include "ui/qt_platform.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {

// The platform services, made once for the program and shared by every window's model.
struct QtServices {
  QtMessageService messages;
  QtClipboard clipboard;
  QtWindowOpener windows;
  QtFileDialogs dialogs;
  QtClock clock;
  QtCalculatorLauncher calculator;

  MainWindowServices ForMainWindow() { return {messages, clipboard, windows, dialogs, clock}; }
  // Message boxes and dialogs over the main window; window positions from it.
  void Anchor(QWidget* main_window) {
    messages.SetParent(main_window);
    dialogs.SetParent(main_window);
    windows.SetAnchor(main_window);
  }
};

// Registers every window of the program with the opener: each tool window's model reads the
// main window through `main` and shows its messages through `services`.
void RegisterWindows(QtServices& services, MainWindowModel& main);

}  // namespace toluvek
