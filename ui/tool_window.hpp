#pragma once
// The Qt side of every tool window: a modeless window that owns its model, the binding and the
// widget builder, and follows the model's lifecycle requests (hide and keep the contents, or
// unload). The window opener keeps it while it is loaded; reopening shows it as it was.
// The program's forms have a fixed client area in twips; a window whose layout sizes it (the
// property chart) can be resized and maximised as any other desktop window.

#include <QWidget>
#include <memory>
#include <string_view>

#include "main/window_model.hpp"
#include "ui/model_binding.hpp"
#include "ui/twips.hpp"
#include "ui/widget_builder.hpp"

namespace toluvek {

class ToolWindowBase : public QWidget {
 public:
  // `name` is the window's control name ("Form7"); the client area is `width` × `height` twips.
  ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name, const QString& caption,
                 int width_twips, int height_twips, QWidget* parent = nullptr);
  // A resizable window, sized by the layout the subclass gives it.
  ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name, const QString& caption,
                 QWidget* parent = nullptr);
  ~ToolWindowBase() override;

  WindowModel& window_model() { return *model_; }

 protected:
  WidgetBuilder& build() { return *build_; }
  ModelBinding& binding() { return *binding_; }
  const TwipScale& scale() const { return scale_; }
  // Call at the end of the subclass's constructor: shows every control as the model has it.
  void Finish();
  // The window has lost the focus to another window (a pop-up that closes then forwards this
  // to its model's command).
  virtual void Deactivated() {}
  void changeEvent(QEvent* event) override;

 private:
  ToolWindowBase(std::unique_ptr<WindowModel> model, std::string_view name, const QString& caption,
                 Qt::WindowFlags flags, QWidget* parent);

  std::unique_ptr<WindowModel> model_;
  TwipScale scale_;
  std::unique_ptr<ModelBinding> binding_;
  std::unique_ptr<WidgetBuilder> build_;
  int request_observer_ = 0;
};

// The model of a tool window, typed.
template <typename Model>
class ToolWindowOf : public ToolWindowBase {
 public:
  ToolWindowOf(std::unique_ptr<Model> model, std::string_view name, const QString& caption,
               int width_twips, int height_twips, QWidget* parent = nullptr)
      : ToolWindowBase(std::unique_ptr<WindowModel>(model.release()), name, caption, width_twips,
                       height_twips, parent) {}
  ToolWindowOf(std::unique_ptr<Model> model, std::string_view name, const QString& caption,
               QWidget* parent = nullptr)
      : ToolWindowBase(std::unique_ptr<WindowModel>(model.release()), name, caption, parent) {}
  Model& model() { return static_cast<Model&>(window_model()); }
};

}  // namespace toluvek
