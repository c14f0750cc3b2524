#pragma once
// The main window (Form1) as plain data: its fields, units, input records and flags, and
// the commands that act on them.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "files/atomic_file.hpp"
#include "files/composition_file.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_access.hpp"
#include "main/messages.hpp"
#include "main/platform.hpp"
#include "main/presets.hpp"
#include "main/units.hpp"
#include "main/window_model.hpp"

namespace toluvek {

inline constexpr Rgb kInputYellow{255, 255, 192};
inline constexpr Rgb kMixtureGreen{192, 255, 192};
inline constexpr Rgb kWindowGrey{192, 192, 192};
inline constexpr Rgb kMoistureMagenta{255, 192, 255};  // Text17 once the dew point is asked for

// Controls of the main window beyond the calculation's fields (main_window_fields.hpp).
namespace form1 {
inline constexpr std::string_view kWindow = "Form1";
inline constexpr std::string_view kReport = "Text96";           // hidden, holds the report
inline constexpr std::string_view kMoistureLabel = "Label10";   // the H2O label
inline constexpr std::string_view kAmountHeader = "Label46";    // "mol Vol."
inline constexpr std::string_view kPresetMenuCng = "CNG";       // hidden menu "13A"
inline constexpr std::string_view kPresetMenuSr1 = "SR1";       // hidden menu "SR-1"
inline constexpr std::string_view kStatusText = "status_text";  // the status bar's wide panel
}  // namespace form1

// What the status bar says while the last calculation's temperature lies outside the range
// of the property fits: "適用範囲外の温度です（物性値の式は約200～1000 K）".
const std::string& OutsideFitRangeStatus();

// Offsets of the windows opened from the main window, from its top-left corner.
namespace offsets {
inline constexpr Twips kDuctFlow{3100, 1200};
inline constexpr Twips kEnthalpy{-1500, 300};
inline constexpr Twips kSaturation{3200, 0};
inline constexpr Twips kCompositionChooser{1000, 1000};
inline constexpr Twips kMixing{1000, 1000};
inline constexpr Twips kWaterEnthalpy{4845, 300};
inline constexpr Twips kHelp{750, 750};
inline constexpr Twips kAbout{1800, 1800};
inline constexpr Twips kPropertyChart{2400, 600};
// The converter chooser opens at the pointer, moved by this much.
inline constexpr Twips kConverterChooserFromPointer{-850, 300};
}  // namespace offsets

// The messages of the main window's own commands.
namespace main_window_messages {
inline const Message kNoMoisture{.text = "水分が含まれていません!", .code = "no_water"};
inline const Message kFileSelectionFailed{.text = "ﾌｧｲﾙの選択でｴﾗｰが発生しました。",
                                          .title = kAppTitle,
                                          .icon = MessageIcon::kExclamation,
                                          .code = "file_selection_failed"};
inline const Message kFileUnreadable{.text = "エラーです", .code = "file_unreadable"};
inline const Message kFileNotSaved{.text = "ﾌｧｲﾙの保存でｴﾗｰが発生しました。",
                                   .title = kAppTitle,
                                   .icon = MessageIcon::kExclamation,
                                   .code = "file_not_saved"};
inline constexpr const char* kTotalAmountTitle = "総モル体積";
inline constexpr const char* kTotalAmountPrefix = "総モル体積 = ";
}  // namespace main_window_messages

// The file dialogs of the composition files.
inline constexpr const char* kCompositionFilter = "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat";
FileDialogRequest SaveCompositionRequest();  // "データ保存", default extension "txt"
FileDialogRequest OpenCompositionRequest();  // "データファイルの選択"

// What the main window's commands reach outside the model.
struct MainWindowServices {
  MessageService& messages;
  Clipboard& clipboard;
  WindowOpener& windows;
  FileDialogs& dialogs;
  Clock& clock;
};

// The outcome of one "燃焼温度" press.
struct CombustionCommandOutcome;

// A listener to the main window's calculations, heard while this object lives. It may outlive
// the main window's model: its end then has nothing to leave.
class CalculationSubscription {
 public:
  CalculationSubscription() = default;
  ~CalculationSubscription();
  CalculationSubscription(CalculationSubscription&& other) noexcept;
  CalculationSubscription& operator=(CalculationSubscription&& other) noexcept;
  CalculationSubscription(const CalculationSubscription&) = delete;
  CalculationSubscription& operator=(const CalculationSubscription&) = delete;

