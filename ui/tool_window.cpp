#include "ui/tool_window.hpp"

#include <QEvent>

#include "ui/translation.hpp"

namespace toluvek {

ToolWindowBase::ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name,
                               const QString& caption, int width_twips, int height_twips,
                               QWidget* parent)
    : ToolWindowBase(
          std::move(model), name, caption,
          Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
          parent) {
  setFixedSize(scale_.Size(width_twips, height_twips));
}

ToolWindowBase::ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name,
                               const QString& caption, QWidget* parent)
    : ToolWindowBase(std::move(model), name, caption, Qt::Window, parent) {}

ToolWindowBase::ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name,
                               const QString& caption, Qt::WindowFlags flags, QWidget* parent)
    : QWidget(parent, flags), model_(std::move(model)), scale_(this) {
  setObjectName(Utf8(name));
  setWindowTitle(Tr(caption));
  binding_ = std::make_unique<ModelBinding>(*model_);
  build_ = std::make_unique<WidgetBuilder>(this, scale_, *binding_);
  request_observer_ = model_->AddRequestObserver([this](WindowRequest request) {
    if (request == WindowRequest::kHide) {
      hide();
    } else {
      // Deleted once the current event is handled: the request may come from inside one of
      // this window's own handlers.
      hide();
      deleteLater();
    }
  });
}

ToolWindowBase::~ToolWindowBase() {
  model_->RemoveRequestObserver(request_observer_);
  // The binding and builder let go of the model before it goes.
  build_.reset();
  binding_.reset();
}

void ToolWindowBase::Finish() {
  binding_->ReflectAll();
}

void ToolWindowBase::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
    Deactivated();
  }
}

}  // namespace toluvek
