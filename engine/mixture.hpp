#pragma once
// Properties of an ideal-gas mixture of the twelve species: Wilke's rule for the viscosity,
// Wassiljewa's form with the Mason–Saxena factor for the conductivity.

#include <cstddef>

#include "common/checked.hpp"
#include "engine/gas_table.hpp"

namespace toluvek {

struct MixtureProperties {
  double molar_mass = 0;                // M [kg/kmol]
  double density = 0;                   // ρ [kg/m³]
  double gas_constant = 0;              // R_mix [J/(kg·K)]
  double cp = 0;                        // [J/(kg·K)]
  double conductivity = 0;              // λ [W/(m·K)]
  double viscosity = 0;                 // μ [Pa·s]
  double kinematic_viscosity = 0;       // ν [m²/s]
  double prandtl = 0;                   // Pr [-]
  double prandtl_eucken = 0;            // Pr by the Eucken relation [-]
  SpeciesArray mole_fraction{};         // y_i [-]
  SpeciesArray mass_fraction{};         // w_i [-]
  SpeciesArray species_cp{};            // cp_i [J/(kg·K)]
  SpeciesArray species_conductivity{};  // λ_i [W/(m·K)]
  SpeciesArray species_viscosity{};     // μ_i [Pa·s]
  SpeciesArray species_prandtl{};       // Pr_i [-]
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
// `failed_species` too.
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
MixtureResult CalculateMixture(double pressure, double temperature, const SpeciesArray& amounts,
                               WilkeForm form = WilkeForm::kFactored);

}  // namespace toluvek
