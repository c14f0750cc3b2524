#pragma once
// Builds a window's widgets from its layout table: geometry in twips, each control named as the
// model names it and bound to the model, user actions forwarded through the binding. A window
// class is then mostly a table of controls and the commands they run. Every caption, tooltip
// and spoken name is given in Japanese and shown in the language of the run (Tr()).

#include <QFont>
#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "main/window_model.hpp"
#include "ui/model_binding.hpp"
#include "ui/twips.hpp"

class QAction;
class QGroupBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

namespace toluvek {

QString Utf8(std::string_view text);

// The font of the fields that show numbers: an outline monospace font (the Japanese gothics
// draw embedded bitmaps at small sizes, whose full stop reads as a comma), as large as lets the
// widest result fit a field `field_width` pixels wide.
QFont NumberFont(int field_width);

// How a field takes part in the window.
enum class FieldRole {
  kInput,   // typed into, on the Tab path
  kResult,  // written by the program; selectable with the mouse, not on the Tab path
};

class WidgetBuilder {
 public:
  using Action = std::function<void()>;

  // Builds on `client` at `scale`, binding every control to `binding`.
  WidgetBuilder(QWidget* client, const TwipScale& scale, ModelBinding& binding);

  // The font of text fields and result labels.
  void SetNumberFont(const QFont& font) { number_font_ = font; }
  const QFont& number_font() const { return number_font_; }
  const TwipScale& scale() const { return scale_; }
  ModelBinding& binding() { return binding_; }

  // A fixed label with its caption; named when `name` is given.
  QLabel* Label(const QString& caption, const QRect& twips, Qt::Alignment alignment,
                std::string_view name = {}, QWidget* parent = nullptr);
  // A label whose caption and visibility the model writes.
  QLabel* ModelLabel(std::string_view name, const QRect& twips, Qt::Alignment alignment,
                     QWidget* parent = nullptr);
  // A label that shows a result the model writes: in the number font, selectable with the mouse
  // for copying, and described by `description` for a screen reader, which still speaks its
  // text as its name.
  QLabel* ResultLabel(std::string_view name, const QRect& twips, Qt::Alignment alignment,
                      const QString& description, QWidget* parent = nullptr);
  // When a label's left button acts: at the press, or at a click (pressed and released on it).
  enum class LeftOn { kClick, kPress };
  // A label that runs `left` for the left button and `right` when pressed with the right one;
  // a pointing-hand cursor shows that it acts.
  QLabel* ClickableLabel(QLabel* label, Action left, Action right = {},
                         const QString& description = {}, LeftOn left_on = LeftOn::kClick);
  // A text field: the model's text, background (`background` when the model names none),
  // enabled flag; Enter runs `enter`.
  QLineEdit* Field(std::string_view name, const QRect& twips, Rgb background,
                   const QString& accessible_name, FieldRole role, Action enter = {});
  // Enter in the field `control`: the model's EnterPressed, then the focus moves to the control
  // it names (it stays where the model names none).
  template <typename Model>
  Action EnterMovesFocus(Model& model, std::string_view control) {
    return FocusingNamed(
        [&model, control = std::string(control)] { return model.EnterPressed(control); });
  }
  QPushButton* Button(std::string_view name, const QString& caption, const QRect& twips,
                      Action action, const QString& tooltip = {});
  // A frame of option buttons.
  QGroupBox* Frame(std::string_view name, const QString& caption, const QRect& twips,
                   const QString& accessible_name);
  // An option button in `frame`, shown chosen as the model says; a click runs `action`, Enter
  // on it runs `enter`.
  QRadioButton* Option(QWidget* frame, std::string_view name, const QString& caption,
                       const QRect& twips, Action action, Action enter = {});
  // A menu entry whose shortcut also acts while its menu is hidden (added to `window`).
  QAction* MenuAction(QWidget* window, QMenu* menu, std::string_view name, const QString& caption,
                      const QKeySequence& shortcut, Action action);

  // Tab order along the named controls.
  void TabOrder(std::initializer_list<std::string_view> names) const;
  void TabOrder(const std::vector<std::string_view>& names) const;

 private:
  QObject* Events();
  // Runs `step`, then gives the focus to the control whose name it returned, if any.
  Action FocusingNamed(std::function<std::string_view()> step) const;

  QWidget* client_;
  TwipScale scale_;
  ModelBinding& binding_;
  QFont number_font_;
  QObject* events_ = nullptr;
};

}  // namespace toluvek
