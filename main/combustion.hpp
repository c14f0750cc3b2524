#pragma once
// Adiabatic complete combustion of a mixture with the oxygen it contains: the burnt gas and
// its temperature, found by a stepping search on the products' enthalpy.

#include <optional>

#include "engine/gas_table.hpp"
#include "main/platform.hpp"

namespace toluvek {

struct CombustionResult {
  double temperature = 0;   // Tad, adiabatic combustion temperature [K]
  double o2 = 0;            // oxygen left over [mol]
  double n2 = 0;            // nitrogen, inert [mol]
  double co2 = 0;           // carbon dioxide after combustion [mol]
  double h2o = 0;           // water vapour after combustion [mol]
  double total_before = 0;  // sum of the twelve amounts [mol]
  double total_after = 0;   // CO2 + H2O + O2 + N2 [mol]
};

// The burnt gas as twelve amounts [mol]: only O2, N2, CO2 and H2O remain, the rest are zero.
SpeciesArray BurntAmounts(const CombustionResult& result);

// The checks of the calculation that end it with a message of their own.
enum class CombustionFailure {
  kOxygenShort,   // the fuels need more oxygen than there is
  kDoesNotBurn,   // no fuel: zero heat of combustion
  kInvalidInput,  // negative enthalpy target
  kNoSolution,    // the search passed 10000 K or could not meet its tolerance
};

struct CombustionOutcome {
  std::optional<CombustionResult> result;  // present exactly when `failure` is empty
  std::optional<CombustionFailure> failure;
  bool ok() const { return result.has_value(); }
};

// The message box of a failure: its text with the title "エラーメッセージ" and the
// critical-stop icon.
Message CombustionFailureMessage(CombustionFailure failure);

// Oxygen that complete combustion of one mole of the species takes [mol O2/mol]; 0 for the
// species that do not burn.
double OxygenDemandOf(SpeciesIndex species);

// Burns the twelve amounts [mol] (species order) completely, starting at `t0_kelvin` [K].
// The search starts at 298.15 K whatever the start temperature is, climbs in 10 K steps and
// settles one more decimal of the temperature at each overshoot, until the products'
// enthalpy is within 0.001 J of the reactants' enthalpy plus the heat released.
// Throws ArithmeticFault when a quantity overflows or is not a number (huge inputs).
CombustionOutcome AdiabaticCombustion(double t0_kelvin, const SpeciesArray& amounts);

}  // namespace toluvek
