#include "ui/program.hpp"

#include <utility>

namespace toluvek {

Program::Program(std::function<void()> end_program, std::unique_ptr<QSettings> settings)
    : model(services.ForMainWindow()),
      language(settings != nullptr ? std::move(settings) : ProgramSettings(), services.messages),
      window(model, std::move(end_program), &language) {
  RegisterWindows(services, model);
  // Message boxes, dialogs and tool windows are placed over the main window.
  services.Anchor(&window);
}

}  // namespace toluvek
