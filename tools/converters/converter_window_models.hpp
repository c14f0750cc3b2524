#pragma once
// The windows of the unit converters: the chooser (Form8 "Unit Converter") that a right click
// on the main window's background opens, and the pressure (Form9), temperature (Form10) and
// heat (Form6) converters. Each converter recalculates on every edit of its input and every
// click of a unit option; which messages it shows depends on what started the recalculation.

#include <array>
#include <optional>
#include <string_view>

#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/converters/converter_rows.hpp"
#include "tools/converters/heat_converter.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"

namespace toluvek {

namespace converter_messages {
inline const Message kError{.text = "エラー!", .code = "conversion_error"};
inline const Message kBelowAbsoluteZero{.text = "絶対零度以下です!", .code = "below_absolute_zero"};
}  // namespace converter_messages

// The messages a converter shows for what its recalculation reported, in order: none when
// it reported nothing.
std::vector<Message> ConverterMessages(ConverterNotice notice);

namespace offsets {
// From the main window's top-left corner.
inline constexpr Twips kPressureConverter{800, 800};
inline constexpr Twips kTemperatureConverter{800, 800};
inline constexpr Twips kHeatConverter{500, 500};
}  // namespace offsets

namespace form8 {
inline constexpr std::string_view kWindow = "Form8";
inline constexpr std::string_view kPressure = "Command1";     // "圧 力"
inline constexpr std::string_view kTemperature = "Command2";  // "温 度"
inline constexpr std::string_view kHeat = "Command3";         // "熱 量"
}  // namespace form8

namespace pressure_converter_fields {
inline constexpr std::string_view kWindow = "Form9";
inline constexpr std::string_view kInput = "Text1";
// Pa, mmAq, Torr, kgf/mm2, atm: the order of PressureConverterUnit and of the rows.
inline constexpr std::array<std::string_view, 5> kUnitOptions = {"Option1", "Option2", "Option3",
                                                                 "Option4", "Option6"};
inline constexpr std::string_view kClose = "Command1";
}  // namespace pressure_converter_fields

namespace form10 {
inline constexpr std::string_view kWindow = "Form10";
inline constexpr std::string_view kInput = "Text1";
// ゜C, ゜F, ゜R: the order of TemperatureConverterUnit and of the rows.
inline constexpr std::array<std::string_view, 3> kUnitOptions = {"Option1", "Option3", "Option2"};
inline constexpr std::string_view kClose = "Command1";
}  // namespace form10

namespace form6 {
inline constexpr std::string_view kWindow = "Form6";
inline constexpr std::string_view kPowerInput = "Text1";
inline constexpr std::string_view kEnergyInput = "Text2";
inline constexpr std::array<std::string_view, 2> kPowerOptions = {"Option1",
                                                                  "Option2"};  // kcal/h, W
inline constexpr std::array<std::string_view, 2> kEnergyOptions = {"Option3", "Option4"};  // cal, J
inline constexpr std::string_view kPowerResult = "Label1";
inline constexpr std::string_view kEnergyResult = "Label2";
inline constexpr std::string_view kClose = "Command1";
}  // namespace form6

// Form8: each button closes the chooser, then opens its converter beside the main window.
class ConverterChooserModel : public WindowModel {
 public:
  explicit ConverterChooserModel(WindowOpener& windows) : windows_(windows) {}

  void OpenPressure();     // "圧 力"
  void OpenTemperature();  // "温 度"
  void OpenHeat();         // "熱 量"

 private:
  void CloseAndOpen(ToolWindow converter, Twips offset);

  WindowOpener& windows_;
};

// Form9: empty input, Pa chosen, every row at its initial caption.
class PressureConverterModel : public WindowModel {
 public:
  explicit PressureConverterModel(MessageService& messages);

  // A unit option: chosen, then a recalculation that may say "エラー!".
  void SelectUnit(PressureConverterUnit unit);
  // "閉".
  void Close();

  PressureConverterUnit unit() const;
  // The rows as shown.
  PressureRows Rows() const;

 protected:
  void TextChanged(std::string_view control) override;

 private:
  void Recalculate(ConverterTrigger trigger);

  MessageService& messages_;
};

// Form10: empty input, ゜C chosen, every row at its initial caption.
class TemperatureConverterModel : public WindowModel {
 public:
  explicit TemperatureConverterModel(MessageService& messages);

  // A unit option: chosen, then a recalculation.
  void SelectUnit(TemperatureConverterUnit unit);
  void Close();

  TemperatureConverterUnit unit() const;
  TemperatureRows Rows() const;

 protected:
  void TextChanged(std::string_view control) override;

 private:
  // Writes the rows, then warns below absolute zero.
  void Recalculate();

  MessageService& messages_;
};

// Form6: both inputs "0", kcal/h and cal chosen, both results empty.
class HeatConverterModel : public WindowModel {
 public:
  explicit HeatConverterModel(MessageService& messages);

  void SelectPowerUnit(PowerUnit unit);
  void SelectEnergyUnit(EnergyUnit unit);
  // Enter in one of the two inputs: that half recalculates and complains of a text that is not
  // a number.
  void EnterPressed(std::string_view control);
  void Close();

  PowerUnit power_unit() const;
  EnergyUnit energy_unit() const;

 protected:
  void TextChanged(std::string_view control) override;

 private:
  void RecalculatePowerHalf(ConverterTrigger trigger);
  void RecalculateEnergyHalf(ConverterTrigger trigger);
  void Show(const HeatRecalculation& result, std::string_view label);

  MessageService& messages_;
};

}  // namespace toluvek
