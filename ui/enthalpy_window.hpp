#pragma once
// Form3 "Enthalpy": the enthalpy window, a layout table over its model.

#include <memory>

#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class EnthalpyWindow : public ToolWindowOf<EnthalpyWindowModel> {
 public:
  explicit EnthalpyWindow(std::unique_ptr<EnthalpyWindowModel> model, QWidget* parent = nullptr);

 protected:
  // Leaving the flow field refills the species flows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* flow_ = nullptr;
};

}  // namespace toluvek
