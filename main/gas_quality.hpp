#pragma once
// The figures a fuel gas is specified by: heating values per kg, per kmol and per normal
// cubic metre, relative density, Wobbe indices and the stoichiometric air requirement. All
// of them follow from the heating values and molar masses of the twelve species, the gas
// taken as ideal.

#include <string_view>

#include "engine/gas_table.hpp"
#include "main/platform.hpp"
#include "main/state_check.hpp"

namespace toluvek {

// The normal state of a normal cubic metre (m³N).
inline constexpr double kNormalTemperature = 273.15;  // T_N [K], 0 ℃
inline constexpr double kNormalPressure = 101325;     // p_N [Pa], 101.325 kPa

// The program's air, as its air preset: dry air of 21 % O2 and 79 % N2 by volume.
inline constexpr double kAirOxygenFraction = 0.21;    // [mol O2/mol air]
inline constexpr double kAirNitrogenFraction = 0.79;  // [mol N2/mol air]

// Molar volume of an ideal gas at the normal state, R·T_N/p_N [m³N/kmol].
double NormalMolarVolume();

// Molar mass of the program's air, 0.21·M_O2 + 0.79·M_N2 [kg/kmol].
double AirMolarMass();

struct GasQuality {
  double molar_mass = 0;        // M [kg/kmol]
  double hhv_mass = 0;          // higher heating value [J/kg]
  double lhv_mass = 0;          // lower heating value [J/kg]
  double hhv_molar = 0;         // [J/kmol]
  double lhv_molar = 0;         // [J/kmol]
  double hhv_volume = 0;        // [J/m³N]
  double lhv_volume = 0;        // [J/m³N]
  double relative_density = 0;  // d = M/M_air, ideal gases at the same state [-]
  double wobbe_higher = 0;      // HHV per m³N / √d [J/m³N]
  double wobbe_lower = 0;       // LHV per m³N / √d [J/m³N]
  double air_volume = 0;        // stoichiometric air [m³N air/m³N gas]
  double air_mass = 0;          // stoichiometric air [kg air/kg gas]
};

// Each figure with its name in machine output, SI unit in the name, in output order.
struct GasQualityQuantity {
  std::string_view name;  // "hhv_J_per_kg"
  double GasQuality::*value;
};
inline constexpr GasQualityQuantity kGasQualityQuantities[] = {
    {"hhv_J_per_kg", &GasQuality::hhv_mass},
    {"lhv_J_per_kg", &GasQuality::lhv_mass},
    {"hhv_J_per_kmol", &GasQuality::hhv_molar},
    {"lhv_J_per_kmol", &GasQuality::lhv_molar},
    {"hhv_J_per_m3N", &GasQuality::hhv_volume},
    {"lhv_J_per_m3N", &GasQuality::lhv_volume},
    {"relative_density", &GasQuality::relative_density},
    {"wobbe_higher_J_per_m3N", &GasQuality::wobbe_higher},
    {"wobbe_lower_J_per_m3N", &GasQuality::wobbe_lower},
    {"air_m3N_per_m3N", &GasQuality::air_volume},
    {"air_kg_per_kg", &GasQuality::air_mass},
};

// The figures of a gas of the mole fractions (summing to one, none negative). The oxygen the
// gas holds counts against its air requirement; a gas holding at least the oxygen its fuels
// need takes no air. Throws ArithmeticFault where the arithmetic fails (no fraction at all).
GasQuality ComputeGasQuality(const SpeciesArray& mole_fraction);

// Air that burns the amounts completely, in the unit of the amounts: the oxygen their fuels
// need less the oxygen they hold, over 0.21; 0 when they hold enough. Throws ArithmeticFault
// on an overflow.
double StoichiometricAir(const SpeciesArray& amounts);

// The amounts with `air_ratio` times their stoichiometric air added as O2 and N2 (1.1 for
// 10 % excess air). Throws ArithmeticFault on an overflow.
SpeciesArray WithAir(const SpeciesArray& amounts, double air_ratio);

// The figures of the amounts as the main window reads them: the calculate command's checks on
// the amounts (at the normal state, which passes the checks on pressure and temperature), the
// mole fractions of the mixture calculation, then the figures.
struct GasQualityOutcome {
  const Message* message = nullptr;  // the check or fault that stopped it; null when computed
  GasQuality quality;
};
GasQualityOutcome EvaluateGasQuality(const AmountsInput& amounts);

}  // namespace toluvek
