#include "main/combustion.hpp"

#include <array>
#include <cmath>

#include "common/checked.hpp"
#include "engine/enthalpy.hpp"
#include "main/messages.hpp"

namespace toluvek {
namespace {

// Complete combustion per mole of each species; water leaves as vapour. CO2 and H2O pass
// through unchanged, so they "form" one mole of themselves. The heat released is the LHV.
struct CombustionRow {
  double oxygen_needed;  // mol O2 / mol
  double co2_formed;     // mol CO2 / mol
  double h2o_formed;     // mol H2O / mol
};

constexpr std::array<CombustionRow, kSpeciesCount> kCombustion = {{
    {0.5, 0, 1},  // H2
    {0, 0, 0},    // O2: not burnt, left over as O2 − demand
    {0, 0, 0},    // N2: inert
    {0.5, 1, 0},  // CO
    {0, 1, 0},    // CO2: inert
    {0, 0, 1},    // H2O: inert
    {1.5, 1, 2},  // CH3OH
    {2, 1, 2},    // CH4
    {3.5, 2, 3},  // C2H6
    {5, 3, 4},    // C3H8
    {6.5, 4, 5},  // n-C4H10
    {6.5, 4, 5},  // i-C4H10
}};

constexpr double kJoulePerKilojoule = 1000;  // J/kJ
constexpr double kSearchStart = 298.15;      // first candidate temperature [K]
constexpr double kFirstStep = 10;            // [K]
constexpr double kStepFactor = 0.1;          // step refinement after an overshoot
constexpr double kTolerance = 0.001;         // on the products' enthalpy, absolute [J]
constexpr double kUpperLimit = 10000;        // no solution above [K]
// An oxygen demand above the oxygen present by no more than this relative amount is exact
// stoichiometry: the demand is a floating-point sum (C2H6 0.1 needs 0.35000000000000003).
constexpr double kStoichiometricTolerance = 1e-12;  // [-]
// The search settles a decimal of T per overshoot, about 1200 candidates at most in double
// precision; this count only guards against an enthalpy that is not increasing in T.
constexpr int kMaxCandidates = 10000;

// Σ coefficient·amount over the species with a non-zero coefficient, in species order.
template <typename Coefficient>
double WeightedSum(const SpeciesArray& amounts, Coefficient coefficient) {
  double sum = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const double c = coefficient(static_cast<SpeciesIndex>(i));
    if (c != 0) sum += c * amounts[i];
  }
  return Checked(sum);
}

}  // namespace

Message CombustionFailureMessage(CombustionFailure failure) {
  const char* text = "";
  std::string_view code;
  switch (failure) {
    case CombustionFailure::kOxygenShort:
      text = "O2不足です";
      code = "oxygen_short";
      break;
    case CombustionFailure::kDoesNotBurn:
      text = "燃焼しません";
      code = "does_not_burn";
      break;
    case CombustionFailure::kInvalidInput:
      text = "入力値が不正です。";
      code = "invalid_combustion_input";
      break;
    case CombustionFailure::kNoSolution:
      text = "解が見つかりません。";
      code = "no_combustion_solution";
      break;
  }
  return messages::ErrorBox(text, code);
}

double OxygenDemandOf(SpeciesIndex species) {
  return kCombustion[species].oxygen_needed;
}

CombustionOutcome AdiabaticCombustion(double t0_kelvin, const SpeciesArray& amounts) {
  const auto fail = [](CombustionFailure failure) { return CombustionOutcome{{}, failure}; };
  const double n_o2 = Checked(amounts[kO2]);

  // Oxygen demand of the fuels.
  const double demand =
      WeightedSum(amounts, [](SpeciesIndex i) { return kCombustion[i].oxygen_needed; });
  bool exact_stoichiometry = false;
  if (demand > n_o2) {
    if (demand - n_o2 > kStoichiometricTolerance * std::fabs(n_o2)) {
      return fail(CombustionFailure::kOxygenShort);
    }
    exact_stoichiometry = true;
  }

  // Heat released [J].
  const double heat = Checked(kJoulePerKilojoule * WeightedSum(amounts, [](SpeciesIndex i) {
                                return HeatingValueOf(i).lower;
                              }));
  if (heat == 0) return fail(CombustionFailure::kDoesNotBurn);

  double total_before = 0;
  for (double n : amounts) total_before += n;
  total_before = Checked(total_before);

  // Target: what the products must hold, the reactants' enthalpy plus the heat released.
  double reactants = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    reactants += amounts[i] * SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t0_kelvin);
  }
  const double target = Checked(heat + Checked(reactants));

  const double h2o = WeightedSum(amounts, [](SpeciesIndex i) { return kCombustion[i].h2o_formed; });
  const double co2 = WeightedSum(amounts, [](SpeciesIndex i) { return kCombustion[i].co2_formed; });
  // Exact stoichiometry leaves no oxygen, rather than a negative residue of rounding; a
  // positive residue stays as computed.
  const double o2_left = exact_stoichiometry ? 0 : Checked(n_o2 - demand);
  const double n2 = Checked(amounts[kN2]);
  const double total_after = Checked(co2 + h2o + o2_left + n2);

  if (!(target >= 0)) return fail(CombustionFailure::kInvalidInput);

  double t = kSearchStart;
  double step = kFirstStep;
  for (int candidate = 0; candidate < kMaxCandidates; ++candidate) {
    const double products =
        Checked(co2 * SpeciesEnthalpy(kCO2, t) + h2o * SpeciesEnthalpy(kH2O, t) +
                o2_left * SpeciesEnthalpy(kO2, t) + n2 * SpeciesEnthalpy(kN2, t));
    if (std::fabs(products - target) < kTolerance) {
      return CombustionOutcome{
          CombustionResult{t, o2_left, n2, co2, h2o, total_before, total_after}, {}};
    }
    const bool overshoot = products >= target;
    const double next = overshoot ? t - step : t + step;
    // The step has shrunk below the resolution of T: the tolerance cannot be met (amounts
    // of about 1e13 and more make 0.001 J smaller than the rounding of the enthalpies).
    if (next == t) break;
    t = next;
    if (overshoot) {
      step *= kStepFactor;
    } else if (t > kUpperLimit) {
      break;
    }
  }
  return fail(CombustionFailure::kNoSolution);
}

SpeciesArray BurntAmounts(const CombustionResult& result) {
  SpeciesArray burnt{};
  burnt[kO2] = result.o2;
  burnt[kN2] = result.n2;
  burnt[kCO2] = result.co2;
  burnt[kH2O] = result.h2o;
  return burnt;
}

}  // namespace toluvek
