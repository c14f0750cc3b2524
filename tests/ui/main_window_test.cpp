// The main window shows its model and hands the user's actions to it. The commands themselves
// are the model's and are tested there; these tests check the wiring.

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/appearance.hpp"
#include "ui/main_window.hpp"
#include "ui/twips.hpp"

namespace toluvek {
namespace {

struct Harness {
  FakePlatform platform;
  MainWindowModel model{platform.Services()};
  int ends = 0;
  MainWindow window{model, [this] { ++ends; }};
};

QColor BaseOf(const QWidget* widget) {
  return widget->palette().color(QPalette::Base);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Harness> h_;

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    T* found = h_->window.findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  QAction* Action(const char* name) { return Find<QAction>(name); }
  void Calculate() { QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton); }
  Harness& h() { return *h_; }

 private Q_SLOTS:
  void initTestCase() { ApplyAppearance(*qApp); }

  void init() {
    h_ = std::make_unique<Harness>();
    h().window.show();
    h().window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h().window));
  }

  void cleanup() { h_.reset(); }

  void startsShowingTheModelWithTheFocusInThePressure() {
    QCOMPARE(Find("Text1")->text(), "1.01325E+005");
    QVERIFY(Find("Text48")->text().isEmpty());
    QVERIFY(Find<QRadioButton>("Option1")->isChecked());
    QVERIFY(Find<QRadioButton>("Option4")->isChecked());
    QVERIFY(!Find<QPushButton>("Prev")->isEnabled());
    QVERIFY(Find("Text96")->isHidden());
    QCOMPARE(h().window.focusWidget(), Find("Text1"));
  }

  void clientAreaIsItsSizeInTwips() {
    const TwipScale scale(&h().window);
    const QWidget* client = h().window.centralWidget();
    QCOMPARE(client->width(), scale.X(9720));
    QCOMPARE(client->height() + h().window.statusBar()->height(), scale.Y(7380));
    QCOMPARE(h().window.minimumSize(), h().window.maximumSize());
    QVERIFY(!h().window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(client->palette().color(QPalette::Window), QColor(192, 192, 192));
  }

  void calculatingLeavesTheFocusInTheInputField_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"click", "space", "enter"}) QTest::newRow(how) << how;
  }
  void calculatingLeavesTheFocusInTheInputField() {
    // "計算" disables itself; the focus must not pass on to "終了", where a Space would end
    // the program.
    QFETCH(QString, how);
    QLineEdit* o2 = Find("Text4");
    auto* calculate = Find<QPushButton>("Command1");
    o2->setFocus();
    if (how == "click") QTest::mouseClick(calculate, Qt::LeftButton);
    if (how == "space") {
      calculate->setFocus();
      QTest::keyClick(calculate, Qt::Key_Space);
    }
    if (how == "enter") QTest::keyClick(o2, Qt::Key_Return);
    QVERIFY(!calculate->isEnabled());
    QCOMPARE(h().window.focusWidget(), o2);
    QTest::keyClick(h().window.focusWidget(), Qt::Key_Space);
    QCOMPARE(h().ends, 0);
  }

  void typingReachesTheModelAndEnablesCalculate() {
    Calculate();
    QVERIFY(!Find<QPushButton>("Command1")->isEnabled());
    QLineEdit* o2 = Find("Text4");
    o2->setFocus();
    o2->setCursorPosition(2);
    QTest::keyClicks(o2, "5");
    QCOMPARE(h().model.Text("Text4"), "215");
    QVERIFY(Find<QPushButton>("Command1")->isEnabled());
  }

  void typingInTheMiddleKeepsTheCursorWhereItWas() {
    QLineEdit* temperature = Find("Text2");
    temperature->setFocus();
    temperature->setCursorPosition(1);
    QTest::keyClicks(temperature, "0");
    QCOMPARE(temperature->text(), "205");
    QCOMPARE(temperature->cursorPosition(), 2);
  }

  void enterInPressureMovesTheFocusToTemperature() {
    QTest::keyClick(Find("Text1"), Qt::Key_Return);
    QCOMPARE(h().window.focusWidget(), Find("Text2"));
    QVERIFY(Find("Text48")->text().isEmpty());
  }

  void enterInAFieldCalculates_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("temperature") << "Text2";
    QTest::newRow("H2 amount") << "Text3";
    QTest::newRow("i-C4H10 amount") << "Text89";
  }
  void enterInAFieldCalculates() {
    QFETCH(QString, field);
    Calculate();
    // The result is written anew although "計算" is disabled.
    h().model.SetText("Text48", "");
    QVERIFY(!Find<QPushButton>("Command1")->isEnabled());
    QTest::keyClick(Find(field.toUtf8().constData()), Qt::Key_Enter);
    QCOMPARE(Find("Text48")->text(), "2.885E+001");
  }

  void resultsShowTheModelsColours() {
    QCOMPARE(BaseOf(Find("Text1")), QColor(255, 255, 192));
    QCOMPARE(BaseOf(Find("Text75")), QColor(255, 255, 192));
    QCOMPARE(BaseOf(Find("Text48")), QColor(192, 255, 192));
    QCOMPARE(BaseOf(Find("Text74")), QColor(192, 255, 192));
    Calculate();
    QCOMPARE(BaseOf(Find("Text13")), QColor(0, 255, 255));    // O2 present
    QCOMPARE(BaseOf(Find("Text67")), QColor(0, 255, 255));    // N2 Pr
    QCOMPARE(BaseOf(Find("Text18")), QColor(255, 255, 255));  // H2 absent
    QCOMPARE(BaseOf(Find("Text95")), QColor(255, 255, 255));
  }

  void resultFieldsAreReadOnlyAndTheTabOrderSkipsThem() {
    const QStringList expected = {"Text1",    "Text2",    "Command1", "Command2", "Text3",
                                  "Text4",    "Text5",    "Text6",    "Text7",    "Text8",
                                  "Text9",    "Text10",   "Text11",   "Text75",   "Text82",
                                  "Text89",   "Command3", "Command4", "Option1",  "Option4",
                                  "Command5", "Prev",     "Command6", "Command8", "Text1"};
    // "計算" and "Prev." take part only while enabled.
    h().model.SetEnabled("Prev", true);
    QStringList visited = {h().window.focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
      QTest::keyClick(h().window.focusWidget(), Qt::Key_Tab);
      visited << h().window.focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    QVERIFY(Find("Text48")->isReadOnly());
    QVERIFY(Find("Text13")->isReadOnly());
  }

  void unitOptionsConvertAndFollowTheModel() {
    QTest::mouseClick(Find<QRadioButton>("Option2"), Qt::LeftButton);
    QCOMPARE(h().model.pressure_option(), PressureUnit::kAtm);
    QCOMPARE(Find("Text1")->text(), "1.00000E+000");
    QTest::mouseClick(Find<QRadioButton>("Option5"), Qt::LeftButton);
    QCOMPARE(Find("Text2")->text(), "298.15");
    // "Prev." chooses Pa and ℃ through the model: the options follow.
    Calculate();
    QTest::mouseClick(Find<QPushButton>("Prev"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option1")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option2")->isChecked());
    QVERIFY(Find<QRadioButton>("Option4")->isChecked());
    QCOMPARE(Find("Text2")->text(), "25.00");
    QVERIFY(!Find<QPushButton>("Prev")->isEnabled());
  }

  void aFailedUnitSwitchStillShowsTheChosenOption() {
    h().model.SetText("Text1", "abc");
    QTest::mouseClick(Find<QRadioButton>("Option3"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>("Option3")->isChecked());
    QCOMPARE(Find("Text1")->text(), "abc");
    QCOMPARE(h().platform.shown.size(), 1u);
  }

  void buttonsOpenTheirWindows_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("window");
    QTest::newRow("Re") << "Command8" << static_cast<int>(ToolWindow::kDuctFlow);
    QTest::newRow("Enthalpy") << "Command3" << static_cast<int>(ToolWindow::kEnthalpy);
  }
  void buttonsOpenTheirWindows() {
    QFETCH(QString, button);
    QFETCH(int, window);
    QTest::mouseClick(h().window.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(h().platform.opened.size(), 1u);
    QCOMPARE(static_cast<int>(h().platform.opened.front().window), window);
    // Both calculate before the window opens.
    QCOMPARE(Find("Text48")->text(), "2.885E+001");
  }

  void movingTheWindowTellsTheModelWhereItStands() {
    h().window.move(150, 75);
    QCoreApplication::processEvents();
    const TwipScale scale(&h().window);
    QCOMPARE(h().model.position(),
             (Twips{scale.TwipsX(h().window.x()), scale.TwipsY(h().window.y())}));
    QVERIFY(h().model.position().x > 0);
  }

  void combustionButtonBurnsTheMixtureThroughTheModel() {
    // Methane in air: the burnt gas replaces the amounts, the totals box goes through the
    // model's message service.
    h().model.SetText("Text4", "2");
    h().model.SetText("Text5", "7.52");
    h().model.SetText("Text10", "1");
    QTest::mouseClick(Find<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(Find("Text10")->text(), "0");
    QVERIFY(Find("Text7")->text() != "0");  // CO2
    QCOMPARE(Find<QRadioButton>("Option4")->isChecked(), true);
    QCOMPARE(h().platform.shown.size(), 1u);
    QCOMPARE(h().platform.shown.back().title, std::string("総モル体積変化"));
  }

  void clipboardButtonCopiesTheReport() {
    Calculate();
    QTest::mouseClick(Find<QPushButton>("Command4"), Qt::LeftButton);
    QCOMPARE(h().platform.clipboard_texts.size(), 1u);
    const std::string& report = h().platform.clipboard_texts.front();
    QCOMPARE(report, h().model.Text("Text96"));
    QVERIFY(report.find("\r\n") != std::string::npos);
    QCOMPARE(Find("Text96")->text().toStdString(), report);
    QVERIFY(Find("Text96")->isHidden());
  }

  void exitEndsTheProgram_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("終了 button") << "button";
    QTest::newRow("File menu") << "menu";
    QTest::newRow("Ctrl+X in a field") << "shortcut";
    QTest::newRow("window frame") << "close";
  }
  void exitEndsTheProgram() {
    QFETCH(QString, how);
    if (how == "button") QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
    if (how == "menu") Action("exitmenu")->trigger();
    if (how == "shortcut") QTest::keyClick(Find("Text4"), Qt::Key_X, Qt::ControlModifier);
    if (how == "close") h().window.close();
    QCOMPARE(h().ends, 1);
    QVERIFY(h().platform.shown.empty());
  }

  void shortcutsWinOverTheFieldsOwnKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Ctrl+O 大阪ガス") << int(Qt::Key_O) << "Text10"
                                     << "88";
    QTest::newRow("Ctrl+T 東京ガス") << int(Qt::Key_T) << "Text89"
                                     << "0.7";
    QTest::newRow("Ctrl+H 広島ガス") << int(Qt::Key_H) << "Text11"
                                     << "5.9";
    QTest::newRow("Ctrl+Q PFD") << int(Qt::Key_Q) << "Text82"
                                << "1.7";
  }
  void shortcutsWinOverTheFieldsOwnKeys() {
    QFETCH(int, key);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QTest::keyClick(Find("Text2"), static_cast<Qt::Key>(key), Qt::ControlModifier);
    QCOMPARE(h().window.findChild<QLineEdit*>(field)->text(), expected);
    QCOMPARE(Find("Text4")->text(), "0");
    QCOMPARE(Find("Text2")->text(), "25");
  }

  void ctrlAInAFieldWritesAirNotSelectAll() {
    h().model.Clear();
    QLineEdit* temperature = Find("Text2");
    QTest::keyClick(temperature, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Find("Text4")->text(), "21");
    QCOMPARE(Find("Text5")->text(), "79");
    QVERIFY(!temperature->hasSelectedText());
  }

  void presetMenusAreHiddenFromTheMenuBar() {
    QStringList shown;
    for (QAction* menu : h().window.menuBar()->actions()) {
      if (menu->isVisible()) shown << menu->text();
    }
    QCOMPARE(shown, QStringList({"File", "Tool", "Help"}));
    QVERIFY(h().window.findChild<QMenu*>("CNG") != nullptr);
    QVERIFY(h().window.findChild<QMenu*>("SR1") != nullptr);
  }

  void menusAndShortcutsOpenTheirWindows_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("window");
    QTest::newRow("Mixing") << "mix" << int(Qt::Key_M) << static_cast<int>(ToolWindow::kMixing);
    QTest::newRow("Enthalpy of Water")
        << "ewater" << int(Qt::Key_W) << static_cast<int>(ToolWindow::kWaterEnthalpy);
    QTest::newRow("Property Chart")
        << "chart" << int(Qt::Key_G) << static_cast<int>(ToolWindow::kPropertyChart);
    QTest::newRow("How to Use") << "howtomenu" << int(Qt::Key_U)
                                << static_cast<int>(ToolWindow::kHelp);
    QTest::newRow("Version") << "versionmenu" << 0 << static_cast<int>(ToolWindow::kAbout);
  }
  void menusAndShortcutsOpenTheirWindows() {
    QFETCH(QString, entry);
    QFETCH(int, key);
    QFETCH(int, window);
    h().window.findChild<QAction*>(entry)->trigger();
    if (key != 0) QTest::keyClick(Find("Text1"), static_cast<Qt::Key>(key), Qt::ControlModifier);
    const std::size_t expected = key != 0 ? 2 : 1;
    QCOMPARE(h().platform.opened.size(), expected);
    for (const auto& [opened, offset] : h().platform.opened) QCOMPARE(int(opened), window);
  }

  void fileMenuAsksForAFile_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("save");
    QTest::newRow("Open") << "open" << int(Qt::Key_F) << false;
    QTest::newRow("Save") << "save" << int(Qt::Key_S) << true;
  }
  void fileMenuAsksForAFile() {
    QFETCH(QString, entry);
    QFETCH(int, key);
    QFETCH(bool, save);
    h().window.findChild<QAction*>(entry)->trigger();
    QTest::keyClick(Find("Text4"), static_cast<Qt::Key>(key), Qt::ControlModifier);
    QCOMPARE(h().platform.asked.size(), 2u);
    QCOMPARE(h().platform.asked[0].save, save);
    QCOMPARE(h().platform.asked[1].save, save);
    QCOMPARE(h().platform.asked[0].filter, "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat");
  }

  void moistureLabelAndTsatCalculateThenSayTheGasIsDry() {
    QTest::mouseClick(Find<QLabel>("Label10"), Qt::LeftButton);
    QCOMPARE(Find("Text48")->text(), "2.885E+001");
    QCOMPARE(h().platform.shown.size(), 1u);
    QCOMPARE(h().platform.shown.back(), Message{"水分が含まれていません!"});
    QTest::keyClick(Find("Text1"), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(h().platform.shown.size(), 2u);
  }

  void moistureLabelColoursTheWaterFraction() {
    h().model.SetText("Text8", "3");
    QTest::mouseClick(Find<QLabel>("Label10"), Qt::LeftButton);
    QCOMPARE(h().platform.opened.size(), 1u);
    QCOMPARE(h().platform.opened.front().window, ToolWindow::kSaturation);
    QCOMPARE(BaseOf(Find("Text17")), QColor(255, 192, 255));
    QVERIFY(h().platform.shown.empty());
  }

  void amountHeaderButtons() {
    QLabel* header = Find<QLabel>("Label46");
    QTest::mouseClick(header, Qt::RightButton);
    QCOMPARE(h().platform.shown.size(), 1u);
    QCOMPARE(h().platform.shown.back(), (Message{"総モル体積 = 100", "総モル体積"}));
    QVERIFY(h().platform.opened.empty());
    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(h().platform.opened.size(), 1u);
    QCOMPARE(h().platform.opened.back().window, ToolWindow::kCompositionChooser);
    QCOMPARE(h().platform.shown.size(), 1u);
  }

  void calculationMessagesReachTheMessageService() {
    h().model.SetText("Text6", "");
    Calculate();
    QCOMPARE(h().platform.shown.size(), 1u);
    QCOMPARE(h().platform.shown.back(),
             (Message{"数値が入っていません!!", "エラーメッセージ", MessageIcon::kCritical}));
  }

  void rightClickOnTheBackgroundOpensTheConverterChooserAtThePointer() {
    QWidget* client = h().window.centralWidget();
    const TwipScale scale(client);
    // Right of the title, left of the mixture results: bare background.
    const QPoint at(scale.X(6000), scale.Y(5700));
    QVERIFY(client->childAt(at) == nullptr);
    QTest::mouseClick(client, Qt::RightButton, {}, at);
    QCOMPARE(h().platform.opened.size(), 1u);
    QCOMPARE(h().platform.opened.front().window, ToolWindow::kConverterChooser);
    const Twips offset = h().platform.opened.front().offset;
    QCOMPARE(offset.x, scale.TwipsX(at.x()) - 850);
    QCOMPARE(offset.y, scale.TwipsY(at.y()) + 300);
  }

  void rightClickOnALabelOrFrameOpensNothing() {
    QWidget* client = h().window.centralWidget();
    const QPoint on_label = client->mapFromGlobal(
        Find<QLabel>("Label10")->mapToGlobal(Find<QLabel>("Label10")->rect().center()));
    QTest::mouseClick(client, Qt::RightButton, {}, on_label);
    QTest::mouseClick(Find<QWidget>("pressure_frame"), Qt::RightButton, {}, QPoint(2, 2));
    QVERIFY(h().platform.opened.empty());
  }

  void fieldsCarryAccessibleNamesInTheWindowsWords() {
    QCOMPARE(Find("Text1")->accessibleName(), "圧力");
    QCOMPARE(Find("Text2")->accessibleName(), "温度");
    QCOMPARE(Find("Text48")->accessibleName(), "分子量");
    QCOMPARE(Find("Text74")->accessibleName(), "Pr Eucken");
    QCOMPARE(Find("Text13")->accessibleName(), "O2 モル分率");
    QCOMPARE(Find("Text95")->accessibleName(), "i-C4H10 Pr数");
    QCOMPARE(Find("Text4")->accessibleName(), "O2 mol Vol.");
    // What a screen reader reads: the name, and the field's text as its value.
    QAccessibleInterface* pressure = QAccessible::queryAccessibleInterface(Find("Text1"));
    QCOMPARE(pressure->text(QAccessible::Name), "圧力");
    QCOMPARE(pressure->text(QAccessible::Value), "1.01325E+005");
    QSet<QString> names;
    for (const QLineEdit* field : h().window.findChildren<QLineEdit*>()) {
      QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
      names.insert(field->accessibleName());
    }
    QCOMPARE(names.size(), 96);
    // Species labels describe themselves by their hint; the H2O label adds what a click does.
    auto description = [this](const char* label) {
      return QAccessible::queryAccessibleInterface(Find<QLabel>(label))
          ->text(QAccessible::Description);
    };
    QCOMPARE(description("species_O2"), "<酸素> 臨界圧 5.04MPa  臨界温度 154.6K");
    QCOMPARE(description("Label10"),
             "<水蒸気>  臨界圧 22.04MPa  臨界温度 647.3K  クリックで飽和温度");
  }

  void speciesLabelsShowHintsAndMolarMasses() {
    QCOMPARE(Find<QLabel>("Label10")->toolTip(), "<水蒸気>  臨界圧 22.04MPa  臨界温度 647.3K");
    QCOMPARE(Find<QLabel>("molar_mass_H2")->text(), "2.02");
    QCOMPARE(Find<QLabel>("molar_mass_H2")->toolTip(), "2.01588");
    QCOMPARE(Find<QLabel>("molar_mass_O2")->text(), "32.00");
    QCOMPARE(Find<QPushButton>("Command4")->toolTip(), "計算結果をクリップボードに貼り付けます");
  }

  void statusBarShowsDateAndTime() {
    const QString date = Find<QLabel>("status_date")->text();
    const QString time = Find<QLabel>("status_time")->text();
    QVERIFY(QDate::fromString(date, "yyyy/MM/dd").isValid());
    QVERIFY(QTime::fromString(time, "H:mm").isValid());
    QVERIFY(Find<QLabel>("status_text")->text().isEmpty());
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::MainWindowTest)
#include "main_window_test.moc"
