#pragma once
// Form11 "混合": the mixing window, a layout table over its model.

#include <memory>

#include "tools/mixing/mixing_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class MixingWindow : public ToolWindowOf<MixingWindowModel> {
 public:
  explicit MixingWindow(std::unique_ptr<MixingWindowModel> model, QWidget* parent = nullptr);
};

}  // namespace toluvek
