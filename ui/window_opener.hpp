#pragma once
// Opens the windows the main window asks for, each at its offset from the main window's
// top-left corner. A window that is open already is moved there and brought forward instead of
// being created twice. Windows that have no factory yet are not opened.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "main/platform.hpp"

namespace toluvek {

class QtWindowOpener : public WindowOpener {
 public:
  using Factory = std::function<QWidget*()>;

  QtWindowOpener() = default;
  ~QtWindowOpener() override;
  QtWindowOpener(const QtWindowOpener&) = delete;
  QtWindowOpener& operator=(const QtWindowOpener&) = delete;

  // The window the offsets are measured from.
  void SetAnchor(QWidget* anchor) { anchor_ = anchor; }
  // How to make a window; the window deletes itself when closed.
  void Register(ToolWindow window, Factory factory);

  void Open(ToolWindow window, Twips offset) override;

  // The window if it is open.
  QWidget* Find(ToolWindow window) const;

 private:
  QPointer<QWidget> anchor_;
  std::map<ToolWindow, Factory> factories_;
  std::map<ToolWindow, QPointer<QWidget>> open_;
};

// Registers the help window and the About box.
void RegisterFixedWindows(QtWindowOpener& opener);

}  // namespace toluvek
