#include "ui/widget_builder.hpp"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <string>
#include <utility>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

constexpr const char* kWidestResult = "-0.000E+000";
constexpr double kFieldPoints = 9;          // pt
constexpr double kSmallestFieldPoints = 6;  // pt
constexpr int kFieldChromePixels = 10;      // frame and inner margins of a text field, px

QRect Pixels(const TwipScale& scale, const QRect& twips) {
  return scale.Rect(twips.x(), twips.y(), twips.width(), twips.height());
}

// The mouse and key handlers of the window's controls, in one event filter.
class ControlEvents : public QObject {
 public:
  using Action = WidgetBuilder::Action;
  ControlEvents(QObject* parent, ModelBinding& binding) : QObject(parent), binding_(binding) {}

  void OnClick(QObject* control, Action left, Action right, bool left_on_press) {
    clicks_[control] = {std::move(left), std::move(right)};
    if (left_on_press) left_on_press_[control] = true;
    control->installEventFilter(this);
  }
  void OnEnter(QObject* control, Action enter) {
    enters_[control] = std::move(enter);
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
      const auto found = enters_.find(watched);
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (found != enters_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        binding_.Forward(found->second);
        return true;
      }
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
      const auto found = clicks_.find(watched);
      if (found != clicks_.end()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto& [left, right] = found->second;
        // A left click: pressed and released on the label, or the press alone where the label
        // acts at once; the right button acts on press.
        const bool on_press = left_on_press_.count(watched) > 0;
        const bool left_acts =
            on_press
                ? type == QEvent::MouseButtonPress
                : type == QEvent::MouseButtonRelease &&
                      static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        if (left && mouse->button() == Qt::LeftButton && left_acts) {
          binding_.Forward(left);
        } else if (right && mouse->button() == Qt::RightButton &&
                   type == QEvent::MouseButtonPress) {
          binding_.Forward(right);
        }
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  ModelBinding& binding_;
  std::map<QObject*, std::pair<Action, Action>> clicks_;
  std::map<QObject*, Action> enters_;
  std::map<QObject*, bool> left_on_press_;
};

}  // namespace

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont NumberFont(int field_width) {
  QFont font = QApplication::font();
  font.setFamilies({"DejaVu Sans Mono", "Noto Sans Mono", "IPAGothic", "Noto Sans Mono CJK JP",
                    "VL Gothic", "TakaoGothic", "Monospace"});
  // At most a dozen half-point steps: a font too wide at its smallest size is used anyway.
  for (double points = kFieldPoints; points >= kSmallestFieldPoints; points -= 0.5) {
    font.setPointSizeF(points);
    if (QFontMetrics(font).horizontalAdvance(kWidestResult) + kFieldChromePixels <= field_width) {
      break;
    }
  }
  return font;
}

WidgetBuilder::WidgetBuilder(QWidget* client, const TwipScale& scale, ModelBinding& binding)
    : client_(client), scale_(scale), binding_(binding), number_font_(QApplication::font()) {}

QObject* WidgetBuilder::Events() {
  if (events_ == nullptr) events_ = new ControlEvents(client_, binding_);
  return events_;
}

QLabel* WidgetBuilder::Label(const QString& caption, const QRect& twips, Qt::Alignment alignment,
                             std::string_view name, QWidget* parent) {
  auto* label = new QLabel(TrFitting(caption), parent != nullptr ? parent : client_);
  if (!name.empty()) label->setObjectName(Utf8(name));
  label->setGeometry(Pixels(scale_, twips));
  label->setAlignment(alignment);
  return label;
}

QLabel* WidgetBuilder::ModelLabel(std::string_view name, const QRect& twips,
                                  Qt::Alignment alignment, QWidget* parent) {
  QLabel* label = Label({}, twips, alignment, name, parent);
  binding_.BindLabel(label);
  binding_.BindControl(label, true);
  return label;
}

QLabel* WidgetBuilder::ResultLabel(std::string_view name, const QRect& twips,
                                   Qt::Alignment alignment, const QString& description,
                                   QWidget* parent) {
  QLabel* label = ModelLabel(name, twips, alignment, parent);
  label->setFont(number_font_);
  label->setAccessibleDescription(Tr(description));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* WidgetBuilder::ClickableLabel(QLabel* label, Action left, Action right,
                                      const QString& description, LeftOn left_on) {
  label->setCursor(Qt::PointingHandCursor);
  if (!description.isEmpty()) label->setAccessibleDescription(Tr(description));
  static_cast<ControlEvents*>(Events())->OnClick(label, std::move(left), std::move(right),
                                                 left_on == LeftOn::kPress);
  return label;
}

QLineEdit* WidgetBuilder::Field(std::string_view name, const QRect& twips, Rgb background,
                                const QString& accessible_name, FieldRole role, Action enter) {
  auto* field = new QLineEdit(client_);
  field->setObjectName(Utf8(name));
  field->setGeometry(Pixels(scale_, twips));
  field->setAccessibleName(Tr(accessible_name));
  field->setFont(number_font_);
  if (role == FieldRole::kResult) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
  }
  if (enter) {
    QObject::connect(field, &QLineEdit::returnPressed, client_,
                     [this, enter = std::move(enter)] { binding_.Forward(enter); });
  }
  binding_.BindField(field, background);
  return field;
}

WidgetBuilder::Action WidgetBuilder::FocusingNamed(std::function<std::string_view()> step) const {
  return [client = client_, step = std::move(step)] {
    const std::string_view next = step();
    if (next.empty()) return;
    if (auto* target = client->findChild<QWidget*>(Utf8(next))) target->setFocus();
  };
}

QPushButton* WidgetBuilder::Button(std::string_view name, const QString& caption,
                                   const QRect& twips, Action action, const QString& tooltip) {
  auto* button = new QPushButton(TrFitting(caption), client_);
  button->setObjectName(Utf8(name));
  button->setGeometry(Pixels(scale_, twips));
  button->setAutoDefault(false);
  if (!tooltip.isEmpty()) button->setToolTip(Tr(tooltip));
  QObject::connect(button, &QPushButton::clicked, client_,
                   [this, action = std::move(action)] { binding_.Forward(action); });
  binding_.BindControl(button);
  return button;
}

QGroupBox* WidgetBuilder::Frame(std::string_view name, const QString& caption, const QRect& twips,
                                const QString& accessible_name) {
  auto* frame = new QGroupBox(Tr(caption), client_);
  frame->setObjectName(Utf8(name));
  frame->setAccessibleName(Tr(accessible_name));
  frame->setGeometry(Pixels(scale_, twips));
  return frame;
}

QRadioButton* WidgetBuilder::Option(QWidget* frame, std::string_view name, const QString& caption,
                                    const QRect& twips, Action action, Action enter) {
  auto* option = new QRadioButton(TrFitting(caption), frame);
  option->setObjectName(Utf8(name));
  option->setGeometry(Pixels(scale_, twips));
  QObject::connect(option, &QRadioButton::clicked, client_, [this, action = std::move(action)] {
    binding_.Forward(action);
    // The model decides which option is chosen, also when it refused the click.
    binding_.ReflectAll();
  });
  if (enter) static_cast<ControlEvents*>(Events())->OnEnter(option, std::move(enter));
  binding_.BindOption(option);
  return option;
}

QAction* WidgetBuilder::MenuAction(QWidget* window, QMenu* menu, std::string_view name,
                                   const QString& caption, const QKeySequence& shortcut,
                                   Action action) {
  auto* entry = menu->addAction(Tr(caption));
  entry->setObjectName(Utf8(name));
  if (!shortcut.isEmpty()) entry->setShortcut(shortcut);
  window->addAction(entry);
  QObject::connect(entry, &QAction::triggered, client_,
                   [this, action = std::move(action)] { binding_.Forward(action); });
  binding_.BindAction(entry);
  return entry;
}

void WidgetBuilder::TabOrder(std::initializer_list<std::string_view> names) const {
  TabOrder(std::vector<std::string_view>(names));
}

void WidgetBuilder::TabOrder(const std::vector<std::string_view>& names) const {
  QWidget* previous = nullptr;
  for (const std::string_view name : names) {
    QWidget* widget = client_->findChild<QWidget*>(Utf8(name));
    if (widget == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace toluvek
