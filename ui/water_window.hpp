#pragma once
// Form4 "Enthalpy of Water": the water enthalpy window, a layout table over its model.

#include <memory>

#include "tools/water/water_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class WaterWindow : public ToolWindowOf<WaterWindowModel> {
 public:
  explicit WaterWindow(std::unique_ptr<WaterWindowModel> model, QWidget* parent = nullptr);
};

}  // namespace toluvek
