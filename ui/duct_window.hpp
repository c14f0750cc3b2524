#pragma once
// Form7 "Flow Property": the duct flow window, a layout table over its model.

#include <memory>

#include "tools/duct/duct_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class DuctWindow : public ToolWindowOf<DuctWindowModel> {
 public:
  explicit DuctWindow(std::unique_ptr<DuctWindowModel> model, QWidget* parent = nullptr);
};

}  // namespace toluvek
