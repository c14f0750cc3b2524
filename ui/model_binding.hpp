#pragma once
// Binds a window model to its widgets. The model owns every text, flag and colour; the widgets
// show them and hand the user's typing back. Reflecting the model into the widgets is the one
// place where widget signals are suppressed, so a change never echoes back into the model.

#include <QColor>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "main/window_model.hpp"

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QWidget;

namespace toluvek {

// How a warning begins that a model changed a control the window has no widget for.
inline constexpr const char* kUnboundControlWarning = "ModelBinding: no widget for control";

QColor ToQColor(Rgb colour);
// Black or white, whichever reads better on `background`.
QColor TextColourOn(const QColor& background);

class ModelBinding {
 public:
  explicit ModelBinding(WindowModel& model);
  ~ModelBinding();
  ModelBinding(const ModelBinding&) = delete;
  ModelBinding& operator=(const ModelBinding&) = delete;

  // A text field named as its control: shows the model's text, enabled flag and background
  // (`background` when the model names none); what the user types is written to the model.
  void BindField(QLineEdit* field, Rgb background);
  // A label whose caption the model writes.
  void BindLabel(QLabel* label);
  // A button, label or frame: its enabled flag, and its visibility when `visibility` is set.
  void BindControl(QWidget* control, bool visibility = false);
  // A menu entry: its enabled flag and visibility.
  void BindAction(QAction* action);
  // An option button: whether it is shown chosen, its enabled flag and visibility.
  void BindOption(QAbstractButton* option);
  // A view of state the model keeps outside its controls (the unit options): refreshed after
  // every change and every forwarded action.
  void AddRefresh(std::function<void()> refresh);

  // Runs a user's action against the model and refreshes the views afterwards. Does nothing
  // while the model is being reflected: that is the binding writing the widgets, not the user.
  // When the action disabled the control that had the focus, the focus goes back to the input
  // field that had it last (the first input field bound, when none had): Qt would pass it on
  // to the next control in the tab order, where a Space or Enter could run another command.
  void Forward(const std::function<void()>& action);
  bool reflecting() const { return reflecting_ > 0; }

  // Shows every bound control as the model has it.
  void ReflectAll();

 private:
  struct Bound {
    QPointer<QLineEdit> field;
    QPointer<QLabel> label;
    QPointer<QWidget> control;
    QPointer<QAction> action;
    QPointer<QAbstractButton> option;
    Rgb background;
    bool visibility = false;
  };

  void Reflect(std::string_view control);
  void Show(const std::string& name, const Bound& bound);
  void RunRefreshes();
  Bound& Add(QObject* object);

  void RestoreFocus(QWidget* had_focus);
  // Remembers the editable field that takes the focus.
  class FocusWatcher;

  WindowModel& model_;
  std::map<std::string, Bound, std::less<>> bound_;
  std::unique_ptr<FocusWatcher> focus_watcher_;
  QPointer<QLineEdit> first_input_;
  QPointer<QLineEdit> last_input_;
  std::vector<std::function<void()>> refreshes_;
  int reflecting_ = 0;
  int observer_ = 0;
};

}  // namespace toluvek
