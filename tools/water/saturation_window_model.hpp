#pragma once
// The saturation temperature pop-up (Form5, "飽和温度"): the partial pressure of the water
// vapour in the main window's mixture and its dew point, computed once while the pop-up opens.
// It unloads itself as soon as it loses the focus.

#include <string_view>
#include <vector>

#include "main/main_window_access.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/water/saturation.hpp"

namespace toluvek {

namespace form5 {
inline constexpr std::string_view kWindow = "Form5";
inline constexpr std::string_view kPartialPressure = "Label1";  // "380.0mmHg →"
inline constexpr std::string_view kTemperature = "Label2";      // "81.3℃"
}  // namespace form5

namespace saturation_messages {
inline const Message kNoSolution{.text = "解が見つかりません!", .code = "no_saturation_solution"};
inline const Message kError{.text = "エラー!", .code = "saturation_error"};
}  // namespace saturation_messages

// The messages the pop-up shows while it opens, in order: none for a solved search.
std::vector<Message> SaturationMessages(SaturationStatus status);

class SaturationWindowModel : public WindowModel {
 public:
  // Loads the pop-up: reads the main window's water mole fraction, pressure and pressure unit,
  // computes, and shows the two labels, or the messages of a search without a solution (the
  // labels then keep their own names as captions).
  SaturationWindowModel(MainWindowAccess& main, MessageService& messages);

  // The pop-up lost the focus: it unloads, and the main window's water fraction turns aqua.
  void FocusLost();

  const SaturationDisplay& display() const { return display_; }

 private:
  MainWindowAccess& main_;
  SaturationDisplay display_;
  bool unloading_ = false;
};

}  // namespace toluvek
