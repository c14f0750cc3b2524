#pragma once
// The window program put together: the platform services, the main window's model, every
// window registered with the opener, and the main window over them. The program, the pictures
// of the documentation and the window tests all start from it; each places and shows the main
// window itself.

#include <functional>

#include "main/main_window_model.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"

namespace toluvek {

struct Program {
  // `end_program` is what "終了", Exit and closing the main window do.
  explicit Program(std::function<void()> end_program);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  QtServices services;
  MainWindowModel model;
  MainWindow window;
};

}  // namespace toluvek
