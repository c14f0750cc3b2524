// The mixing window shows its model and hands typing, Enter and the four buttons to it;
// "Mixing(&M)" in the main window opens it, and again moves it back. The model's behaviour is
// tested in tests/tools/mixing_window_model_test.cpp.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "ui/main_window.hpp"
#include "ui/mixing_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class MixingWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeMainWindow main_;
  FakePlatform platform_;
  QPointer<MixingWindow> window_;

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  void Type(const char* name, const char* text) {
    Find(name)->selectAll();
    QTest::keyClicks(Find(name), QString::fromUtf8(text));
  }
  void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
  // Nitrogen at 100 ℃ into nitrogen at 0 ℃, one each.
  void TypeNitrogenStreams() {
    Type("Text1", "100");
    Type("Text2", "1");
    Type("Text15", "0");
    Type("Text16", "1");
    Type("Text4", "0");
    Type("Text5", "1");
    Type("Text19", "1");
  }

 private Q_SLOTS:
  void init() {
    main_.fields = {{"Text2", "20"}};
    for (std::string_view name : form1::kAmount) main_.fields[std::string(name)] = "0";
    main_.fields["Text4"] = "21";
    main_.fields["Text5"] = "79";
    platform_ = FakePlatform{};
    window_ = new MixingWindow(std::make_unique<MixingWindowModel>(main_, platform_));
    window_->show();
  }
  void cleanup() { delete window_.data(); }

  void controlsCarryTheirNamesAndTheFieldsTheirSpokenNames() {
    QCOMPARE(window_->objectName(), "Form11");
    QCOMPARE(window_->windowTitle(), "混合");
    QCOMPARE(window_->size(), TwipScale(window_).Size(5145, 6015));
    QCOMPARE(Find("Text1")->text(), "20");
    QCOMPARE(Find("Text15")->text(), "25");
    QCOMPARE(Find("Text1")->accessibleName(), "流れA 温度[℃]");
    QCOMPARE(Find("Text28")->accessibleName(), "流れB i-C4H10");
    QCOMPARE(Find("Label23")->accessibleName(), "混合 H2O");
    QVERIFY(Find("Label16")->isReadOnly());
    QCOMPARE(Find<QPushButton>("Command1")->text(), "計算");
    QCOMPARE(Find<QPushButton>("Command2")->text(), "続行");
    QCOMPARE(Find<QPushButton>("Command4")->text(), "値戻す");
    QCOMPARE(Find<QPushButton>("Command3")->text(), "閉じる");
    bool heading = false;
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      if (label->text() == "ガス組成") {
        heading = label->toolTip() == "合計が1になっていない場合，自動で調整されます";
      }
    }
    QVERIFY(heading);
    QCOMPARE(window_->focusWidget(), Find("Text1"));
  }

  void calculateShowsResultsAndEnterCalculatesWhileDisabled() {
    TypeNitrogenStreams();
    Click("Command1");
    QVERIFY(platform_.shown.empty());
    QCOMPARE(Find("Label16")->text(), "50.30");
    QCOMPARE(Find("Label17")->text(), "2.000E+000");
    QCOMPARE(Find("Text4")->text(), "0.000E+000");  // the amounts normalised
    QVERIFY(!Find<QPushButton>("Command1")->isEnabled());

    window_->model().SetText(mixing_fields::kMixedTemperature, "");
    QTest::keyClick(Find("Text15"), Qt::Key_Return);
    QCOMPARE(Find("Label16")->text(), "50.30");
    QVERIFY(!Find<QPushButton>("Command1")->isEnabled());
    QTest::keyClicks(Find("Text16"), "0");
    QVERIFY(Find<QPushButton>("Command1")->isEnabled());
  }

  void inputErrorReachesTheMessageService() {
    Click("Command1");
    QCOMPARE(platform_.shown.size(), 1u);
    QCOMPARE(platform_.shown[0], messages::kCheckInput);
    QCOMPARE(Find("Text5")->text(), "7.900E-001");
  }

  void continueTakesTheResultAndFocusesStreamBTemperature() {
    TypeNitrogenStreams();
    Click("Command1");
    Click("Command2");
    QCOMPARE(Find("Text1")->text(), "50.30");
    QCOMPARE(Find("Label16")->text(), "");
    QCOMPARE(Find("Text15")->text(), "");
    QCOMPARE(Find("Text17")->text(), "0");
    QCOMPARE(window_->focusWidget(), Find("Text15"));
  }

  void returnValuesWritesTheMainWindowAndCloseUnloads() {
    TypeNitrogenStreams();
    Click("Command1");
    Click("Command4");
    QCOMPARE(main_.fields["Text2"], "50.30");
    QCOMPARE(main_.fields["Text5"], "1.000E+000");
    QVERIFY(window_->isVisible());
    Click("Command3");
    QVERIFY(window_->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window_.isNull());
  }

  void mixingMenuOpensItAndMovesItBack() {
    WholeProgram program(QPoint(40, 30));
    QtServices& services = program.services;
    MainWindowModel& model = program.model;
    MainWindow& main_window = program.window;
    QAction* mix = main_window.findChild<QAction*>("mix");
    mix->trigger();
    QWidget* mixing = services.windows.Find(ToolWindow::kMixing);
    QVERIFY(mixing != nullptr);
    QVERIFY(mixing->isVisible());
    const QPoint place = main_window.pos() + TwipScale(&main_window).Point(1000, 1000);
    QCOMPARE(mixing->pos(), place);
    QCOMPARE(mixing->findChild<QLineEdit*>("Text1")->text(), "25");

    mixing->move(place + QPoint(50, 50));
    mixing->findChild<QLineEdit*>("Text2")->setText("7");
    model.SetText("Text2", "30");
    mix->trigger();
    QCOMPARE(services.windows.Find(ToolWindow::kMixing), mixing);
    QCOMPARE(mixing->pos(), place);
    QCOMPARE(mixing->findChild<QLineEdit*>("Text1")->text(), "30");
    QCOMPARE(mixing->findChild<QLineEdit*>("Text2")->text(), "7");
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::MixingWindowTest)
#include "mixing_window_test.moc"
