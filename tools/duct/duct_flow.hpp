#pragma once
// Flow of the current mixture through a duct: cross-section, velocity, hydraulic diameter,
// Reynolds number, convective heat-transfer coefficient and mass velocity, for a circular
// pipe, the annulus of a double pipe or a rectangular channel.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "main/platform.hpp"

namespace toluvek {

enum class DuctShape { kCircular, kDoublePipe, kRectangular };  // "円管", "二重管", "矩形"
enum class DuctFlowUnit { kNlPerMin, kKgPerSecond };            // "Nl/min", "kg/s"
enum class DuctLengthUnit { kMetre, kMillimetre };              // caption "m" or "mm"

// The texts the calculation reads: the duct window's own fields and the main window's
// pressure (Pa), temperature (℃) and mixture results.
struct DuctFlowInput {
  std::string flow;  // Text1, in `flow_unit`
  DuctFlowUnit flow_unit = DuctFlowUnit::kNlPerMin;
  DuctShape shape = DuctShape::kCircular;
  std::string d1 = "0.01";  // Text2: diameter, outer diameter or height
  std::string d2 = "0";     // Text3: inner diameter or width
  DuctLengthUnit length_unit = DuctLengthUnit::kMetre;
  std::string pressure;             // main window Text1 [Pa]
  std::string temperature;          // main window Text2 [℃]
  std::string density;              // Text49 [kg/m³]
  std::string kinematic_viscosity;  // Text53 [m²/s]
  std::string conductivity;         // Text51 [W/(m·K)]
  std::string prandtl;              // Text55 [-]
};

enum class DuctQuantity {
  kArea,               // flow cross-section [m²]
  kVelocity,           // mean gas velocity [m/s]
  kHydraulicDiameter,  // 4·area / wetted perimeter [m]
  kReynolds,           // [-]
  kHeatTransfer,       // convective heat-transfer coefficient [W/(m²·K)]
  kMassVelocity,       // mass flow per unit area [kg/(m²·s)]
};

// The result rows of the duct window (Form7), in the order the values are published.
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

struct DuctValue {
  DuctQuantity quantity;
  std::string_view control;
  double value;
  std::string text;  // "0.0000E+000"
};

struct DuctFlowResult {
  // The values published, in order; a stopped run keeps those published before the stop.
  std::vector<DuctValue> published;
  std::vector<Message> messages;  // in the order shown
  bool completed = false;
};

DuctFlowResult ComputeDuctFlow(const DuctFlowInput& input);

namespace duct_messages {
inline const Message kDivisionByZero{"0で割りました!"};
inline const Message kNegative{"入力値が負です!"};
inline const Message kCheckInput{"入力値を確認下さい。"};
}  // namespace duct_messages

}  // namespace toluvek
