#pragma once
// Properties of an ideal-gas mixture of the twelve species: Wilke's rule for the viscosity,
// Wassiljewa's form with the Mason–Saxena factor for the conductivity.

#include <cstddef>
#include <span>

#include "common/checked.hpp"
#include "engine/gas_table.hpp"

namespace toluvek {

// Every calculation writes every member, so a default-constructed value is left unfilled, as
// scratch for the calculation to write into; write `MixtureProperties p{};` for zeros.
struct MixtureProperties {
  double molar_mass;                  // M [kg/kmol]
  double density;                     // ρ [kg/m³]
  double gas_constant;                // R_mix [J/(kg·K)]
  double cp;                          // [J/(kg·K)]
  double conductivity;                // λ [W/(m·K)]
  double viscosity;                   // μ [Pa·s]
  double kinematic_viscosity;         // ν [m²/s]
  double prandtl;                     // Pr [-]
  double prandtl_eucken;              // Pr by the Eucken relation [-]
  SpeciesArray mole_fraction;         // y_i [-]
  SpeciesArray mass_fraction;         // w_i [-]
  SpeciesArray species_cp;            // cp_i [J/(kg·K)]
  SpeciesArray species_conductivity;  // λ_i [W/(m·K)]
  SpeciesArray species_viscosity;     // μ_i [Pa·s]
  SpeciesArray species_prandtl;       // Pr_i [-]
};

// The steps of the calculation, in the order their quantities are produced.
enum class MixtureStep {
  kNone = 0,            // no failure
  kNormalisation = 1,   // y_i, w_i, M
  kSpeciesProperties,   // cp_i, λ_i, μ_i
  kSpecificHeat,        // cp
  kTransport,           // μ, λ (Wilke, Wassiljewa/Mason–Saxena)
  kDensity,             // ρ
  kGasConstant,         // R_mix
  kKinematicViscosity,  // ν
  kPrandtl,             // Pr
  kEucken,              // Pr_E
  kSpeciesPrandtl,      // Pr_i
};

// What the calculation produced. On failure, `properties` holds every quantity of the steps
// before `failed_step`; in the species-Prandtl step, the Pr_i of the species before
// `failed_species` too; the quantities not produced are zero.
struct MixtureResult {
  MixtureProperties properties;
  MixtureStep failed_step = MixtureStep::kNone;
  std::size_t failed_species = 0;
  FaultKind fault = FaultKind::kInvalidOperation;
  bool ok() const { return failed_step == MixtureStep::kNone; }
};

// How the 144 Wilke factors φ_ij are formed.
enum class WilkeForm {
  kFactored,  // molar-mass factors prepared once, √μ per species: the fast form
  kLiteral,  // [1 + (μi/μj)^0.5·(Mj/Mi)^0.25]²·(1 + Mi/Mj)^-0.5/√8 with std::pow, as written
};

// Pressure in Pa, absolute temperature in K, amounts in any proportional unit (the caller
// guarantees them non-negative with a non-zero sum).
//
// The factored form runs over the twelve species a few at a time and checks the values of each
// step together; a state where any of them is not finite is calculated again by
// CalculateMixtureStepwise, which reports the step, the species and the fault. Both give the
// same bits.
MixtureResult CalculateMixture(double pressure, double temperature, const SpeciesArray& amounts,
                               WilkeForm form = WilkeForm::kFactored);

// The same calculation one operation at a time, each checked as it is made: the plain form,
// kept as the one a failure is reported from and as the measure of the fast one.
MixtureResult CalculateMixtureStepwise(double pressure, double temperature,
                                       const SpeciesArray& amounts,
                                       WilkeForm form = WilkeForm::kFactored);

// The factored form runs its species in lanes: two at a time, the portable form, or four at a
// time where the processor has AVX2. Both give the same bits; CalculateMixture and
// CalculateMixtures take the widest the processor runs.
enum class LaneWidth { kTwo, kFour };
bool LaneWidthAvailable(LaneWidth width);
// CalculateMixture in lanes of the given width; throws std::invalid_argument when the
// processor cannot run them.
MixtureResult CalculateMixtureInLanes(LaneWidth width, double pressure, double temperature,
                                      const SpeciesArray& amounts);

// Many states at once, for the tables, the batch and the Python module. State k is
// pressures[k] [Pa], temperatures[k] [K] and amounts[k]; an input with one entry is shared by
// every state. results[k] receives exactly what CalculateMixture gives for state k, failures
// included, written in place (results already allocated are reused as they are). Throws
// std::invalid_argument when an input has neither one entry nor one per result. Calls on
// disjoint spans of results may run on different threads.
void CalculateMixtures(std::span<const double> pressures, std::span<const double> temperatures,
                       std::span<const SpeciesArray> amounts, std::span<MixtureResult> results);

}  // namespace toluvek
