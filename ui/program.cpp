#include "ui/program.hpp"

#include <utility>

namespace toluvek {

Program::Program(std::function<void()> end_program)
    : model(services.ForMainWindow()), window(model, std::move(end_program)) {
  RegisterWindows(services, model);
  // Message boxes, dialogs and tool windows are placed over the main window.
  services.Anchor(&window);
}

}  // namespace toluvek
