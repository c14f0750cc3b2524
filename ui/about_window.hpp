#pragma once
// frmAbout: the program's icon, its title and version, and an OK button. Modeless; destroyed
// when closed.

#include <QWidget>

namespace toluvek {

inline constexpr const char* kVersionText = "Version 1.0.3";

class AboutWindow : public QWidget {
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace toluvek
