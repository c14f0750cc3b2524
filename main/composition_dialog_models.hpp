#pragma once
// The windows around the composition dialogs: the chooser (Form12 "Input") that the "mol Vol."
// heading opens, and the two dialogs it opens, adding air (Form13 "Air Input") and rescaling the
// amounts to a total (Form14 "合計Input"). Each dialog has one field and "OK"; a failed
// calculation leaves the main window as it was and keeps the dialog open for a correction.

#include <string_view>

#include "main/main_window_access.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"

namespace toluvek {

namespace form12 {
inline constexpr std::string_view kWindow = "Form12";
inline constexpr std::string_view kAddAir = "Command1";  // "空気追加"
inline constexpr std::string_view kTotal = "Command2";   // "合計値入力"
inline constexpr int kClientWidth = 1320;                // twips
inline constexpr int kClientHeight = 705;                // twips
inline constexpr int kButtonHeight = 375;                // twips
}  // namespace form12

// The two dialogs have the same controls.
namespace form13 {
inline constexpr std::string_view kWindow = "Form13";
inline constexpr std::string_view kAmount = "Text1";
inline constexpr std::string_view kOk = "Command1";
}  // namespace form13

namespace form14 {
inline constexpr std::string_view kWindow = "Form14";
inline constexpr std::string_view kAmount = "Text1";
inline constexpr std::string_view kOk = "Command1";
}  // namespace form14

// Form12: two buttons, each opening its dialog beside the chooser and closing the chooser.
class CompositionChooserModel : public WindowModel {
 public:
  // The chooser stands where the main window's left press on "mol Vol." placed it.
  CompositionChooserModel(MainWindowAccess& main, WindowOpener& windows);

  // Where the chooser's frame now stands on the screen and how wide it is, in twips; the front
  // end tells when it moves. Until then: where it was opened, as wide as its client area.
  void SetFrame(Twips position, int width);

  // "空気追加": the air dialog at the chooser's right edge, level with its top.
  void OpenAirDialog();
  // "合計値入力": the total dialog at the chooser's right edge, one button lower.
  void OpenTotalDialog();

 private:
  // `dialog` at the chooser's right edge, `down` twips below its top; then the chooser goes.
  void OpenBeside(ToolWindow dialog, int down);

  MainWindowAccess& main_;
  WindowOpener& windows_;
  Twips position_;
  int width_ = form12::kClientWidth;
};

enum class CompositionDialogKind {
  kAddAir,  // Form13: adds the field's amount of air to O2 and N2
  kTotal,   // Form14: rescales the twelve amounts to add up to the field's total
};

// Form13 and Form14: the field starts at "0"; "OK" or Enter runs the dialog's calculation.
class CompositionDialogModel : public WindowModel {
 public:
  CompositionDialogModel(CompositionDialogKind kind, MainWindowAccess& main,
                         MessageService& messages);

  // "OK" and Enter in the field: reads every text it needs first; when all are numbers and
  // nothing overflows, rewrites the main window's amounts (O2 then N2, or all twelve in species
  // order) as edits of its fields and closes; otherwise "入力値を確認下さい。", the main window
  // untouched and the dialog open.
  void Apply();

  CompositionDialogKind kind() const { return kind_; }

 private:
  CompositionDialogKind kind_;
  MainWindowAccess& main_;
  MessageService& messages_;
};

}  // namespace toluvek
