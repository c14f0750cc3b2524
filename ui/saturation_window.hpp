#pragma once
// Form5 "飽和温度": the dew-point pop-up, two labels over its model. It goes away as soon as it
// is no longer the active window.

#include <memory>

#include "tools/water/saturation_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class SaturationWindow : public ToolWindowOf<SaturationWindowModel> {
 public:
  explicit SaturationWindow(std::unique_ptr<SaturationWindowModel> model,
                            QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;
};

}  // namespace toluvek
