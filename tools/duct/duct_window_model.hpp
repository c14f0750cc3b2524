#pragma once
// The duct flow window (Form7, "Flow Property"): the flow and its unit, the duct's shape and
// dimensions with their length unit, and the six results of ComputeDuctFlow. The gas's
// properties come from the main window's fields, which "Re" has just calculated in Pa and ℃.

#include <array>
#include <string_view>
#include <vector>

#include "main/main_window_access.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/duct/duct_flow.hpp"

namespace toluvek {

// Control names of the duct flow window.
namespace duct_flow_fields {
inline constexpr std::string_view kWindow = "Form7";
inline constexpr std::string_view kFlow = "Text1";
inline constexpr std::string_view kD1 = "Text2";
inline constexpr std::string_view kD2 = "Text3";
inline constexpr std::string_view kD1Caption = "Label2";
inline constexpr std::string_view kD1Unit = "Label3";
inline constexpr std::string_view kD2Caption = "Label4";
inline constexpr std::string_view kD2Unit = "Label5";
// Nl/min, kg/s.
inline constexpr std::array<std::string_view, 2> kFlowUnitOptions = {"Option1", "Option2"};
// 円管, 二重管, 矩形.
inline constexpr std::array<std::string_view, 3> kShapeOptions = {"Option3", "Option4", "Option5"};
inline constexpr std::string_view kCalculate = "Command1";
inline constexpr std::string_view kClose = "Command2";
}  // namespace duct_flow_fields

// The result rows, in the order the values are published.
struct DuctRow {
  DuctQuantity quantity;
  std::string_view control;  // value label
  std::string_view caption;
  std::string_view unit;
};

inline constexpr std::array<DuctRow, 6> kDuctRows = {{
    {DuctQuantity::kArea, "Label11", "流路断面積", "[m2]"},
    {DuctQuantity::kVelocity, "Label15", "ガス流速", "[m/s]"},
    {DuctQuantity::kHydraulicDiameter, "Label14", "水力直径", "[m]"},
    {DuctQuantity::kReynolds, "Label13", "Re数", "[-]"},
    {DuctQuantity::kHeatTransfer, "Label12", "対流熱伝達率", "[W/m2/K]"},
    {DuctQuantity::kMassVelocity, "Label22", "質量速度", "[kg/m2/s]"},
}};

namespace duct_messages {
// The checks of the duct's dimensions.
inline const Message kDivisionByZero{.text = "0で割りました!", .code = "division_by_zero"};
inline const Message kInputNegative{.text = "入力値が負です!", .code = "negative_input"};
}  // namespace duct_messages

// The messages a stopped calculation shows, in order.
std::vector<Message> DuctStopMessages(DuctStop stop);

// The captions of the d1 and d2 rows for a shape; circular pipes have no d2.
struct DuctShapeCaptions {
  std::string_view d1;
  std::string_view d2;
};
DuctShapeCaptions CaptionsFor(DuctShape shape);

class DuctWindowModel : public WindowModel {
 public:
  // Loads the window and runs its opening steps: empty flow, Nl/min, circular pipe of 0.01 m,
  // the d2 row hidden with "0", no results.
  DuctWindowModel(MainWindowAccess& main, MessageService& messages);

  // "計　　算", Enter in a field or on a shape option: gathers the inputs, clears the six
  // values, publishes this run's values one by one, shows the stop's messages; disables
  // Calculate when every value was published.
  void Calculate();
  // The flow-unit options: chosen, then a calculation.
  void SelectFlowUnit(DuctFlowUnit unit);
  // The shape options: captions and the d2 row follow the shape; Calculate is enabled.
  void SelectShape(DuctShape shape);
  // Click on Label3: both unit labels switch between "m" and "mm" and the two dimensions are
  // converted (×1000 or ×0.001). A dimension that is not a number: "入力値を確認下さい。" and
  // neither is converted; the labels stay switched.
  void SwitchLengthUnitConverting();
  // Click on Label5: both unit labels switch, the numbers stay as typed.
  void SwitchLengthUnitKeeping();
  // Enter in `control`: calculates in the three fields and on the shape options.
  void EnterPressed(std::string_view control);
  // "閉": unloads the window.
  void Close();

  DuctFlowUnit flow_unit() const;
  DuctShape shape() const;
  DuctLengthUnit length_unit() const;
  // The inputs as a calculation now reads them, from this window and the main window.
  DuctFlowInput GatherInput() const;
  // The outcome of the latest calculation.
  const DuctFlowResult& last_result() const { return last_result_; }

 protected:
  void TextChanged(std::string_view control) override;

 private:
  // Writes both unit labels; returns the new unit.
  DuctLengthUnit SwitchLengthLabels();

  MainWindowAccess& main_;
  MessageService& messages_;
  DuctFlowResult last_result_;
};

}  // namespace toluvek
