#pragma once
// The mixing window (Form11, "混合"): stream A and stream B, each a temperature, a flow and
// twelve amounts, beside the mixed stream. Stream A starts as the main window's gas; the result
// goes back to the main window, or becomes stream A for the next stream.

#include <array>
#include <optional>
#include <string_view>

#include "main/main_window_access.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/mixing/stream_mixing.hpp"

namespace toluvek {

// Control names of the mixing window, in species order where they belong to one.
namespace mixing_fields {
inline constexpr std::string_view kWindow = "Form11";
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
inline constexpr std::string_view kCalculate = "Command1";     // "計算"
inline constexpr std::string_view kContinue = "Command2";      // "続行"
inline constexpr std::string_view kClose = "Command3";         // "閉じる"
inline constexpr std::string_view kReturnValues = "Command4";  // "値戻す"
}  // namespace mixing_fields

namespace mixing_messages {
inline const Message kNoSolution = messages::ErrorBox("解が見つかりません。", "no_mixing_solution");
}  // namespace mixing_messages

// The field a display text goes into.
inline std::string_view MixingControl(const MixingText& text) {
  switch (text.item) {
    case MixingItem::kFractionA:
      return mixing_fields::kAmountA[text.species];
    case MixingItem::kFractionB:
      return mixing_fields::kAmountB[text.species];
    case MixingItem::kTotalFlow:
      return mixing_fields::kTotalFlow;
    case MixingItem::kMixedFraction:
      return mixing_fields::kMixedFraction[text.species];
    case MixingItem::kMixedTemperature:
      break;
  }
  return mixing_fields::kMixedTemperature;
}

// The messages a run that ends this way shows, in order: none for a solved one.
inline std::vector<Message> MixingStopMessages(MixingStatus status) {
  switch (status) {
    case MixingStatus::kSolved:
      return {};
    case MixingStatus::kNoSolution:
      return {mixing_messages::kNoSolution};
    case MixingStatus::kInputError:
      break;
  }
  return {messages::kCheckInput};
}

class MixingWindowModel : public WindowModel {
 public:
  // Loads the window: stream A is the main window's temperature and twelve amounts with an
  // empty flow; stream B is 25 ℃, flow 0, every amount 0; no results.
  MixingWindowModel(MainWindowAccess& main, MessageService& messages);

  // "計算" and Enter in any input field (also while "計算" is disabled): mixes the streams as
  // the fields stand, writes what the run produced and shows its message. "計算" is disabled
  // after a run that solved or found no solution, not after an input error.
  void Calculate();
  // "続行": the mixed stream becomes stream A (each result emptied as it is taken), stream B is
  // cleared with its amounts "0". No result needs to exist. Returns the field that takes the
  // focus: stream B's temperature.
  std::string_view Continue();
  // "値戻す": the mixed fractions into the main window's twelve amounts, then the mixed
  // temperature into its temperature field; nothing else of the main window changes. Only the
  // result of a calculation that solved, while it is shown, goes back: before any, after one
  // that stopped and after "続行" the main window is left alone, with a beep.
  void ReturnValues();
  // "閉じる": the window goes with its fields.
  void Close();
  // "Mixing(&M)" on a window already open: stream A takes the temperature the main window shows
  // now; every other field stays as it was.
  void Reopened() override;

  // The two streams as the fields now hold them.
  MixingStream StreamA() const;
  MixingStream StreamB() const;
  // The outcome of the latest calculation.
  const MixingResult& last_result() const { return last_result_; }

 protected:
  void TextChanged(std::string_view control) override;

 private:
  MainWindowAccess& main_;
  MessageService& messages_;
  MixingResult last_result_;
  bool returnable_ = false;  // the latest calculation solved and "続行" has not taken it
};

}  // namespace toluvek
