#pragma once
// Opens the windows the models ask for, each at its offset from the main window's top-left
// corner. A window that is not loaded is made by its factory (its model's opening steps run
// then); a loaded one, shown or hidden, is moved there, shown and brought forward instead of
// being made twice, and its model hears `Reopened` once it is in front. A kind registered for
// many instances (the unit converters) is made anew at every opening, beside those already open.
// Windows that have no factory are not opened.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

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
  // How many windows of a kind may be open at once.
  enum class Instances { kOne, kMany };
  // How to make a window; the window is deleted when closed through its frame or unloaded by
  // its model.
  void Register(ToolWindow window, Factory factory, Instances instances = Instances::kOne);

  void Open(ToolWindow window, Twips offset) override;

  // The window if it is loaded (shown or hidden); of a kind with many, the latest opened.
  QWidget* Find(ToolWindow window) const;
  // Every loaded window of a kind, oldest first.
  std::vector<QWidget*> FindAll(ToolWindow window) const;

 private:
  QPointer<QWidget> anchor_;
  struct Kind {
    Factory factory;
    Instances instances = Instances::kOne;
  };
  std::map<ToolWindow, Kind> kinds_;
  // Loaded windows by kind; a window closed since leaves a null pointer until the next Open.
  std::map<ToolWindow, std::vector<QPointer<QWidget>>> open_;
};

// Registers the help window and the About box.
void RegisterFixedWindows(QtWindowOpener& opener);

}  // namespace toluvek
