// The duct flow window shows its model and hands clicks, Enter and typing to it; "Re" in the
// main window opens it through the opener. The model's behaviour is tested in
// tests/tools/duct_window_model_test.cpp.

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "ui/duct_window.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class DuctWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeMainWindow main_;
  FakePlatform platform_;
  QPointer<DuctWindow> window_;

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  void ClickLabel(const char* name) { QTest::mouseClick(Find<QLabel>(name), Qt::LeftButton); }

 private Q_SLOTS:
  void init() {
    main_.fields = {{"Text1", "1.01325E+005"}, {"Text2", "0"},           {"Text49", "1.293E+000"},
                    {"Text53", "1.333E-005"},  {"Text51", "2.420E-002"}, {"Text55", "7.150E-001"}};
    platform_ = FakePlatform{};
    window_ = new DuctWindow(std::make_unique<DuctWindowModel>(main_, platform_));
    window_->show();
  }
  void cleanup() { delete window_.data(); }

  void controlsCarryTheirNamesAndTheFieldsTheirSpokenNames() {
    QCOMPARE(window_->objectName(), "Form7");
    QCOMPARE(window_->windowTitle(), "Flow Property");
    QCOMPARE(Find("Text1")->accessibleName(), "流量");
    QVERIFY(!Find("Text2")->accessibleName().isEmpty());
    for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Option5"}) {
      QVERIFY(Find<QRadioButton>(name) != nullptr);
    }
    QCOMPARE(Find<QPushButton>("Command1")->text(), "計　　算");
    QCOMPARE(Find<QPushButton>("Command2")->text(), "閉");
    // A value label keeps its number readable and is described by its row.
    QCOMPARE(Find<QLabel>("Label11")->accessibleDescription(), "流路断面積 [m2]");
    QCOMPARE(window_->focusWidget(), Find("Text1"));
  }

  void calculateButtonAndEnterPublishTheValues() {
    QTest::keyClicks(Find("Text1"), "1");
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(Label("Label11"), "7.8540E-005");
    QCOMPARE(Label("Label22"), "2.7438E-001");
    QVERIFY(!Find<QPushButton>("Command1")->isEnabled());
    QTest::keyClicks(Find("Text1"), "0");  // "10"
    QVERIFY(Find<QPushButton>("Command1")->isEnabled());
    QTest::keyClick(Find("Text1"), Qt::Key_Return);
    QCOMPARE(Label("Label15"), "2.1221E+000");
    QVERIFY(platform_.shown.empty());
  }

  void shapeOptionsShowTheirCaptionsAndEnterOnOneCalculates() {
    QVERIFY(Find("Text3")->isHidden());
    QTest::mouseClick(Find<QRadioButton>("Option4"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option4")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option3")->isChecked());
    QCOMPARE(Label("Label2"), "外径");
    QCOMPARE(Label("Label4"), "内径");
    QVERIFY(!Find("Text3")->isHidden());
    QVERIFY(!Find<QLabel>("Label5")->isHidden());
    QVERIFY(Label("Label11").isEmpty());  // a shape choice does not calculate
    QTest::keyClick(Find<QRadioButton>("Option4"), Qt::Key_Return);
    QCOMPARE(Label("Label11"), "7.8540E-005");  // 0.01 outer, 0 inner
  }

  void flowUnitOptionCalculates() {
    QTest::keyClicks(Find("Text1"), "1");
    QTest::mouseClick(Find<QRadioButton>("Option2"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option2")->isChecked());
    QCOMPARE(Label("Label15"), "9.8472E+003");  // 1 kg/s at 1.293 kg/m³, not 1 Nl/min
  }

  void unitLabelsSwitchOnAClick() {
    QTest::mouseClick(Find<QRadioButton>("Option5"), Qt::LeftButton);
    ClickLabel("Label3");
    QCOMPARE(Label("Label3"), "mm");
    QCOMPARE(Label("Label5"), "mm");
    QCOMPARE(Find("Text2")->text(), "10");
    ClickLabel("Label5");
    QCOMPARE(Label("Label3"), "m");
    QCOMPARE(Find("Text2")->text(), "10");
  }

  void failedUnitSwitchShowsTheMessageThroughTheService() {
    Find("Text2")->clear();
    QTest::keyClicks(Find("Text2"), "x");
    ClickLabel("Label3");
    QCOMPARE(platform_.shown.size(), 1u);
    QCOMPARE(platform_.shown.front().text, std::string("入力値を確認下さい。"));
    QCOMPARE(Find("Text2")->text(), "x");
  }

  void closeUnloadsTheWindow() {
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(window_->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window_.isNull());
  }

  void reInTheMainWindowOpensItBesideTheMainWindow() {
    WholeProgram program(QPoint(40, 30));
    QtServices& services = program.services;
    MainWindow& main_window = program.window;
    QTest::mouseClick(main_window.findChild<QPushButton*>("Command8"), Qt::LeftButton);
    QWidget* duct = services.windows.Find(ToolWindow::kDuctFlow);
    QVERIFY(duct != nullptr);
    QVERIFY(duct->isVisible());
    QCOMPARE(duct->objectName(), "Form7");
    QCOMPARE(duct->pos(), main_window.pos() + TwipScale(&main_window).Point(3100, 1200));
    // The duct reads the main window's fresh results.
    auto* flow = duct->findChild<QLineEdit*>("Text1");
    QTest::keyClicks(flow, "1");
    QTest::keyClick(flow, Qt::Key_Return);
    QCOMPARE(duct->findChild<QLabel*>("Label11")->text(), "7.8540E-005");
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::DuctWindowTest)
#include "duct_window_test.moc"
