#include "ui/model_binding.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

// Marks the binding as writing the widgets for the lifetime of one reflection.
class ReflectingScope {
 public:
  explicit ReflectingScope(int& depth) : depth_(depth) { ++depth_; }
  ~ReflectingScope() { --depth_; }
  ReflectingScope(const ReflectingScope&) = delete;
  ReflectingScope& operator=(const ReflectingScope&) = delete;

 private:
  int& depth_;
};

// The field's background, with a text colour that stays readable on it whatever the
// desktop's palette (light text of a dark palette on an aqua field is not).
void SetBase(QWidget* widget, const QColor& colour) {
  if (widget->palette().color(QPalette::Base) == colour) return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  const QColor text = TextColourOn(colour);
  palette.setColor(QPalette::Active, QPalette::Text, text);
  palette.setColor(QPalette::Inactive, QPalette::Text, text);
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   text == Qt::black ? QColor(120, 120, 120) : QColor(170, 170, 170));
  widget->setPalette(palette);
}

}  // namespace

class ModelBinding::FocusWatcher : public QObject {
 public:
  explicit FocusWatcher(QPointer<QLineEdit>& last_input) : last_input_(last_input) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) last_input_ = static_cast<QLineEdit*>(watched);
    return false;
  }

 private:
  QPointer<QLineEdit>& last_input_;
};

QColor TextColourOn(const QColor& background) {
  // Relative luminance by the sRGB weights, on the 0 to 255 scale.
  const double luminance =
      0.2126 * background.red() + 0.7152 * background.green() + 0.0722 * background.blue();
  return luminance >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor ToQColor(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

ModelBinding::ModelBinding(WindowModel& model)
    : model_(model), focus_watcher_(std::make_unique<FocusWatcher>(last_input_)) {
  observer_ = model_.AddObserver([this](std::string_view control) {
    Reflect(control);
    RunRefreshes();
  });
}

ModelBinding::~ModelBinding() {
  model_.RemoveObserver(observer_);
}

ModelBinding::Bound& ModelBinding::Add(QObject* object) {
  return bound_[object->objectName().toStdString()];
}

void ModelBinding::BindField(QLineEdit* field, Rgb background) {
  Bound& bound = Add(field);
  bound.field = field;
  bound.background = background;
  const std::string name = field->objectName().toStdString();
  if (!field->isReadOnly()) {
    if (first_input_ == nullptr) first_input_ = field;
    field->installEventFilter(focus_watcher_.get());
  }
  // textEdited carries the user's typing only; programmatic writes come from the model.
  QObject::connect(field, &QLineEdit::textEdited, field, [this, name](const QString& text) {
    Forward([&] { model_.SetText(name, text.toStdString()); });
  });
  Show(name, bound);
}

void ModelBinding::BindLabel(QLabel* label) {
  Bound& bound = Add(label);
  bound.label = label;
  Show(label->objectName().toStdString(), bound);
}

void ModelBinding::BindControl(QWidget* control, bool visibility) {
  Bound& bound = Add(control);
  bound.control = control;
  bound.visibility = visibility;
  Show(control->objectName().toStdString(), bound);
}

void ModelBinding::BindAction(QAction* action) {
  Bound& bound = Add(action);
  bound.action = action;
  bound.visibility = true;
  Show(action->objectName().toStdString(), bound);
}

void ModelBinding::BindOption(QAbstractButton* option) {
  Bound& bound = Add(option);
  bound.option = option;
  Show(option->objectName().toStdString(), bound);
}

void ModelBinding::AddRefresh(std::function<void()> refresh) {
  refreshes_.push_back(std::move(refresh));
  ReflectingScope scope(reflecting_);
  refreshes_.back()();
}

void ModelBinding::Forward(const std::function<void()>& action) {
  if (reflecting()) return;
  QWidget* window = first_input_ != nullptr ? first_input_->window() : nullptr;
  const QPointer<QWidget> had_focus = window != nullptr ? window->focusWidget() : nullptr;
  action();
  RunRefreshes();
  RestoreFocus(had_focus);
}

void ModelBinding::RestoreFocus(QWidget* had_focus) {
  if (had_focus == nullptr || had_focus->isEnabled()) return;
  QLineEdit* target =
      last_input_ != nullptr && last_input_->isEnabled() ? last_input_.data() : first_input_.data();
  if (target != nullptr && target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
}

void ModelBinding::ReflectAll() {
  for (const auto& [name, bound] : bound_) Show(name, bound);
  RunRefreshes();
}

void ModelBinding::Reflect(std::string_view control) {
  const auto found = bound_.find(control);
  if (found != bound_.end()) {
    Show(found->first, found->second);
    return;
  }
  // A name the window has no widget for is a mistake in the model or the layout table; the
  // program goes on without it, the tests fail on the warning.
  qWarning("%s \"%.*s\"", kUnboundControlWarning, static_cast<int>(control.size()), control.data());
}

void ModelBinding::RunRefreshes() {
  ReflectingScope scope(reflecting_);
  for (const auto& refresh : refreshes_) refresh();
}

void ModelBinding::Show(const std::string& name, const Bound& bound) {
  ReflectingScope scope(reflecting_);
  const bool enabled = model_.Enabled(name);
  if (bound.field != nullptr) {
    const QString text = QString::fromStdString(model_.Text(name));
    // Rewriting an unchanged text would move the cursor of someone typing.
    if (bound.field->text() != text) {
      // Someone typing keeps the cursor where it was; elsewhere a written text shows from its
      // start, as a field does after the program writes it.
      const int cursor = bound.field->hasFocus() ? bound.field->cursorPosition() : 0;
      bound.field->setText(text);
      bound.field->setCursorPosition(cursor);
    }
    bound.field->setEnabled(enabled);
    SetBase(bound.field, ToQColor(model_.Background(name, bound.background)));
  }
  if (bound.label != nullptr) {
    // A caption the model writes is shown in the language of the run; values pass unchanged.
    const QString text = TrFitting(QString::fromStdString(model_.Text(name)));
    if (bound.label->text() != text) bound.label->setText(text);
    bound.label->setEnabled(enabled);
  }
  if (bound.control != nullptr) {
    bound.control->setEnabled(enabled);
    if (bound.visibility) bound.control->setVisible(model_.Visible(name));
  }
  if (bound.option != nullptr) {
    // An exclusive group would refuse to clear the chosen one: the model sets each.
    const bool exclusive = bound.option->autoExclusive();
    bound.option->setAutoExclusive(false);
    bound.option->setChecked(model_.Checked(name));
    bound.option->setAutoExclusive(exclusive);
    bound.option->setEnabled(enabled);
    bound.option->setVisible(model_.Visible(name));
  }
  if (bound.action != nullptr) {
    bound.action->setEnabled(enabled);
    bound.action->setVisible(model_.Visible(name));
  }
}

}  // namespace toluvek
