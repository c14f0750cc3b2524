// A right press on the main window's background opens the converter chooser at the pointer; its
// buttons close it and open their converter; several converters stand open at once, each from
// its opening state. The converters show their model and hand typing, Enter and option clicks
// to it. The models are tested in tests/tools/converter_window_models_test.cpp.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "ui/converter_windows.hpp"
#include "ui/main_window.hpp"
#include "ui/tool_windows.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class ConverterWindowsTest : public QObject {
  Q_OBJECT

 private:
  using Program = WholeProgram;

  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  template <typename T = QLineEdit>
  static T* Find(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  static QString Label(QWidget* window, const char* name) {
    return Find<QLabel>(window, name)->text();
  }

  // A click on the option's button, as a person clicks it (the middle of a wide option is
  // beside its caption).
  static void ClickOption(QWidget* window, const char* name) {
    auto* option = Find<QRadioButton>(window, name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
  }

  // Right press at `at` in the main window's client area; the chooser if one opened.
  static QWidget* RightPress(Program& p, QWidget* on, QPoint at) {
    QTest::mousePress(on, Qt::RightButton, {}, at);
    return p.services.windows.Find(ToolWindow::kConverterChooser);
  }
  static QPoint Background(Program& p) {
    const TwipScale scale(&p.window);
    const QPoint at(scale.X(6000), scale.Y(5700));
    if (p.window.centralWidget()->childAt(at) != nullptr) qFatal("not the background");
    return at;
  }

 private Q_SLOTS:
  void rightPressOnTheBackgroundButNotOnAControlOpensTheChooser() {
    Program p;
    QWidget* client = p.window.centralWidget();
    QVERIFY(RightPress(p, Find(client, "Text1"), {5, 5}) == nullptr);
    QVERIFY(RightPress(p, Find<QPushButton>(client, "Command1"), {5, 5}) == nullptr);
    const QPoint at = Background(p);
    QWidget* chooser = RightPress(p, client, at);
    QVERIFY(chooser != nullptr && chooser->isVisible());
    QCOMPARE(chooser->objectName(), "Form8");
    QCOMPARE(chooser->windowTitle(), "Unit Converter");
    const TwipScale scale(&p.window);
    QCOMPARE(chooser->pos(),
             p.window.pos() + scale.Point(scale.TwipsX(at.x()) - 850, scale.TwipsY(at.y()) + 300));
  }

  // Each button closes the chooser and opens its converter; opening one again adds another,
  // which starts afresh while the first keeps what was typed.
  void chooserButtonsOpenConvertersSeveralAtOnce() {
    Program p;
    const TwipScale scale(&p.window);
    const struct {
      const char* button;
      ToolWindow kind;
      const char* name;
      const char* caption;
      int offset;
    } cases[] = {
        {"Command1", ToolWindow::kPressureConverter, "Form9", "Unit Converter  -Pressure-", 800},
        {"Command2", ToolWindow::kTemperatureConverter, "Form10", "Unit Converter -Temperature-",
         800},
        {"Command3", ToolWindow::kHeatConverter, "Form6", "Unit Converter -Heat-", 500},
        {"Command1", ToolWindow::kPressureConverter, "Form9", "Unit Converter  -Pressure-", 800},
    };
    for (const auto& c : cases) {
      QPointer<QWidget> chooser = RightPress(p, p.window.centralWidget(), Background(p));
      QTest::mouseClick(Find<QPushButton>(chooser, c.button), Qt::LeftButton);
      Settle();
      QVERIFY(chooser.isNull());
      QWidget* converter = p.services.windows.Find(c.kind);
      QVERIFY(converter != nullptr && converter->isVisible());
      QCOMPARE(converter->objectName(), c.name);
      QCOMPARE(converter->windowTitle(), c.caption);
      QCOMPARE(converter->pos(), p.window.pos() + scale.Point(c.offset, c.offset));
      if (c.kind == ToolWindow::kPressureConverter) {
        QCOMPARE(Find(converter, "Text1")->text(), "");
        QCOMPARE(Label(converter, "Label1"), "0  [Pa]");
        QTest::keyClicks(Find(converter, "Text1"), "1");
      }
    }
    const std::vector<QWidget*> pressures =
        p.services.windows.FindAll(ToolWindow::kPressureConverter);
    QCOMPARE(pressures.size(), 2u);
    QCOMPARE(Label(pressures[0], "Label1"), "1.00000E+000 [Pa]");
    QVERIFY(p.services.windows.Find(ToolWindow::kTemperatureConverter)->isVisible());
    QVERIFY(p.services.windows.Find(ToolWindow::kHeatConverter)->isVisible());
    // Closed, then reopened: from the opening state.
    QTest::mouseClick(Find<QPushButton>(pressures[0], "Command1"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(pressures[1], "Command1"), Qt::LeftButton);
    Settle();
    QVERIFY(p.services.windows.FindAll(ToolWindow::kPressureConverter).empty());
  }

  // Typing and option clicks reach the model; rows hide and show; messages go to the service.
  void rowsFollowTypingAndOptionsAndMessagesReachTheService() {
    FakePlatform platform;
    auto* pressure =
        new PressureConverterWindow(std::make_unique<PressureConverterModel>(platform));
    pressure->show();
    QCOMPARE(Find(pressure, "Text1")->accessibleName(), "圧力");
    ClickOption(pressure, "Option6");  // atm, nothing typed yet
    QCOMPARE(platform.shown, std::vector<Message>{Message{"エラー!"}});
    QTest::keyClicks(Find(pressure, "Text1"), "1");
    QCOMPARE(Label(pressure, "Label1"), "1.01325E+005 [Pa]");
    QVERIFY(Find<QLabel>(pressure, "Label6")->isHidden() &&
            Find<QLabel>(pressure, "Label7")->isHidden());
    QVERIFY(!Find<QLabel>(pressure, "Label2")->isHidden());
    delete pressure;

    auto* temperature =
        new TemperatureConverterWindow(std::make_unique<TemperatureConverterModel>(platform));
    temperature->show();
    QTest::keyClicks(Find(temperature, "Text1"), "100");
    ClickOption(temperature, "Option2");  // ゜R
    QCOMPARE(Label(temperature, "Label4"), "-217.59 [ﾟC]");
    QVERIFY(Find<QLabel>(temperature, "Label3")->isHidden());
    delete temperature;

    platform.shown.clear();
    auto* heat = new HeatConverterWindow(std::make_unique<HeatConverterModel>(platform));
    heat->show();
    QLineEdit* energy = Find(heat, "Text2");
    energy->selectAll();
    QTest::keyClicks(energy, "1x");
    QCOMPARE(Label(heat, "Label2"), "4.18605E+000 [J]");
    QVERIFY(platform.shown.empty());
    QTest::keyClick(energy, Qt::Key_Return);
    QCOMPARE(platform.shown.size(), 1u);
    ClickOption(heat, "Option2");  // W
    QCOMPARE(Label(heat, "Label1"), "0.0000E+000 [kcal/h]");
    delete heat;
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::ConverterWindowsTest)
#include "converter_windows_test.moc"
