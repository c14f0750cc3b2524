#pragma once
// Molar sensible enthalpy of the twelve species and their heating values, shared by the
// combustion temperature, the heat duty of a flowing mixture and the mixing of streams.

#include "engine/gas_table.hpp"

namespace toluvek {

// Molar sensible enthalpy [J/mol] of a species at the absolute temperature `t_kelvin` [K].
// Only differences are meaningful: the values are near, not exactly, zero at 298.15 K.
// Any temperature is accepted; far outside the fitted range the polynomial is extrapolated,
// and a huge temperature gives an infinity that the caller checks.
double SpeciesEnthalpy(SpeciesIndex species, double t_kelvin);

// Lower and higher heating value [kJ/mol] (= MJ/kmol); both zero for O2, N2, CO2 and H2O.
struct HeatingValue {
  double lower = 0;   // LHV, water leaving as vapour
  double higher = 0;  // HHV, water leaving as liquid
};

HeatingValue HeatingValueOf(SpeciesIndex species);

}  // namespace toluvek
