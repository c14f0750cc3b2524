#include "tools/mixing/mixing_window_model.hpp"

#include <algorithm>
#include <exception>
#include <string>

#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

constexpr const char* kStreamBTemperature = "25";  // ℃
constexpr const char* kStreamBFlow = "0";
constexpr const char* kNoAmount = "0";

bool IsInputField(std::string_view control) {
  const auto in = [control](const SpeciesFields& fields) {
    return std::find(fields.begin(), fields.end(), control) != fields.end();
  };
  return control == mixing_fields::kTemperatureA || control == mixing_fields::kFlowA ||
         control == mixing_fields::kTemperatureB || control == mixing_fields::kFlowB ||
         in(mixing_fields::kAmountA) || in(mixing_fields::kAmountB);
}

}  // namespace

MixingWindowModel::MixingWindowModel(MainWindowAccess& main, MessageService& messages)
    : main_(main), messages_(messages) {
  SetEnabled(mixing_fields::kCalculate, true);
  SetText(mixing_fields::kTemperatureA, main.FieldText(form1::kTemperature));
  SetText(mixing_fields::kFlowA, "");
  SetText(mixing_fields::kTemperatureB, kStreamBTemperature);
  SetText(mixing_fields::kFlowB, kStreamBFlow);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(mixing_fields::kAmountA[i], main.FieldText(form1::kAmount[i]));
    SetText(mixing_fields::kAmountB[i], kNoAmount);
  }
}

void MixingWindowModel::Reopened() {
  SetText(mixing_fields::kTemperatureA, main_.FieldText(form1::kTemperature));
}

MixingStream MixingWindowModel::StreamA() const {
  MixingStream stream{Text(mixing_fields::kTemperatureA), Text(mixing_fields::kFlowA), {}};
  for (std::size_t i = 0; i < kSpeciesCount; ++i)
    stream.amounts[i] = Text(mixing_fields::kAmountA[i]);
  return stream;
}

MixingStream MixingWindowModel::StreamB() const {
  MixingStream stream{Text(mixing_fields::kTemperatureB), Text(mixing_fields::kFlowB), {}};
  for (std::size_t i = 0; i < kSpeciesCount; ++i)
    stream.amounts[i] = Text(mixing_fields::kAmountB[i]);
  return stream;
}

void MixingWindowModel::Calculate() {
  returnable_ = false;
  try {
    last_result_ = StreamMixing(StreamA(), StreamB());
    // Rewriting the amounts with their normalised values counts as an edit: it enables
    // "計算" again until the run ends.
    for (const MixingText& text : last_result_.display) SetText(MixingControl(text), text.text);
    returnable_ = last_result_.status == MixingStatus::kSolved;
    for (const Message& message : MixingStopMessages(last_result_.status)) messages_.Show(message);
    if (last_result_.status != MixingStatus::kInputError)
      SetEnabled(mixing_fields::kCalculate, false);
  } catch (const std::exception&) {
    last_result_.status = MixingStatus::kInputError;
    messages_.Show(messages::kCheckInput);
  }
}

std::string_view MixingWindowModel::Continue() {
  // The mixed stream is now stream A: there is no result left to return.
  returnable_ = false;
  SetText(mixing_fields::kTemperatureA, Text(mixing_fields::kMixedTemperature));
  SetText(mixing_fields::kMixedTemperature, "");
  SetText(mixing_fields::kFlowA, Text(mixing_fields::kTotalFlow));
  SetText(mixing_fields::kTotalFlow, "");
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(mixing_fields::kAmountA[i], Text(mixing_fields::kMixedFraction[i]));
    SetText(mixing_fields::kMixedFraction[i], "");
  }
  SetText(mixing_fields::kTemperatureB, "");
  SetText(mixing_fields::kFlowB, "");
  for (std::string_view field : mixing_fields::kAmountB) SetText(field, kNoAmount);
  return mixing_fields::kTemperatureB;
}

void MixingWindowModel::ReturnValues() {
  // A stopped run leaves partial results beside an earlier temperature, and before any run the
  // results are empty: either would overwrite the main window's gas with something that is no
  // mixed stream.
  if (!returnable_) {
    messages_.Beep();
    return;
  }
  SpeciesTexts fractions;
  std::string temperature;
  for (const MixingText& text : last_result_.display) {
    if (text.item == MixingItem::kMixedFraction) fractions[text.species] = text.text;
    if (text.item == MixingItem::kMixedTemperature) temperature = text.text;
  }
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    main_.WriteField(form1::kAmount[i], fractions[i]);
  }
  main_.WriteField(form1::kTemperature, temperature);
}

void MixingWindowModel::Close() {
  Request(WindowRequest::kUnload);
}

void MixingWindowModel::TextChanged(std::string_view control) {
  if (IsInputField(control)) SetEnabled(mixing_fields::kCalculate, true);
}

}  // namespace toluvek
