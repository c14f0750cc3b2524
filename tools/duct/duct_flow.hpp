#pragma once
// Flow of the current mixture through a duct: cross-section, velocity, hydraulic diameter,
// Reynolds number, convective heat-transfer coefficient and mass velocity, for a circular
// pipe, the annulus of a double pipe or a rectangular channel.

#include <string>
#include <vector>

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

struct DuctValue {
  DuctQuantity quantity;
  double value;
  std::string text;  // "0.0000E+000"
};

// Why a calculation ended before its last value.
enum class DuctStop {
  kNone,            // every value was published
  kDivisionByZero,  // the dimensions add up to zero
  kNegative,        // a negative dimension (or product of the two)
  kNoFlowArea,      // the area is not positive: an inner diameter at least the outer one
  kFailed,          // a text that is not a number or an arithmetic fault
};

struct DuctFlowResult {
  // The values published, in order; a stopped run keeps those published before the stop.
  std::vector<DuctValue> published;
  DuctStop stop = DuctStop::kFailed;
  bool completed() const { return stop == DuctStop::kNone; }
};

DuctFlowResult ComputeDuctFlow(const DuctFlowInput& input);

}  // namespace toluvek