 private:
  friend class MainWindowModel;
  using Listeners = std::map<int, std::function<void()>>;
  CalculationSubscription(std::weak_ptr<Listeners> listeners, int key)
      : listeners_(std::move(listeners)), key_(key) {}
  void Leave();

  std::weak_ptr<Listeners> listeners_;
  int key_ = 0;
};

class MainWindowModel : public WindowModel, public MainWindowAccess {
 public:
  // Sets the start-up state: 1.01325E+005 Pa, 25 ℃, O2 21, N2 79, the ten other amounts 0;
  // both input records hold the same; no calculation has run; "Prev." disabled, the report
  // field and the preset menus hidden.
  explicit MainWindowModel(MainWindowServices services);

  // "計算": checks the inputs, records them, runs the mixture calculation and writes the
  // results. Returns true when every result was written.
  bool Calculate() override;

  // The pressure option buttons: converts Text1 from the recorded unit to the chosen one.
  void SelectPressureUnit(PressureUnit unit);
  // The temperature option buttons: converts Text2 between ℃ and K.
  void SelectTemperatureUnit(TemperatureUnit unit) override;

  // Enter in a field. In Text1 it asks for the focus to move: returns "Text2". In Text2 and
  // the amount fields it calculates (also while "計算" is disabled) and returns "". Other
  // fields: nothing, "".
  std::string_view EnterPressed(std::string_view control);

  // "燃焼温度": burns the current mixture, writes the burnt gas and its temperature and
  // recalculates (see combustion_command.hpp).
  CombustionCommandOutcome CombustionTemperature();

  // "Clear": "0" into the twelve amounts.
  void Clear();
  // "Prev.": the previous inputs back into the fields, in Pa and ℃; no calculation.
  void RecallPrevious();

  // "Re": Pa and ℃ chosen, calculation, then the duct flow window.
  void DuctFlow();
  // "Enthalpy": calculation, then the enthalpy window.
  void Enthalpy();
  // "Clipboard": the report into Text96, then onto the clipboard.
  void CopyReport();
  // The H2O label and "Tsat(&R)": calculation, then the saturation temperature window when the
  // gas holds water (Text17 turns magenta), or the message that it holds none. Failures after
  // the calculation pass silently.
  void SaturationTemperature();
  // Right button on "mol Vol.": the sum of the amounts in a message box.
  void ShowTotalAmount();
  // Left button on "mol Vol.": the composition dialog.
  void OpenCompositionDialog();
  // Right button on the window's background at `pointer` (client area, twips).
  void OpenConverterChooser(Twips pointer);
  // "Mixing(&M)": ℃ chosen, then the mixing window, which takes Text2 as its first stream's
  // temperature.
  void OpenMixing();
  void OpenWaterEnthalpy();  // "Enthalpy of Water(&W)"
  void OpenHelp();           // "How to Use(&U)"
  void OpenAbout();          // "Version"
  void OpenPropertyChart();  // "Property Chart(&G)"

