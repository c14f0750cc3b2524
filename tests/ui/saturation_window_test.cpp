// The dew-point pop-up on a real main window: the H2O label opens it beside the main window
// with its two labels, and it goes away when another window takes the focus, leaving the
// water fraction aqua. Its model is tested in tests/tools/saturation_window_model_test.cpp.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "main/main_window_model.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "ui/main_window.hpp"
#include "ui/saturation_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class SaturationWindowTest : public QObject {
  Q_OBJECT

 private:
  static QColor BaseOf(const QWidget* field) { return field->palette().color(QPalette::Base); }

 private Q_SLOTS:
  void moistureLabelOpensThePopUpAndFocusLossClosesIt() {
    WholeProgram program(QPoint(40, 30));
    QtServices& services = program.services;
    MainWindowModel& model = program.model;
    MainWindow& main_window = program.window;
    QVERIFY(QTest::qWaitForWindowExposed(&main_window));
    model.SetText("Text8", "5");

    QTest::mouseClick(main_window.findChild<QLabel*>("Label10"), Qt::LeftButton);
    QPointer<QWidget> popup = services.windows.Find(ToolWindow::kSaturation);
    QVERIFY(popup != nullptr);
    QCOMPARE(popup->objectName(), "Form5");
    QCOMPARE(popup->windowTitle(), "飽和温度");
    QCOMPARE(popup->pos(), main_window.pos() + TwipScale(&main_window).Point(3200, 0));
    QCOMPARE(popup->findChild<QLabel*>("Label1")->text(), "36.2mmHg →");
    QCOMPARE(popup->findChild<QLabel*>("Label2")->text(), "32.2℃");
    QCOMPARE(popup->findChild<QLabel*>("Label2")->accessibleDescription(), "飽和温度");
    QLineEdit* water = main_window.findChild<QLineEdit*>("Text17");
    QCOMPARE(BaseOf(water), QColor(255, 192, 255));
    // Opened active, so that it has the focus to lose.
    QVERIFY(QTest::qWaitForWindowActive(popup));

    main_window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main_window));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(popup.isNull());
    QCOMPARE(services.windows.Find(ToolWindow::kSaturation), nullptr);
    QCOMPARE(BaseOf(water), QColor(0, 255, 255));

    // "Tsat(&R)" opens it afresh.
    QTest::keyClick(water, Qt::Key_R, Qt::ControlModifier);
    popup = services.windows.Find(ToolWindow::kSaturation);
    QVERIFY(popup != nullptr);
    QCOMPARE(BaseOf(water), QColor(255, 192, 255));
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::SaturationWindowTest)
#include "saturation_window_test.moc"
