#pragma once
// Heat flow to bring a flow of liquid water from one temperature to another, ending as liquid
// or as vapour (heating plus evaporation).

#include <optional>
#include <string>
#include <string_view>

namespace toluvek {

enum class WaterFlowUnit { kGramPerMinute, kMolPerHour, kKgPerHour };
enum class WaterPhase { kLiquid, kGas };

// "g/min", "mol/h", "kg/h"; "液", "気".
std::string_view WaterFlowUnitCaption(WaterFlowUnit unit);
std::string_view WaterPhaseCaption(WaterPhase phase);

// The water window's fields as typed; every text is read strictly.
struct WaterEnthalpyInput {
  std::string flow;                        // F, in `flow_unit`
  std::optional<WaterFlowUnit> flow_unit;  // none chosen: no flow
  std::string t1;                          // start temperature, liquid [℃]
  std::string t2;                          // end temperature [℃]
  std::optional<WaterPhase> phase;         // state at the end; none chosen: no heat
};

// Molar enthalpy of liquid water and of water vapour [kJ/mol] at T [K], both referred to
// the liquid at 25 ℃.
double LiquidWaterEnthalpy(double t_kelvin);
double WaterVapourEnthalpy(double t_kelvin);

// The heat flow Q [W] (negative for cooling), or no value when a text is not a number or the
// arithmetic fails.
std::optional<double> ComputeWaterHeat(const WaterEnthalpyInput& input);

// Q as the window shows it: the signed value decides the scale, so a cooling of any size
// stays in W. `number` is "0.0000E+000"; `unit` is "MW", "kW" or "W".
struct WaterPowerText {
  std::string number;
  std::string unit;
};

WaterPowerText FormatWaterPower(double watts);

}  // namespace toluvek
