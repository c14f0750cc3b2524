#include "ui/composition_dialog_windows.hpp"

#include <QLineEdit>
#include <QMoveEvent>
#include <QResizeEvent>

namespace toluvek {
namespace {

// Geometry in twips.
constexpr QRect kAirButton{0, 0, 1335, form12::kButtonHeight};
constexpr QRect kTotalButton{0, 360, 1335, form12::kButtonHeight};
constexpr int kDialogWidth = 1845;
constexpr int kDialogHeight = 915;
constexpr QRect kDialogField{120, 120, 1575, 285};
constexpr QRect kDialogOk{480, 480, 855, 375};

struct DialogLayout {
  std::string_view name;
  const char* caption;
  const char* field_name;  // spoken
};

DialogLayout LayoutOf(CompositionDialogKind kind) {
  if (kind == CompositionDialogKind::kAddAir) {
    return {form13::kWindow, "Air Input", "追加する空気の量"};
  }
  return {form14::kWindow, "合計Input", "合計値"};
}

}  // namespace

CompositionChooserWindow::CompositionChooserWindow(std::unique_ptr<CompositionChooserModel> model,
                                                   QWidget* parent)
    : ToolWindowOf(std::move(model), form12::kWindow, "Input", form12::kClientWidth,
                   form12::kClientHeight, parent) {
  CompositionChooserModel& m = this->model();
  WidgetBuilder& b = build();
  b.Button(form12::kAddAir, "空気追加", kAirButton, [&m] { m.OpenAirDialog(); });
  b.Button(form12::kTotal, "合計値入力", kTotalButton, [&m] { m.OpenTotalDialog(); });
  b.TabOrder({form12::kAddAir, form12::kTotal});
  Finish();
}

void CompositionChooserWindow::moveEvent(QMoveEvent* event) {
  ToolWindowOf::moveEvent(event);
  TellFrame();
}

void CompositionChooserWindow::resizeEvent(QResizeEvent* event) {
  ToolWindowOf::resizeEvent(event);
  TellFrame();
}

void CompositionChooserWindow::TellFrame() {
  const QRect frame = frameGeometry();
  model().SetFrame({scale().TwipsX(frame.x()), scale().TwipsY(frame.y())},
                   scale().TwipsX(frame.width()));
}

CompositionDialogWindow::CompositionDialogWindow(std::unique_ptr<CompositionDialogModel> model,
                                                 QWidget* parent)
    : CompositionDialogWindow(model->kind(), std::move(model), parent) {}

CompositionDialogWindow::CompositionDialogWindow(CompositionDialogKind kind,
                                                 std::unique_ptr<CompositionDialogModel>&& model,
                                                 QWidget* parent)
    : ToolWindowOf(std::move(model), LayoutOf(kind).name, QString::fromUtf8(LayoutOf(kind).caption),
                   kDialogWidth, kDialogHeight, parent) {
  CompositionDialogModel& m = this->model();
  const DialogLayout layout = LayoutOf(m.kind());
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kDialogField.width())));
  QLineEdit* field =
      b.Field(form13::kAmount, kDialogField, kWhite, QString::fromUtf8(layout.field_name),
              FieldRole::kInput, [&m] { m.Apply(); });
  b.Button(form13::kOk, "OK", kDialogOk, [&m] { m.Apply(); });
  b.TabOrder({form13::kAmount, form13::kOk});
  Finish();
  field->setFocus();
}

}  // namespace toluvek
