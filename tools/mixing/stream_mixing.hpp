#pragma once
// Adiabatic mixing of two gas streams without reaction: the normalised composition of each
// stream, the flow and composition of the mixed stream, and its temperature from the balance
// of the enthalpy the streams bring in against the enthalpy of the mixed stream.

#include <array>
#include <string>
#include <vector>

#include "engine/gas_table.hpp"
#include "main/window_model.hpp"

namespace toluvek {

// One input stream as the texts of its fields.
struct MixingStream {
  std::string temperature;  // ℃, read leniently
  std::string flow;         // any molar flow unit, read leniently
  SpeciesTexts amounts;     // proportional values, species order
};

enum class MixingStatus {
  kSolved,
  kNoSolution,  // the search passed 10000 K or could not refine any further
  kInputError,  // an amount that is not a number, a zero sum or flow, an arithmetic fault
};

// What a display text shows: a normalised amount of stream A or B, the total flow, a mixed
// fraction or the mixed temperature.
enum class MixingItem { kFractionA, kFractionB, kTotalFlow, kMixedFraction, kMixedTemperature };

struct MixingText {
  MixingItem item;
  std::size_t species = 0;  // for the fractions, in species order
  std::string text;
  bool operator==(const MixingText&) const = default;
};

struct MixingResult {
  SpeciesArray composition_a{};  // normalised mole fractions, four significant figures
  SpeciesArray composition_b{};
  double total_flow = 0;             // F_A + F_B, unrounded
  SpeciesArray mixed_composition{};  // four significant figures
  double mixed_temperature = 0;      // ℃, when solved
  MixingStatus status = MixingStatus::kInputError;
  int search_steps = 0;  // candidate temperatures tried
  // What the window writes, in the order produced: A's normalised amounts, B's, the total
  // flow, the mixed fractions, the mixed temperature. A stopped run carries what it produced.
  std::vector<MixingText> display;
};

// Mixes stream A with stream B. Some steps use the four-figure values shown in the window
// (the normalised fractions and the mixed fractions), exactly as the window reads them back.
MixingResult StreamMixing(const MixingStream& a, const MixingStream& b);

// The largest number of candidate temperatures the search tries before it gives up; ordinary
// mixtures settle within a hundred.
inline constexpr int kMixingSearchLimit = 1000000;

}  // namespace toluvek
