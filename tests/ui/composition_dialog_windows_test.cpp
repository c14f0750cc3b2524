// The "mol Vol." heading opens the chooser, whose buttons open the air and total dialogs beside
// it and close it; the dialogs' field, Enter and "OK" reach their model, which rewrites the main
// window's fields. The models are tested in tests/main/composition_dialog_models_test.cpp.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "ui/composition_dialog_windows.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class CompositionDialogWindowsTest : public QObject {
  Q_OBJECT

 private:
  // The program's windows, with the Qt services; nothing here shows a message.
  struct Program : WholeProgram {
    QWidget* Open(ToolWindow kind) { return services.windows.Find(kind); }
    QString Field(const char* name) {
      return window.findChild<QLineEdit*>(QString::fromUtf8(name))->text();
    }
  };

  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // The chooser, opened by a left press on "mol Vol.".
  QWidget* OpenChooser(Program& p) {
    QTest::mousePress(p.window.findChild<QLabel*>("Label46"), Qt::LeftButton);
    return p.Open(ToolWindow::kCompositionChooser);
  }

 private Q_SLOTS:
  void headingOpensTheChooserWhoseButtonsOpenTheDialogsBesideIt() {
    Program p;
    const TwipScale scale(&p.window);
    struct Case {
      const char* button;
      ToolWindow dialog;
      const char* name;
      const char* caption;
      int down;  // twips below the chooser's top
    };
    const Case cases[] = {{"Command1", ToolWindow::kAirDialog, "Form13", "Air Input", 0},
                          {"Command2", ToolWindow::kTotalDialog, "Form14", "合計Input", 375}};
    for (const Case& c : cases) {
      QPointer<QWidget> chooser = OpenChooser(p);
      QVERIFY(chooser != nullptr && chooser->isVisible());
      QCOMPARE(chooser->objectName(), "Form12");
      QCOMPARE(chooser->windowTitle(), "Input");
      QCOMPARE(chooser->pos(), p.window.pos() + scale.Point(1000, 1000));
      const QRect frame = chooser->frameGeometry();
      QTest::mouseClick(chooser->findChild<QPushButton*>(c.button), Qt::LeftButton);
      Settle();
      QVERIFY(chooser.isNull());
      QWidget* dialog = p.Open(c.dialog);
      QVERIFY(dialog != nullptr && dialog->isVisible());
      QCOMPARE(dialog->objectName(), c.name);
      QCOMPARE(dialog->windowTitle(), QString::fromUtf8(c.caption));
      QCOMPARE(dialog->pos(), QPoint(frame.right() + 1, frame.top() + scale.Y(c.down)));
      auto* field = dialog->findChild<QLineEdit*>("Text1");
      QCOMPARE(field->text(), "0");
      QVERIFY(!field->accessibleName().isEmpty());
      QCOMPARE(dialog->focusWidget(), field);
    }
  }

  // Enter in the air dialog and "OK" in the total dialog reach the main window's fields and
  // close the dialog.
  void enterAndOkRewriteTheMainWindowAndClose() {
    Program p;
    QTest::mouseClick(OpenChooser(p)->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QPointer<QWidget> air = p.Open(ToolWindow::kAirDialog);
    auto* field = air->findChild<QLineEdit*>("Text1");
    field->selectAll();
    QTest::keyClicks(field, "1");
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(p.Field("Text4"), "2.121E+001");
    QCOMPARE(p.Field("Text5"), "7.979E+001");
    Settle();
    QVERIFY(air.isNull());

    QTest::mouseClick(OpenChooser(p)->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QPointer<QWidget> total = p.Open(ToolWindow::kTotalDialog);
    field = total->findChild<QLineEdit*>("Text1");
    field->selectAll();
    QTest::keyClicks(field, "1");
    QTest::mouseClick(total->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(p.Field("Text4"), "2.100E-001");
    QCOMPARE(p.Field("Text3"), "0.000E+000");
    Settle();
    QVERIFY(total.isNull());
  }

  void failureShowsTheMessageAndKeepsTheDialog() {
    FakeMainWindow main;  // every amount empty
    FakePlatform platform;
    QPointer<CompositionDialogWindow> dialog = new CompositionDialogWindow(
        std::make_unique<CompositionDialogModel>(CompositionDialogKind::kTotal, main, platform));
    dialog->show();
    QTest::keyClick(dialog->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    QCOMPARE(platform.shown.size(), 1u);
    QCOMPARE(platform.shown.front().text, std::string("入力値を確認下さい。"));
    Settle();
    QVERIFY(!dialog.isNull() && dialog->isVisible());
    delete dialog.data();
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::CompositionDialogWindowsTest)
#include "composition_dialog_windows_test.moc"
