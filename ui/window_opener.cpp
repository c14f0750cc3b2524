#include "ui/window_opener.hpp"

#include "ui/about_window.hpp"
#include "ui/help_window.hpp"
#include "ui/tool_window.hpp"
#include "ui/twips.hpp"

namespace toluvek {

QtWindowOpener::~QtWindowOpener() {
  for (auto& [kind, windows] : open_) {
    for (QPointer<QWidget>& window : windows) delete window.data();
  }
}

void QtWindowOpener::Register(ToolWindow window, Factory factory, Instances instances) {
  kinds_[window] = {std::move(factory), instances};
}

std::vector<QWidget*> QtWindowOpener::FindAll(ToolWindow window) const {
  std::vector<QWidget*> windows;
  const auto found = open_.find(window);
  if (found == open_.end()) return windows;
  for (const QPointer<QWidget>& widget : found->second) {
    if (!widget.isNull()) windows.push_back(widget.data());
  }
  return windows;
}

QWidget* QtWindowOpener::Find(ToolWindow window) const {
  const std::vector<QWidget*> windows = FindAll(window);
  return windows.empty() ? nullptr : windows.back();
}

void QtWindowOpener::Open(ToolWindow window, Twips offset) {
  const auto kind = kinds_.find(window);
  if (kind == kinds_.end()) return;
  QWidget* widget = kind->second.instances == Instances::kOne ? Find(window) : nullptr;
  const bool reopened = widget != nullptr;
  if (widget == nullptr) {
    widget = kind->second.factory();
    if (widget == nullptr) return;
    widget->setAttribute(Qt::WA_DeleteOnClose);
    std::vector<QPointer<QWidget>>& loaded = open_[window];
    std::erase_if(loaded, [](const QPointer<QWidget>& w) { return w.isNull(); });
    loaded.emplace_back(widget);
  }
  if (anchor_ != nullptr) {
    const TwipScale scale(anchor_);
    widget->move(anchor_->pos() + scale.Point(offset.x, offset.y));
  }
  widget->show();
  widget->raise();
  widget->activateWindow();
  if (auto* tool = dynamic_cast<ToolWindowBase*>(widget); reopened && tool != nullptr) {
    tool->window_model().Reopened();
  }
}

void RegisterFixedWindows(QtWindowOpener& opener) {
  opener.Register(ToolWindow::kHelp, [] { return new HelpWindow; });
  opener.Register(ToolWindow::kAbout, [] { return new AboutWindow; });
}

}  // namespace toluvek
