#pragma once
// Opens the windows the models ask for, each at its offset from the main window's top-left
// corner. A window that is not loaded is made by its factory (its model's opening steps run
// then); a loaded one, shown or hidden, is moved there, shown and brought forward instead of
// being made twice. Windows that have no factory are not opened.

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
  // How to make a window; the window is deleted when closed through its frame or unloaded by
  // its model.
  void Register(ToolWindow window, Factory factory);

  void Open(ToolWindow window, Twips offset) override;

  // The window if it is loaded (shown or hidden).
  QWidget* Find(ToolWindow window) const;
  WindowModel* Loaded(ToolWindow window) override;

 private:
  QPointer<QWidget> anchor_;
  std::map<ToolWindow, Factory> factories_;
  std::map<ToolWindow, QPointer<QWidget>> open_;
};

// Registers the help window and the About box.
void RegisterFixedWindows(QtWindowOpener& opener);

}  // namespace toluvek
