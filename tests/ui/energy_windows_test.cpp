// The enthalpy window and the water enthalpy window show their models and hand clicks, Enter,
// typing and leaving a field to them; the main window's "Enthalpy" and Tool menu entry open
// them through the opener. The models' behaviour is tested in tests/tools/.

#include <QAction>
#include <QApplication>
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
#include "ui/enthalpy_window.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"
#include "ui/water_window.hpp"

namespace toluvek {

template <typename T = QLineEdit>
T* Find(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromUtf8(name));
  if (found == nullptr) qFatal("no control named %s", name);
  return found;
}

QColor BaseColour(QWidget* field) {
  return field->palette().color(QPalette::Base);
}

class EnthalpyWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeMainWindow main_;
  FakePlatform platform_;
  QPointer<EnthalpyWindow> window_;

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    return toluvek::Find<T>(window_, name);
  }

 private Q_SLOTS:
  void init() {
    // Methane with water and methanol as the main window shows it after its calculation.
    const SpeciesTexts moles = {"0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000",
                                "0.000E+000", "2.500E-001", "2.500E-001", "5.000E-001",
                                "0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000"};
    main_.fields.clear();
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      main_.fields[std::string(form1::kAmount[i])] = i == kCH4              ? "2"
                                                     : moles[i] == moles[0] ? "0"
                                                                            : "1";
      main_.fields[std::string(form1::kMoleFraction[i])] = moles[i];
      main_.fields[std::string(form1::kMassFraction[i])] = moles[i];
    }
    main_.fields[std::string(form1::kMolarMass)] = "2.052E+001";
    platform_ = FakePlatform{};
    window_ = new EnthalpyWindow(
        std::make_unique<EnthalpyWindowModel>(main_, platform_, platform_, platform_));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_.data(); }

  void controlsCarryTheirNamesCaptionsAndSpokenNames() {
    QCOMPARE(window_->objectName(), "Form3");
    QCOMPARE(window_->windowTitle(), "Enthalpy");
    QCOMPARE(Find<QRadioButton>("Option3")->text(), "kg/s");
    QVERIFY(Find<QRadioButton>("Option1")->isChecked());
    QCOMPARE(Find<QPushButton>("Command2")->text(), "計算");
    QCOMPARE(Find<QPushButton>("Command1")->text(), "閉");
    QCOMPARE(Find<QPushButton>("Command3")->text(), "計算機");
    QCOMPARE(Find("Text1")->accessibleName(), "流量");
    QCOMPARE(Find("Text9")->accessibleName(), "H2O 流量");
    QCOMPARE(Find("Text9")->text(), "2.5000E-001");
    QCOMPARE(Find<QLabel>("Label8")->text(), "H2O");
    QCOMPARE(Find<QLabel>("Label17")->text(), "Nl/min");
    for (const char* hidden : {"Label18", "Label20", "Label21", "Label22", "Label23"}) {
      QVERIFY2(Find<QLabel>(hidden)->isHidden(), hidden);
    }
    QCOMPARE(window_->focusWidget(), Find("Text1"));
  }

  void enterMovesAndCalculatesShowingTheOutputs() {
    QTest::keyClick(Find("Text1"), Qt::Key_Return);
    QCOMPARE(window_->focusWidget(), Find("Text2"));
    QTest::keyClick(Find("Text2"), Qt::Key_Return);
    QCOMPARE(window_->focusWidget(), Find("Text3"));
    Find("Text3")->selectAll();
    QTest::keyClicks(Find("Text3"), "125");
    QTest::keyClick(Find("Text3"), Qt::Key_Return);
    QVERIFY(!Find("Text16")->text().isEmpty());
    QCOMPARE(BaseColour(Find("Text16")), QColor(0, 255, 255));
    QVERIFY(!Find<QPushButton>("Command2")->isEnabled());
    QCOMPARE(Find<QLabel>("Label20")->text(), "LHV");
    for (const char* shown : {"Label18", "Label20", "Label22", "Label23", "Label26", "Label27"}) {
      QVERIFY2(!Find<QLabel>(shown)->isHidden(), shown);
    }
    QVERIFY(Find<QLabel>("Label26")->text().startsWith('('));
    // Every value shown can be selected with the mouse, to copy it.
    for (const char* value : {"Label22", "Label23", "Label26", "Label27"}) {
      QVERIFY2(Find<QLabel>(value)->textInteractionFlags() & Qt::TextSelectableByMouse, value);
    }
    // Typing makes the result stale again.
    QTest::keyClicks(Find("Text2"), "0");
    QCOMPARE(BaseColour(Find("Text16")), QColor(Qt::white));
    QVERIFY(Find<QPushButton>("Command2")->isEnabled());
    QVERIFY(platform_.shown.empty());
  }

  void calculateButtonAndUnitOptionsCalculate() {
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(Find("Text16")->text(), "0.0000E+000");
    QCOMPARE(Find<QLabel>("Label15")->text(), " W");
    QTest::mouseClick(Find<QRadioButton>("Option3"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option3")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option1")->isChecked());
    QCOMPARE(Find<QLabel>("Label17")->text(), "kg/s");
  }

  void leavingTheFlowFieldRefillsTheSpeciesFlows() {
    Find("Text1")->selectAll();
    QTest::keyClicks(Find("Text1"), "4");
    QCOMPARE(Find("Text9")->text(), "2.5000E-001");
    QTest::keyClick(Find("Text1"), Qt::Key_Tab);
    QVERIFY(window_->focusWidget() != Find("Text1"));
    QCOMPARE(Find("Text9")->text(), "1.0000E+000");
  }

  void waterLabelOpensTheWaterWindow() {
    QTest::mouseClick(Find<QLabel>("Label8"), Qt::LeftButton);
    QCOMPARE(platform_.opened.size(), 1u);
    QCOMPARE(platform_.opened[0].window, ToolWindow::kWaterEnthalpy);
    QCOMPARE(platform_.opened[0].offset, (Twips{4845, 300}));  // from the main window
  }

  void calculatorFailureIsShownThroughTheMessageService() {
    platform_.calculator_found = false;
    QTest::mouseClick(Find<QPushButton>("Command3"), Qt::LeftButton);
    QCOMPARE(platform_.calculator_launches, 1);
    QCOMPARE(platform_.shown.size(), 1u);
    QVERIFY(platform_.shown[0] ==
            (Message{"ファイルが見つかりません。", "Toluvek", MessageIcon::kNone}));
    platform_.calculator_found = true;
    QTest::mouseClick(Find<QPushButton>("Command3"), Qt::LeftButton);
    QCOMPARE(platform_.calculator_launches, 2);
    QCOMPARE(platform_.shown.size(), 1u);
  }

  void calculatorLauncherSaysWhenNoneIsOnThePath() {
    QtCalculatorLauncher launcher({"toluvek-no-such-calculator"});
    QVERIFY(!launcher.Launch());
  }

  void closeHidesAndKeepsTheWindow() {
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(window_->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window_.isNull());
  }

  void failedCalculationUnloads() {
    Find("Text3")->selectAll();
    QTest::keyClick(Find("Text3"), Qt::Key_Backspace);
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(platform_.shown.size(), 1u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window_.isNull());
  }
};

