// The lifecycle of a tool window through the opener: loaded once with its opening steps, hidden
// and shown again as it was (told that it was reopened), unloaded by its model, reopened moved
// and in front.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "main/window_model.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/tool_window.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {
namespace {

int opening_steps = 0;

class SampleModel : public WindowModel {
 public:
  SampleModel() {
    ++opening_steps;
    SetText("Text1", "opened");
  }
  void Hide() { Request(WindowRequest::kHide); }
  void Unload() { Request(WindowRequest::kUnload); }
  void Reopened() override { ++reopened; }
  int reopened = 0;
};

class SampleWindow : public ToolWindowOf<SampleModel> {
 public:
  SampleWindow() : ToolWindowOf(std::make_unique<SampleModel>(), "Form4", "Sample", 3000, 1500) {
    build().Field("Text1", {120, 120, 1500, 300}, kWhite, "sample", FieldRole::kInput);
    Finish();
  }

 protected:
  // As the saturation pop-up does: it unloads itself when it loses the focus.
  void Deactivated() override { model().Unload(); }
};

}  // namespace

class ToolWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> anchor_;
  std::unique_ptr<QtWindowOpener> opener_;

  SampleModel* Model() {
    auto* window = static_cast<SampleWindow*>(opener_->Find(ToolWindow::kWaterEnthalpy));
    return window == nullptr ? nullptr : &window->model();
  }

 private Q_SLOTS:
  void init() {
    opening_steps = 0;
    anchor_ = std::make_unique<QWidget>();
    anchor_->move(100, 100);
    opener_ = std::make_unique<QtWindowOpener>();
    opener_->SetAnchor(anchor_.get());
    opener_->Register(ToolWindow::kWaterEnthalpy, [] { return new SampleWindow; });
  }
  void cleanup() {
    opener_.reset();
    anchor_.reset();
  }

  void hiddenWindowComesBackAsItWasWithoutItsOpeningSteps() {
    opener_->Open(ToolWindow::kWaterEnthalpy, {1500, 0});
    QWidget* window = opener_->Find(ToolWindow::kWaterEnthalpy);
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->objectName(), "Form4");
    QCOMPARE(Model()->reopened, 0);
    Model()->SetText("Text1", "typed");
    Model()->Hide();
    QVERIFY(!window->isVisible());
    opener_->Open(ToolWindow::kWaterEnthalpy, {3000, 0});
    QCOMPARE(opener_->Find(ToolWindow::kWaterEnthalpy), window);
    QVERIFY(window->isVisible());
    QCOMPARE(opening_steps, 1);
    QCOMPARE(Model()->reopened, 1);
    QCOMPARE(window->findChild<QLineEdit*>("Text1")->text(), "typed");
    QCOMPARE(window->pos(), anchor_->pos() + TwipScale(window).Point(3000, 0));
  }

  void unloadedWindowOpensAfreshWithItsOpeningSteps() {
    opener_->Open(ToolWindow::kWaterEnthalpy, {0, 0});
    Model()->SetText("Text1", "typed");
    Model()->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(opener_->Find(ToolWindow::kWaterEnthalpy) == nullptr);
    opener_->Open(ToolWindow::kWaterEnthalpy, {0, 0});
    QCOMPARE(opening_steps, 2);
    QCOMPARE(Model()->reopened, 0);
    QCOMPARE(Model()->Text("Text1"), std::string("opened"));
  }

  void windowThatLosesTheFocusCanUnloadItself() {
    opener_->Open(ToolWindow::kWaterEnthalpy, {0, 0});
    QWidget* window = opener_->Find(ToolWindow::kWaterEnthalpy);
    QVERIFY(QTest::qWaitForWindowActive(window));
    anchor_->show();
    anchor_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(anchor_.get()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(opener_->Find(ToolWindow::kWaterEnthalpy) == nullptr);
  }

  void windowWithoutAFactoryIsNotOpened() {
    opener_->Open(ToolWindow::kTotalDialog, {0, 0});
    QVERIFY(opener_->Find(ToolWindow::kTotalDialog) == nullptr);
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::ToolWindowTest)
#include "tool_window_test.moc"
