#pragma once
// Adiabatic mixing of two gas streams without reaction: the normalised composition of each
// stream, the flow and composition of the mixed stream, and its temperature from the balance
// of the enthalpy the streams bring in against the enthalpy of the mixed stream.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gas_table.hpp"
#include "main/calculate_command.hpp"
#include "main/platform.hpp"

namespace toluvek {

// Control names of the mixing window (Form11), in species order where they belong to one.
namespace form11 {
using SpeciesFields = std::array<std::string_view, kSpeciesCount>;
inline constexpr std::string_view kTemperatureA = "Text1";
inline constexpr std::string_view kFlowA = "Text2";
inline constexpr SpeciesFields kAmountA = {"Text3",  "Text4",  "Text5",  "Text6",
                                           "Text7",  "Text8",  "Text9",  "Text10",
                                           "Text11", "Text12", "Text13", "Text14"};
inline constexpr std::string_view kTemperatureB = "Text15";
inline constexpr std::string_view kFlowB = "Text16";
inline constexpr SpeciesFields kAmountB = {"Text17", "Text18", "Text19", "Text20",
                                           "Text21", "Text22", "Text23", "Text24",
                                           "Text25", "Text26", "Text27", "Text28"};
inline constexpr std::string_view kMixedTemperature = "Label16";
inline constexpr std::string_view kTotalFlow = "Label17";
inline constexpr SpeciesFields kMixedFraction = {"Label18", "Label19", "Label20", "Label21",
                                                 "Label22", "Label23", "Label24", "Label25",
                                                 "Label26", "Label27", "Label28", "Label29"};
}  // namespace form11

// One input stream as the texts of its fields.
struct MixingStream {
  std::string temperature;                         // ℃, read leniently
  std::string flow;                                // any molar flow unit, read leniently
  std::array<std::string, kSpeciesCount> amounts;  // proportional values, species order
};

enum class MixingStatus {
  kSolved,
  kNoSolution,  // the search passed 10000 K or could not refine any further
  kInputError,  // an amount that is not a number, a zero sum or flow, an arithmetic fault
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
  std::vector<FieldWrite> display;
  std::optional<Message> message;  // shown when the run stops without a solution
};

// Mixes stream A with stream B. Some steps use the four-figure values shown in the window
// (the normalised fractions and the mixed fractions), exactly as the window reads them back.
MixingResult StreamMixing(const MixingStream& a, const MixingStream& b);

// The largest number of candidate temperatures the search tries before it gives up; ordinary
// mixtures settle within a hundred.
inline constexpr int kMixingSearchLimit = 1000000;

namespace mixing_messages {
inline const Message kCheckInput{"入力値を確認下さい。"};
inline const Message kNoSolution{"解が見つかりません。", "エラーメッセージ",
                                 MessageIcon::kCritical};
}  // namespace mixing_messages

}  // namespace toluvek
