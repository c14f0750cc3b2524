#pragma once
// Heat duty of a flowing mixture between two temperatures, with its chemical energy flow
// (LHV, HHV), the latent heats of its water and methanol content and the flow of each
// species, from the texts of the enthalpy window and of the main window.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gas_table.hpp"
#include "main/main_window_access.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"

namespace toluvek {

enum class FlowUnit { kNlPerMin, kMolPerHour, kKgPerSecond };

// "Nl/min", "mol/h" or "kg/s": the option caption, also the caption of the species-flow column.
std::string_view FlowUnitCaption(FlowUnit unit);

// Litres of ideal gas per mole at 0 ℃ and 1 atm [l/mol]; R·273.15 is formed first.
inline constexpr double kNormalMolarVolume = kGasConstant * kKelvinOffset / kPascalPerAtm;

// Everything as the windows show it. Each text is read strictly where the calculation first
// needs it; the water and methanol fractions are also tested leniently for being positive.
struct HeatDutyInput {
  std::string flow;  // F, in `flow_unit`
  FlowUnit flow_unit = FlowUnit::kNlPerMin;
  std::string t1;               // start temperature [℃]
  std::string t2;               // end temperature [℃]
  SpeciesTexts amounts;         // the main window's amount fields (only ratios matter)
  SpeciesTexts mole_fractions;  // the main window's displayed mole fractions [-]
  SpeciesTexts mass_fractions;  // the main window's displayed mass fractions [-] (kg/s only)
  std::string molar_mass;  // the main window's displayed mixture molar mass [kg/kmol] (kg/s only)
};

// The main window's texts the heat duty reads: the amounts, the displayed mole and mass
// fractions and the molar mass.
void GatherMainWindowTexts(const MainWindowAccess& main, HeatDutyInput& input);

// A power split into a number and a scale by its magnitude: above 1000000 W in MW, above
// 1000 W in kW, else in W (exactly 1000000 W is shown in kW, exactly 1000 W in W).
enum class PowerScale { kMega, kKilo, kOne };

struct ScaledPower {
  double number = 0;  // in the scale's unit
  PowerScale scale = PowerScale::kOne;
  std::string text;  // the number as "0.0000E+000"
};

ScaledPower FormatPower(double watts);

// The unit caption beside the heat duty: "MW", "kW" or " W".
std::string_view HeatDutyUnitCaption(PowerScale scale);
// A heating-value flow: the number followed by " MW", " kW" or " W".
std::string HeatingValueText(const ScaledPower& power);
// A latent heat flow: "(" number " MW)", " kW)" or " W)".
std::string LatentHeatText(const ScaledPower& power);

// Why a run ended before the heat duty.
enum class HeatDutyStop {
  kNone,
  kAmountsAllZero,  // the amounts add up to zero; the window closes
  kNegativeFlow,    // the molar flow is negative; the window stays with the species flows
  kCheckInput,      // a text is not a number or the arithmetic failed; the window closes
};

struct HeatDutyResult {
  // Flow of each species in the chosen unit, as "0.0000E+000", with the values shown.
  std::optional<SpeciesTexts> species_flow;
  SpeciesArray species_flow_value{};
  std::optional<std::string> unit_caption;  // caption of the species-flow column
  std::optional<double> molar_flow;         // n [mol/s]
  std::optional<double> enthalpy_rise;      // Δh [J/mol]
  std::optional<double> heat_duty;          // Q [W]
  // Absent when the mixture has no heating value, or no water / methanol.
  std::optional<double> lhv_power;        // [W]
  std::optional<double> hhv_power;        // [W]
  std::optional<double> water_latent;     // [W]
  std::optional<double> methanol_latent;  // [W]
  // A start or end temperature below absolute zero: a warning only, the run goes on.
  bool temperature_negative = false;
  HeatDutyStop stop = HeatDutyStop::kNone;

  bool ok() const { return stop == HeatDutyStop::kNone; }
  bool closes_window() const {
    return stop == HeatDutyStop::kAmountsAllZero || stop == HeatDutyStop::kCheckInput;
  }
};

// Runs the calculation. Outputs produced before a stop stay in the result: the species flows
// and their caption survive the negative-flow stop; the powers are then absent.
HeatDutyResult ComputeHeatDuty(const HeatDutyInput& input);

}  // namespace toluvek
