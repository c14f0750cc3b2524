#pragma once
// The water enthalpy window (Form4, "Enthalpy of Water"): a flow of water in one of three
// units, a start and an end temperature and the phase at the end; the heat flow ComputeWaterHeat
// gives, in Label4 with its unit in Label5. It does not use the gas mixture.

#include <array>
#include <optional>
#include <string_view>

#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/water/water_heat.hpp"

namespace toluvek {

// Control names of the water enthalpy window.
namespace form4 {
inline constexpr std::string_view kWindow = "Form4";
inline constexpr std::string_view kFlow = "Text1";
inline constexpr std::string_view kT1 = "Text2";
inline constexpr std::string_view kT2 = "Text3";
// g/min, mol/h, kg/h, in the order of WaterFlowUnit.
inline constexpr std::array<std::string_view, 3> kUnitOptions = {"Option1", "Option2", "Option3"};
// 液, 気, in the order of WaterPhase.
inline constexpr std::array<std::string_view, 2> kPhaseOptions = {"Option4", "Option5"};
inline constexpr std::string_view kHeat = "Label4";
inline constexpr std::string_view kHeatUnit = "Label5";
inline constexpr std::string_view kCalculate = "Command2";
inline constexpr std::string_view kClose = "Command1";
}  // namespace form4

class WaterWindowModel : public WindowModel {
 public:
  // Loads the window: 100 g/min of water from 25 ℃ to 25 ℃, liquid at the end, no result.
  explicit WaterWindowModel(MessageService& messages);

  // "計算", Enter in Text3, any of the five options: the heat flow into Label4 and Label5,
  // Label4 shown, Calculate disabled. A text that is not a number: "入力値を確認下さい。",
  // and the result and Calculate stay as they were.
  void Calculate();
  void SelectFlowUnit(WaterFlowUnit unit);  // chosen, then a calculation
  void SelectPhase(WaterPhase phase);       // chosen, then a calculation
  // Enter in a field: Text1 moves the focus on (returns "Text2"), Text2 too (returns "Text3"),
  // Text3 calculates. Returns the control to focus, or "".
  std::string_view EnterPressed(std::string_view control);
  // "閉": unloads the window.
  void Close();

  std::optional<WaterFlowUnit> flow_unit() const;
  std::optional<WaterPhase> phase() const;
  WaterEnthalpyInput GatherInput() const;
  // The heat flow of the latest calculation [W]; none when it failed or none ran.
  std::optional<double> last_heat() const { return last_heat_; }

 protected:
  void TextChanged(std::string_view control) override;

 private:
  MessageService& messages_;
  std::optional<double> last_heat_;
};

}  // namespace toluvek
