#pragma once
// The window program put together: the platform services, the main window's model, every
// window registered with the opener, and the main window over them. The program, the pictures
// of the documentation and the window tests all start from it; each places and shows the main
// window itself.

#include <QSettings>
#include <functional>
#include <memory>

#include "main/main_window_model.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/translation.hpp"

namespace toluvek {

struct Program {
  // `end_program` is what "終了", Exit and closing the main window do. The Help menu's choice of
  // language is kept in `settings` (the user's settings file when none is given).
  explicit Program(std::function<void()> end_program,
                   std::unique_ptr<QSettings> settings = nullptr);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  QtServices services;
  MainWindowModel model;
  LanguageChoice language;
  MainWindow window;
};

}  // namespace toluvek
