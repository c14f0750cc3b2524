#pragma once
// Form12 "Input", the chooser that the main window's "mol Vol." heading opens, and the two
// dialogs it opens: Form13 "Air Input" and Form14 "合計Input".

#include <memory>

#include "main/composition_dialog_models.hpp"
#include "ui/tool_window.hpp"

class QMoveEvent;
class QResizeEvent;

namespace toluvek {

class CompositionChooserWindow : public ToolWindowOf<CompositionChooserModel> {
 public:
  explicit CompositionChooserWindow(std::unique_ptr<CompositionChooserModel> model,
                                    QWidget* parent = nullptr);

 protected:
  // The dialogs open beside the chooser wherever it stands: it tells its model.
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void TellFrame();
};

class CompositionDialogWindow : public ToolWindowOf<CompositionDialogModel> {
 public:
  explicit CompositionDialogWindow(std::unique_ptr<CompositionDialogModel> model,
                                   QWidget* parent = nullptr);

 private:
  // The window's name and caption follow the model's kind, read before the model moves in.
  CompositionDialogWindow(CompositionDialogKind kind,
                          std::unique_ptr<CompositionDialogModel>&& model, QWidget* parent);
};

}  // namespace toluvek
