#pragma once
// frmAbout: the program's icon, its title and version, and an OK button. Modeless; destroyed
// when closed.

#include <QWidget>

#include "main/version.hpp"

namespace toluvek {

class AboutWindow : public QWidget {
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace toluvek
