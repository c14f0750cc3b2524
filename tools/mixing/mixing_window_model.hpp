#pragma once
// The mixing window (Form11): its control names and the messages of its calculation.

#include <array>
#include <optional>
#include <string_view>

#include "main/messages.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/mixing/stream_mixing.hpp"

namespace toluvek {

// Control names of the mixing window, in species order where they belong to one.
namespace form11 {
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

namespace mixing_messages {
inline const Message kNoSolution{"解が見つかりません。", "エラーメッセージ",
                                 MessageIcon::kCritical};
}  // namespace mixing_messages

// The field a display text goes into.
inline std::string_view MixingControl(const MixingText& text) {
  switch (text.item) {
    case MixingItem::kFractionA:
      return form11::kAmountA[text.species];
    case MixingItem::kFractionB:
      return form11::kAmountB[text.species];
    case MixingItem::kTotalFlow:
      return form11::kTotalFlow;
    case MixingItem::kMixedFraction:
      return form11::kMixedFraction[text.species];
    case MixingItem::kMixedTemperature:
      break;
  }
  return form11::kMixedTemperature;
}

// The message a run that ends this way shows, if any.
inline std::optional<Message> MixingStopMessage(MixingStatus status) {
  switch (status) {
    case MixingStatus::kSolved:
      return std::nullopt;
    case MixingStatus::kNoSolution:
      return mixing_messages::kNoSolution;
    case MixingStatus::kInputError:
      break;
  }
  return messages::kCheckInput;
}

}  // namespace toluvek
