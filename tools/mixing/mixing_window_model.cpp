#include "tools/mixing/mixing_window_model.hpp"

#include <algorithm>
#include <exception>

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
  try {
    last_result_ = StreamMixing(StreamA(), StreamB());
    // Rewriting the amounts with their normalised values counts as an edit: it enables
    // "計算" again until the run ends.
    for (const MixingText& text : last_result_.display) SetText(MixingControl(text), text.text);
    if (const auto message = MixingStopMessage(last_result_.status)) messages_.Show(*message);
    if (last_result_.status != MixingStatus::kInputError) SetEnabled(form11::kCalculate, false);
  } catch (const std::exception&) {
    last_result_.status = MixingStatus::kInputError;
    messages_.Show(messages::kCheckInput);
  }
}

std::string_view MixingWindowModel::Continue() {
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
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    main_.WriteField(form1::kAmount[i], Text(form11::kMixedFraction[i]));
  }
  main_.WriteField(form1::kTemperature, Text(form11::kMixedTemperature));
}

void MixingWindowModel::Close() {
  Request(WindowRequest::kUnload);
}

void MixingWindowModel::TextChanged(std::string_view control) {
  if (IsInputField(control)) SetEnabled(form11::kCalculate, true);
}

}  // namespace toluvek
