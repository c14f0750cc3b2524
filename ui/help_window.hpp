#pragma once
// Form2 "How To Use": fourteen fixed labels with the usage notes, the methods and their
// sources, and an OK button. Modeless; destroyed when closed.

#include <QWidget>

namespace toluvek {

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace toluvek
