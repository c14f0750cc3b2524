#include "tools/mixing/stream_mixing.hpp"

#include <cmath>
#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/enthalpy.hpp"

namespace toluvek {
namespace {

constexpr double kFirstStepFraction = 0.1;    // of the span between the stream temperatures
constexpr double kStepReduction = 0.1;        // applied to the step at each overshoot
constexpr double kRelativeTolerance = 0.001;  // on the mixed-stream enthalpy against the target
constexpr double kUpperLimit = 10000;         // K, the highest candidate tried

// Replaces each amount by its share of the stream's total, four significant figures as
// shown, species by species; the shown texts are appended as they are produced.
SpeciesArray Normalise(const MixingStream& stream, MixingItem item,
                       std::vector<MixingText>& display) {
  double sum = 0;
  for (const std::string& amount : stream.amounts) sum = Checked(sum + ParseLenient(amount));
  SpeciesArray fractions{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    fractions[i] = RoundToDisplay4(Div(RequireNumber(stream.amounts[i]), sum));
    display.push_back({item, i, FormatPattern(fractions[i], Pattern::kSci3)});
  }
  return fractions;
}

// Σ n_i · h_i(T) over the species, left to right.
double StreamEnthalpy(const SpeciesArray& flows, double t_kelvin) {
  double sum = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    sum = Checked(sum + flows[i] * SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t_kelvin));
  }
  return sum;
}

// Enthalpy of the mixed stream at T: Σ F · h_i(T) · x_i.
double MixedEnthalpy(double total_flow, const SpeciesArray& fractions, double t_kelvin) {
  double sum = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    sum = Checked(sum + total_flow * SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t_kelvin) *
                            fractions[i]);
  }
  return sum;
}

void Finish(MixingResult& result, double t_kelvin) {
  result.mixed_temperature = Checked(t_kelvin - kKelvinOffset);
  result.display.push_back({MixingItem::kMixedTemperature, 0,
                            FormatPattern(result.mixed_temperature, Pattern::kFixed2)});
  result.status = MixingStatus::kSolved;
}

void Mix(const MixingStream& a, const MixingStream& b, MixingResult& result) {
  // 1-2. Normalised compositions, A before B.
  result.composition_a = Normalise(a, MixingItem::kFractionA, result.display);
  result.composition_b = Normalise(b, MixingItem::kFractionB, result.display);

  // 3. Total flow.
  const double flow_a = ParseLenient(a.flow);
  const double flow_b = ParseLenient(b.flow);
  const double total = Checked(flow_b + flow_a);
  result.total_flow = total;
  result.display.push_back({MixingItem::kTotalFlow, 0, FormatPattern(total, Pattern::kSci3)});

  // 4. Mixed composition, as shown.
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const double n = Checked(result.composition_b[i] * flow_b + result.composition_a[i] * flow_a);
    result.mixed_composition[i] = RoundToDisplay4(Div(n, total));
    result.display.push_back({MixingItem::kMixedFraction, i,
                              FormatPattern(result.mixed_composition[i], Pattern::kSci3)});
  }

  // 5-7. Species flows and the enthalpy the two streams bring in.
  SpeciesArray flows_a{};
  SpeciesArray flows_b{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    flows_a[i] = Checked(result.composition_a[i] * flow_a);
    flows_b[i] = Checked(result.composition_b[i] * flow_b);
  }
  const double t_a = Checked(ParseLenient(a.temperature) + kKelvinOffset);
  const double t_b = Checked(ParseLenient(b.temperature) + kKelvinOffset);
  const double target = Checked(StreamEnthalpy(flows_b, t_b) + StreamEnthalpy(flows_a, t_a));

  // 8. Streams at one temperature leave it unchanged.
  if (t_a == t_b) {
    Finish(result, t_a);
    return;
  }

  // 9. Climb from the colder stream; step back and refine the step tenfold at each overshoot.
  double t = t_a >= t_b ? t_b : t_a;
  double step = Checked(kFirstStepFraction * std::fabs(Checked(t_b - t_a)));
  for (int tried = 1; tried <= kMixingSearchLimit; ++tried) {
    result.search_steps = tried;
    const double h = MixedEnthalpy(total, result.mixed_composition, t);
    if (std::fabs(1 - Div(h, target)) < kRelativeTolerance) {
      Finish(result, t);
      return;
    }
    const double previous = t;
    if (h >= target) {
      t = t - step;
      step = kStepReduction * step;
    } else {
      t = t + step;
      if (t > kUpperLimit) break;
    }
    // A step too small to move the candidate would repeat the same test for ever: a target so
    // near the zero of the enthalpy scale that no temperature meets the relative tolerance.
    if (t == previous) break;
  }
  result.status = MixingStatus::kNoSolution;
}

}  // namespace

MixingResult StreamMixing(const MixingStream& a, const MixingStream& b) {
  MixingResult result;
  try {
    Mix(a, b, result);
  } catch (const std::exception&) {
    // An amount that is not a number, a zero sum, flow or target, or an overflow.
    result.status = MixingStatus::kInputError;
  }
  return result;
}

}  // namespace toluvek
