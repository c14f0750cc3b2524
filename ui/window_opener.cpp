#include "ui/window_opener.hpp"

#include "ui/about_window.hpp"
#include "ui/help_window.hpp"
#include "ui/tool_window.hpp"
#include "ui/twips.hpp"

namespace toluvek {

QtWindowOpener::~QtWindowOpener() {
  for (auto& [kind, window] : open_) delete window.data();
}

void QtWindowOpener::Register(ToolWindow window, Factory factory) {
  factories_[window] = std::move(factory);
}

QWidget* QtWindowOpener::Find(ToolWindow window) const {
  const auto found = open_.find(window);
  return found == open_.end() ? nullptr : found->second.data();
}

WindowModel* QtWindowOpener::Loaded(ToolWindow window) {
  auto* tool = dynamic_cast<ToolWindowBase*>(Find(window));
  return tool == nullptr ? nullptr : &tool->window_model();
}

void QtWindowOpener::Open(ToolWindow window, Twips offset) {
  QWidget* widget = Find(window);
  if (widget == nullptr) {
    const auto factory = factories_.find(window);
    if (factory == factories_.end()) return;
    widget = factory->second();
    if (widget == nullptr) return;
    widget->setAttribute(Qt::WA_DeleteOnClose);
    open_[window] = widget;
  }
  if (anchor_ != nullptr) {
    const TwipScale scale(anchor_);
    widget->move(anchor_->pos() + scale.Point(offset.x, offset.y));
  }
  widget->show();
  widget->raise();
  widget->activateWindow();
}

void RegisterFixedWindows(QtWindowOpener& opener) {
  opener.Register(ToolWindow::kHelp, [] { return new HelpWindow; });
  opener.Register(ToolWindow::kAbout, [] { return new AboutWindow; });
}

}  // namespace toluvek
