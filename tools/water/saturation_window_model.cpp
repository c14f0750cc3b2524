#include "tools/water/saturation_window_model.hpp"

#include "main/main_window_fields.hpp"

namespace toluvek {

std::vector<Message> SaturationMessages(SaturationStatus status) {
  switch (status) {
    case SaturationStatus::kSolved:
      return {};
    case SaturationStatus::kNoSolution:
      return {saturation_messages::kNoSolution, saturation_messages::kError};
    case SaturationStatus::kFault:
      break;
  }
  return {saturation_messages::kError};
}

SaturationWindowModel::SaturationWindowModel(MainWindowAccess& main, MessageService& messages)
    : main_(main),
      display_(ComputeSaturationDisplay(main.FieldText(form1::kMoleFraction[kH2O]),
                                        main.FieldText(form1::kPressure), main.pressure_option())) {
  for (const Message& message : SaturationMessages(display_.status)) messages.Show(message);
  SetText(form5::kPartialPressure, display_.label1);
  SetText(form5::kTemperature, display_.label2);
}

void SaturationWindowModel::FocusLost() {
  // The toolkit may report the loss again while the pop-up goes away.
  if (unloading_) return;
  unloading_ = true;
  Request(WindowRequest::kUnload);
  main_.SetFieldBackground(form1::kMoleFraction[kH2O], kCyan);
}

}  // namespace toluvek