class WaterWindowTest : public QObject {
  Q_OBJECT

 private:
  FakePlatform platform_;
  QPointer<WaterWindow> window_;

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    return toluvek::Find<T>(window_, name);
  }

 private Q_SLOTS:
  void init() {
    platform_ = FakePlatform{};
    window_ = new WaterWindow(std::make_unique<WaterWindowModel>(platform_));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_.data(); }

  void controlsCarryTheirNamesAndInitialTexts() {
    QCOMPARE(window_->objectName(), "Form4");
    QCOMPARE(window_->windowTitle(), "Enthalpy of Water");
    QVERIFY(Find<QRadioButton>("Option4")->isChecked());
    QCOMPARE(Find<QRadioButton>("Option5")->text(), "気");
    QCOMPARE(Find<QLabel>("Label5")->text(), "W");
    QVERIFY(!Find("Text3")->accessibleName().isEmpty());
    QCOMPARE(window_->focusWidget(), Find("Text1"));
  }

  void enterMovesThenCalculatesInBlue() {
    QTest::keyClick(Find("Text1"), Qt::Key_Return);
    QCOMPARE(window_->focusWidget(), Find("Text2"));
    QTest::keyClick(Find("Text2"), Qt::Key_Return);
    QCOMPARE(window_->focusWidget(), Find("Text3"));
    Find("Text3")->selectAll();
    QTest::keyClicks(Find("Text3"), "75");
    QTest::keyClick(Find("Text3"), Qt::Key_Return);
    auto* heat = Find<QLabel>("Label4");
    QCOMPARE(heat->text(), "3.4854E+002");
    QVERIFY(!heat->isHidden());
    QCOMPARE(heat->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(!Find<QPushButton>("Command2")->isEnabled());

    QTest::keyClicks(Find("Text1"), "0");
    QVERIFY(heat->isHidden());
    QVERIFY(Find<QPushButton>("Command2")->isEnabled());
  }

  void optionsAndTheButtonCalculate() {
    QTest::mouseClick(Find<QRadioButton>("Option5"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option5")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option4")->isChecked());
    QCOMPARE(Find<QLabel>("Label5")->text(), "kW");
    QVERIFY(!Find<QLabel>("Label4")->isHidden());
    QTest::keyClicks(Find("Text2"), "x");
    QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(platform_.shown.size(), 1u);
    QCOMPARE(platform_.shown[0].text, std::string("入力値を確認下さい。"));
  }

  void closeUnloads() {
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window_.isNull());
  }

  void mainWindowOpensBothWindowsBesideIt() {
    WholeProgram program(QPoint(200, 30));
    QtServices& services = program.services;
    MainWindow& main_window = program.window;
    const TwipScale scale(&main_window);

    QTest::mouseClick(main_window.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    QWidget* enthalpy = services.windows.Find(ToolWindow::kEnthalpy);
    QVERIFY(enthalpy != nullptr && enthalpy->isVisible());
    QCOMPARE(enthalpy->pos(), main_window.pos() + scale.Point(-1500, 300));
    QCOMPARE(toluvek::Find(enthalpy, "Text5")->text(), "2.1000E-001");  // O2 of the defaults
    // Close, then "Enthalpy" again: the same window with Calculate enabled.
    QTest::mouseClick(toluvek::Find<QPushButton>(enthalpy, "Command2"), Qt::LeftButton);
    QVERIFY(!toluvek::Find<QPushButton>(enthalpy, "Command2")->isEnabled());
    QTest::mouseClick(toluvek::Find<QPushButton>(enthalpy, "Command1"), Qt::LeftButton);
    QVERIFY(enthalpy->isHidden());
    QTest::mouseClick(main_window.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    QCOMPARE(services.windows.Find(ToolWindow::kEnthalpy), enthalpy);
    QVERIFY(enthalpy->isVisible());
    QVERIFY(toluvek::Find<QPushButton>(enthalpy, "Command2")->isEnabled());

    main_window.findChild<QAction*>("ewater")->trigger();
    QWidget* water = services.windows.Find(ToolWindow::kWaterEnthalpy);
    QVERIFY(water != nullptr && water->isVisible());
    QCOMPARE(water->pos(), main_window.pos() + scale.Point(4845, 300));
    QVERIFY(enthalpy->isVisible());  // neither blocks the other
  }
};

}  // namespace toluvek

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  toluvek::EnthalpyWindowTest enthalpy;
  toluvek::WaterWindowTest water;
  return toluvek::RunUiTests({&enthalpy, &water}, argc, argv);
}
#include "energy_windows_test.moc"
