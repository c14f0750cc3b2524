#include "main/composition_dialog_models.hpp"

#include <optional>
#include <string>

#include "main/composition_dialogs.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"

namespace toluvek {

CompositionChooserModel::CompositionChooserModel(MainWindowAccess& main, WindowOpener& windows)
    : main_(main), windows_(windows) {
  const Twips at = main_.position();
  position_ = {at.x + offsets::kCompositionChooser.x, at.y + offsets::kCompositionChooser.y};
}

void CompositionChooserModel::SetFrame(Twips position, int width) {
  position_ = position;
  width_ = width;
}

void CompositionChooserModel::OpenAirDialog() {
  OpenBeside(ToolWindow::kAirDialog, 0);
}

void CompositionChooserModel::OpenTotalDialog() {
  OpenBeside(ToolWindow::kTotalDialog, form12::kButtonHeight);
}

void CompositionChooserModel::OpenBeside(ToolWindow dialog, int down) {
  // The opener places windows from the main window's corner.
  const Twips main_at = main_.position();
  windows_.Open(dialog, {position_.x + width_ - main_at.x, position_.y + down - main_at.y});
  Request(WindowRequest::kUnload);
}

CompositionDialogModel::CompositionDialogModel(CompositionDialogKind kind, MainWindowAccess& main,
                                               MessageService& messages)
    : kind_(kind), main_(main), messages_(messages) {
  SetText(form13::kAmount, "0");
}

void CompositionDialogModel::Apply() {
  SpeciesTexts amounts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) amounts[i] = main_.FieldText(form1::kAmount[i]);
  const std::string& entered = Text(form13::kAmount);
  const std::optional<SpeciesTexts> result = kind_ == CompositionDialogKind::kAddAir
                                                 ? AddAir(entered, amounts)
                                                 : RescaleToTotal(entered, amounts);
  if (!result) {
    messages_.Show(messages::kCheckInput);
    return;
  }
  if (kind_ == CompositionDialogKind::kAddAir) {
    main_.WriteField(form1::kAmount[kO2], (*result)[kO2]);
    main_.WriteField(form1::kAmount[kN2], (*result)[kN2]);
  } else {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      main_.WriteField(form1::kAmount[i], (*result)[i]);
    }
  }
  Request(WindowRequest::kUnload);
}

}  // namespace toluvek
