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
  return control == form11::kTemperatureA || control == form11::kFlowA ||
         control == form11::kTemperatureB || control == form11::kFlowB || in(form11::kAmountA) ||
         in(form11::kAmountB);
}

}  // namespace

MixingWindowModel::MixingWindowModel(MainWindowAccess& main, MessageService& messages)
    : main_(main), messages_(messages) {
  SetEnabled(form11::kCalculate, true);
  SetText(form11::kTemperatureA, main.FieldText(form1::kTemperature));
  SetText(form11::kFlowA, "");
  SetText(form11::kTemperatureB, kStreamBTemperature);
  SetText(form11::kFlowB, kStreamBFlow);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form11::kAmountA[i], main.FieldText(form1::kAmount[i]));
    SetText(form11::kAmountB[i], kNoAmount);
  }
}

MixingStream MixingWindowModel::StreamA() const {
  MixingStream stream{Text(form11::kTemperatureA), Text(form11::kFlowA), {}};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) stream.amounts[i] = Text(form11::kAmountA[i]);
  return stream;
}

MixingStream MixingWindowModel::StreamB() const {
  MixingStream stream{Text(form11::kTemperatureB), Text(form11::kFlowB), {}};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) stream.amounts[i] = Text(form11::kAmountB[i]);
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
    if (const auto message = MixingStopMessage(last_result_.status)) messages_.Show(*message);
    if (last_result_.status != MixingStatus::kInputError) SetEnabled(form11::kCalculate, false);
  } catch (const std::exception&) {
    last_result_.status = MixingStatus::kInputError;
    messages_.Show(messages::kCheckInput);
  }
}

std::string_view MixingWindowModel::Continue() {
  // The mixed stream is now stream A: there is no result left to return.
  returnable_ = false;
  SetText(form11::kTemperatureA, Text(form11::kMixedTemperature));
  SetText(form11::kMixedTemperature, "");
  SetText(form11::kFlowA, Text(form11::kTotalFlow));
  SetText(form11::kTotalFlow, "");
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form11::kAmountA[i], Text(form11::kMixedFraction[i]));
    SetText(form11::kMixedFraction[i], "");
  }
  SetText(form11::kTemperatureB, "");
  SetText(form11::kFlowB, "");
  for (std::string_view field : form11::kAmountB) SetText(field, kNoAmount);
  return form11::kTemperatureB;
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
  if (IsInputField(control)) SetEnabled(form11::kCalculate, true);
}

}  // namespace toluvek
