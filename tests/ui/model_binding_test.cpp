// The binding of a window model to its widgets: texts, flags and colours shown, typing handed
// back, and no echo of the binding's own writes.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main/window_model.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/model_binding.hpp"

namespace toluvek {
namespace {

// A window whose "Upper" field upper-cases what is typed into it and copies it to "Copy", as a
// window's change handling may rewrite the field being typed into and others.
class EchoModel : public WindowModel {
 public:
  int changes = 0;

 protected:
  void TextChanged(std::string_view control) override {
    ++changes;
    if (control != "Upper") return;
    std::string upper = Text("Upper");
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    SetText("Upper", upper);
    SetText("Copy", upper);
    SetEnabled("Button", upper.empty());
  }
};

}  // namespace

class ModelBindingTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void fieldShowsTextFlagAndColourOfTheModel() {
    EchoModel model;
    QWidget window;
    auto* field = new QLineEdit(&window);
    field->setObjectName("Field");
    ModelBinding binding(model);
    binding.BindField(field, Rgb{255, 255, 192});
    QCOMPARE(field->palette().color(QPalette::Base), QColor(255, 255, 192));

    model.SetText("Field", "a long text written by the program");
    QCOMPARE(field->text(), "a long text written by the program");
    QCOMPARE(field->cursorPosition(), 0);
    model.SetEnabled("Field", false);
    QVERIFY(!field->isEnabled());
    model.SetBackground("Field", Rgb{0, 255, 255});
    QCOMPARE(field->palette().color(QPalette::Base), QColor(0, 255, 255));
  }

  void anActionThatDisablesTheFocusedButtonGivesTheFocusToAnInputField() {
    // With no input field focused before, the first bound one takes it; the read-only field
    // bound first is no input field.
    EchoModel model;
    QWidget window;
    auto* result = new QLineEdit(&window);
    result->setObjectName("Result");
    result->setReadOnly(true);
    auto* first = new QLineEdit(&window);
    first->setObjectName("First");
    auto* button = new QPushButton(&window);
    button->setObjectName("Button");
    auto* next = new QPushButton(&window);
    ModelBinding binding(model);
    binding.BindField(result, kWhite);
    binding.BindField(first, kWhite);
    binding.BindControl(button);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    binding.Forward([&] { model.SetEnabled("Button", false); });
    QCOMPARE(window.focusWidget(), first);
    // A focused control that stays enabled keeps the focus.
    next->setFocus();
    binding.Forward([&] { model.SetEnabled("Button", true); });
    QCOMPARE(window.focusWidget(), next);
  }

  void typingGoesThroughTheModelsChangeHandlingOnce() {
    EchoModel model;
    QWidget window;
    auto* upper = new QLineEdit(&window);
    upper->setObjectName("Upper");
    auto* copy = new QLineEdit(&window);
    copy->setObjectName("Copy");
    auto* button = new QPushButton(&window);
    button->setObjectName("Button");
    ModelBinding binding(model);
    binding.BindField(upper, kWhite);
    binding.BindField(copy, kWhite);
    binding.BindControl(button);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    upper->setFocus();

    QTest::keyClicks(upper, "ab");
    QCOMPARE(upper->text(), "AB");
    QCOMPARE(copy->text(), "AB");
    QCOMPARE(model.Text("Upper"), "AB");
    QVERIFY(!button->isEnabled());
    // Per key: the typed text, its upper-cased rewrite, the copy; nothing echoed back.
    QCOMPARE(model.changes, 6);
  }

  void labelsAndActionsFollowTheModel() {
    EchoModel model;
    QWidget window;
    auto* label = new QLabel(&window);
    label->setObjectName("Caption");
    auto* action = new QAction(&window);
    action->setObjectName("Menu");
    auto* hidden = new QPushButton(&window);
    hidden->setObjectName("Hidden");
    ModelBinding binding(model);
    binding.BindLabel(label);
    binding.BindAction(action);
    binding.BindControl(hidden, true);

    model.SetText("Caption", "12.5 W");
    QCOMPARE(label->text(), "12.5 W");
    model.SetVisible("Menu", false);
    QVERIFY(!action->isVisible());
    model.SetVisible("Hidden", false);
    QVERIFY(hidden->isHidden());
    model.SetEnabled("Menu", false);
    QVERIFY(!action->isEnabled());
  }

  void actionsForwardedWhileReflectingAreDropped() {
    EchoModel model;
    QWidget window;
    auto* copy = new QLineEdit(&window);
    copy->setObjectName("Copy");
    ModelBinding binding(model);
    binding.BindField(copy, kWhite);
    int runs = 0;
    int refreshes = 0;
    binding.AddRefresh([&] {
      ++refreshes;
      // A view written during reflection must not act as if the user did it.
      binding.Forward([&] { ++runs; });
    });
    binding.Forward([&] { model.SetText("Copy", "x"); });
    QCOMPARE(runs, 0);
    QVERIFY(refreshes >= 2);
    QCOMPARE(copy->text(), "x");
  }

  void aChangeOfAControlWithoutWidgetIsWarnedAboutAndPassedOver() {
    EchoModel model;
    QWidget window;
    auto* field = new QLineEdit(&window);
    field->setObjectName("Field");
    ModelBinding binding(model);
    binding.BindField(field, kWhite);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QString("^%1 \"Feild\"$").arg(kUnboundControlWarning)));
    model.SetText("Feild", "misspelt");
    model.SetText("Field", "still shown");
    QCOMPARE(field->text(), "still shown");
  }

  void bindingLetsGoOfTheModelWhenDestroyed() {
    EchoModel model;
    {
      QWidget window;
      auto* field = new QLineEdit(&window);
      field->setObjectName("Field");
      ModelBinding binding(model);
      binding.BindField(field, kWhite);
    }
    QVERIFY(!model.observed());
    model.SetText("Field", "after");
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::ModelBindingTest)
#include "model_binding_test.moc"