  // File > "Save(&S)" and "Open(&F)": a file dialog, then the file.
  void SaveComposition();
  void OpenComposition();
  // The file steps without a dialog. Saving writes the fields and units shown to `path`
  // atomically; on failure it beeps and says so, and returns the cause. Loading reads and
  // checks the whole file first ("エラーです" and nothing changed when it fails), then chooses
  // the units named, writes the values and calculates; returns true when the calculation
  // wrote every result.
  std::error_code SaveCompositionFile(const std::string& path);
  bool LoadCompositionFile(const std::string& path);
  // The values a save would write now. Throws ArithmeticFault for a field whose leading
  // number is beyond the range of a double.
  CompositionData CompositionFromFields() const;
  // Loading without the calculation: reads and checks the whole file, then chooses the units
  // it names (through the option buttons, as a click would; a name that is none of the five
  // known ones leaves that unit alone) and writes its values with FormatGeneral. On failure
  // shows "エラーです", changes nothing and returns the cause.
  CompositionError ApplyCompositionFile(const std::string& path);

  // The hidden preset menus' shortcuts: the twelve amounts of the preset, nothing else.
  void ApplyPreset(Preset preset);

  // The unit in which Text1 is read (the recorded one; after a failed switch the option shown
  // chosen may differ).
  PressureUnit pressure_unit() const { return pressure_unit_; }
  // The pressure option shown chosen.
  PressureUnit pressure_option() const override { return pressure_option_; }
  TemperatureUnit temperature_unit() const override { return temperature_unit_; }

  // The main window as tool windows see it.
  const std::string& FieldText(std::string_view control) const override { return Text(control); }
  void WriteField(std::string_view control, std::string text) override {
    SetText(control, std::move(text));
  }
  void SetFieldBackground(std::string_view control, Rgb colour) override {
    SetBackground(control, colour);
  }
  Twips position() const override { return position_; }
  // Where the window now stands on the screen; the front end tells.
  void SetPosition(Twips position) { position_ = position; }
  MessageService& message_service() { return services_.messages; }
  // Whether a unit switch has just been made whose rewrite of the pressure or temperature text
  // is still to come; that rewrite does not re-enable a calculation.
  bool unit_rewrite_pending() const { return unit_rewrite_pending_; }
  const InputRecord& current_inputs() const { return current_; }
  const InputRecord& previous_inputs() const { return previous_; }
  // The full-precision outcome of the latest calculation, when it got as far as the mixture
  // calculation (none when its checks stopped it).
  const std::optional<MixtureResult>& last_mixture() const { return last_mixture_; }

  // Whether the latest calculation that reached the mixture calculation ran at a temperature
  // outside the range of the property fits; the status bar says so until one runs inside.
  bool outside_fit_range() const { return !Text(form1::kStatusText).empty(); }

  // Calls `listener` after each calculation that wrote every result, in the order of
  // subscription, for as long as the subscription returned lives (the property chart follows
  // the calculations so).
  [[nodiscard]] CalculationSubscription FollowCalculations(std::function<void()> listener);

 protected:
  void TextChanged(std::string_view control) override;

 private:
  bool RunCalculation();
  void ColourResultRows(const SpeciesArray& amounts);
  // A pressure text just written by the program in the unit of the option shown chosen: from
  // now on Text1 is read in that unit, even when the switch before could not convert the old
  // text.
  void AdoptShownPressureUnit() { pressure_unit_ = pressure_option_; }
  // Whether a file dialog gave a path; tells of a failed dialog.
  bool PathChosen(const FileDialogResult& result);
  void ApplyComposition(const CompositionData& data);

  MainWindowServices services_;
  PressureUnit pressure_unit_ = PressureUnit::kPa;
  PressureUnit pressure_option_ = PressureUnit::kPa;
  TemperatureUnit temperature_unit_ = TemperatureUnit::kCelsius;
  bool unit_rewrite_pending_ = false;
  InputRecord current_;
  InputRecord previous_;
  std::optional<MixtureResult> last_mixture_;
  Twips position_;
  // Shared with the subscriptions, which may end after the model.
  std::shared_ptr<CalculationSubscription::Listeners> calculation_listeners_ =
      std::make_shared<CalculationSubscription::Listeners>();
  int next_listener_key_ = 1;
};

}  // namespace toluvek
