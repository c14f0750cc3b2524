#pragma once
// The window program as main() puts it together, the main window shown at a given place.

#include <QPoint>

#include "ui/program.hpp"

namespace toluvek {

struct WholeProgram : Program {
  explicit WholeProgram(QPoint at = {30, 20}) : Program([] {}) {
    window.move(at);
    window.show();
  }
};

}  // namespace toluvek
