// The property chart window opens from Ctrl+G in the main window, shows its model's curve and
// follows the main window's calculations. The curve itself is the model's and is tested there.

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/appearance.hpp"
#include "ui/chart_view.hpp"
#include "ui/main_window.hpp"
#include "ui/property_chart_window.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {
namespace {

// Answers a save dialog with `path` when one is set.
class ChoosingDialogs : public FileDialogs {
 public:
  FileDialogResult Ask(const FileDialogRequest& /*request*/) override {
    if (path.empty()) return {};
    return {FileDialogResult::Status::kChosen, path};
  }
  std::string path;
};

struct Harness {
  Harness() {
    RegisterPropertyChart(windows, model, platform, dialogs, platform);
    windows.SetAnchor(&window);
  }
  FakePlatform platform;
  QtWindowOpener windows;
  ChoosingDialogs dialogs;
  MainWindowModel model{{platform, platform, windows, dialogs, platform}};
  MainWindow window{model, [] {}};
};

}  // namespace

class PropertyChartWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Harness> h_;

  QWidget* Chart() { return h_->windows.Find(ToolWindow::kPropertyChart); }
  ChartView* View() { return dynamic_cast<ChartView*>(Chart()->findChild<QWidget*>("Chart")); }
  // The pointer moved to `at` over the chart, without a button.
  void PointAt(QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, View()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(View(), &move);
  }
  const std::vector<std::vector<QPointF>>& Lines() { return View()->lines(); }

 private Q_SLOTS:
  void initTestCase() { ApplyAppearance(*qApp); }
  void init() {
    h_ = std::make_unique<Harness>();
    h_->window.show();
    h_->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h_->window));
  }
  void cleanup() { h_.reset(); }

  void ctrlGOpensTheChartOfTheCurrentMixture() {
    QTest::keyClick(h_->window.findChild<QLineEdit*>("Text1"), Qt::Key_G, Qt::ControlModifier);
    QWidget* chart = Chart();
    QVERIFY(chart != nullptr);
    QVERIFY(chart->isVisible());
    QCOMPARE(chart->windowTitle(), QString("Property Chart"));
    const std::vector<std::vector<QPointF>>& lines = Lines();
    QCOMPARE(lines.size(), std::size_t{1});
    QCOMPARE(lines.front().size(), std::size_t{351});
    QCOMPARE(lines.front().at(350).x(), 700.0);
    QCOMPARE(View()->title(), QString("cp of O2 21 %, N2 79 % at 1.01325E+005 Pa"));
    QCOMPARE(View()->accessibleDescription(), View()->title());
    for (const char* name :
         {"Property", "RangeFrom", "RangeTo", "RangeUnit", "Plot", "Copy", "SavePng", "Chart"}) {
      QWidget* control = chart->findChild<QWidget*>(name);
      QVERIFY2(control != nullptr && !control->accessibleName().isEmpty(), name);
    }
    // Unlike the program's forms, the chart can be made larger.
    QVERIFY(chart->maximumWidth() > chart->width());
  }

  void theListsShowTheModelsChoiceAndTheFieldsItsRange() {
    h_->model.OpenPropertyChart();
    auto* unit = Chart()->findChild<QComboBox*>("RangeUnit");
    unit->setCurrentIndex(1);
    Q_EMIT unit->activated(1);
    QCOMPARE(Chart()->findChild<QLineEdit*>("RangeFrom")->text(), QString("273.15"));
    QCOMPARE(Chart()->findChild<QLineEdit*>("RangeTo")->text(), QString("973.15"));
    QCOMPARE(unit->currentText(), QString("K"));
    QCOMPARE(Lines().front().at(0).x(), 273.15);
    // A list shows what the model chose, whatever entry the user left it on.
    auto* property = Chart()->findChild<QComboBox*>("Property");
    property->setCurrentIndex(2);
    h_->window.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(property->currentText(), QString("cp"));
  }

  void thePointerOverTheCurveShowsTheValueThere() {
    h_->model.OpenPropertyChart();
    auto* readout = Chart()->findChild<QLabel*>("Readout");
    QCOMPARE(readout->text(), QString());
    // Off the line the readout stays empty; on it, it reads the point under the pointer.
    const QPointF on_line = View()->ToWidget(Lines().front().at(175));
    PointAt(on_line + QPointF(0, 30));
    QCOMPARE(readout->text(), QString());
    PointAt(on_line + QPointF(0, 1));
    QVERIFY2(readout->text().startsWith("350 ℃, cp = "), qPrintable(readout->text()));
    h_->window.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(readout->text(), QString());
  }

  void shadesTheRangeBeyondTheFitsBelowTheCurve() {
    h_->model.OpenPropertyChart();
    auto* to = Chart()->findChild<QLineEdit*>("RangeTo");
    to->selectAll();
    QTest::keyClicks(to, "1500");
    QTest::mouseClick(Chart()->findChild<QPushButton*>("Plot"), Qt::LeftButton);
    QCOMPARE(View()->spans(), (std::vector<ChartSpan>{{1000 - 273.15, 1500.0}}));
    QCOMPARE(Lines().size(), std::size_t{1});
    // The span is shaded in the plot, which is white beside it.
    const QImage picture = View()->grab().toImage();
    const QPoint inside = View()->ToWidget({1200, View()->axes().y.min}).toPoint() - QPoint(0, 8);
    const QPoint outside = View()->ToWidget({600, View()->axes().y.min}).toPoint() - QPoint(0, 8);
    QVERIFY(picture.pixelColor(inside).red() < 250);
    QCOMPARE(picture.pixelColor(outside), QColor(Qt::white));
  }

  void redrawsAfterEachCalculationNotWhileTyping() {
    h_->model.OpenPropertyChart();
    auto* property = Chart()->findChild<QComboBox*>("Property");
    property->setCurrentIndex(4);  // ρ
    Q_EMIT property->activated(4);
    const double density = Lines().front().at(0).y();
    h_->model.SetText(form1::kPressure, "2.0265E+005");
    QCOMPARE(Lines().front().at(0).y(), density);
    h_->window.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(Lines().front().at(0).y(), 2 * density);
  }

  void aClosedChartNoLongerFollows() {
    h_->model.OpenPropertyChart();
    Chart()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Chart() == nullptr);
    QVERIFY(h_->model.Calculate());
  }

  void savePngWritesThePicture() {
    h_->model.OpenPropertyChart();
    QTemporaryDir folder;
    h_->dialogs.path = folder.filePath("chart.png").toStdString();
    Chart()->findChild<QPushButton*>("SavePng")->click();
    QVERIFY(!QImage(folder.filePath("chart.png")).isNull());
    h_->dialogs.path = folder.filePath("missing/chart.png").toStdString();
    Chart()->findChild<QPushButton*>("SavePng")->click();
    QCOMPARE(h_->platform.shown.size(), std::size_t{1});
  }

  void aRejectedInputShowsTheMessageAndNoCurve() {
    h_->model.OpenPropertyChart();
    auto* from = Chart()->findChild<QLineEdit*>("RangeFrom");
    from->selectAll();
    QTest::keyClicks(from, "-300");
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(Chart()->findChild<QLabel*>("Status")->text(), QString("絶対温度が負です!!"));
    QVERIFY(Lines().empty());
    Chart()->findChild<QPushButton*>("Copy")->click();
    QCOMPARE(h_->platform.clipboard_texts.size(), std::size_t{1});
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::PropertyChartWindowTest)
#include "property_chart_window_test.moc"
