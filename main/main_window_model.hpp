#pragma once
// The main window (Form1) as plain data: its fields, units, input records and flags, and
// the commands that act on them.

#include <optional>

#include "main/calculate_command.hpp"
#include "main/platform.hpp"
#include "main/units.hpp"
#include "main/window_model.hpp"

namespace toluvek {

inline constexpr Rgb kInputYellow{255, 255, 192};
inline constexpr Rgb kMixtureGreen{192, 255, 192};
inline constexpr Rgb kWindowGrey{192, 192, 192};

class MainWindowModel : public WindowModel {
 public:
  // Sets the start-up state: 1.01325E+005 Pa, 25 ℃, O2 21, N2 79, the ten other amounts 0;
  // both input records hold the same; no calculation has run.
  explicit MainWindowModel(MessageService& messages);

  // "計算": checks the inputs, records them, runs the mixture calculation and writes the
  // results. Returns true when every result was written.
  bool Calculate();

  // The pressure option buttons: converts Text1 from the recorded unit to the chosen one.
  void SelectPressureUnit(PressureUnit unit);
  // The temperature option buttons: converts Text2 between ℃ and K.
  void SelectTemperatureUnit(TemperatureUnit unit);

  // The unit in which Text1 is read (the recorded one; after a failed switch the option shown
  // chosen may differ).
  PressureUnit pressure_unit() const { return pressure_unit_; }
  // The pressure option shown chosen.
  PressureUnit pressure_option() const { return pressure_option_; }
  TemperatureUnit temperature_unit() const { return temperature_unit_; }
  bool unit_rewrite() const { return unit_rewrite_; }
  const InputRecord& current_inputs() const { return current_; }
  const InputRecord& previous_inputs() const { return previous_; }
  // The full-precision outcome of the latest mixture calculation, if one ran.
  const std::optional<MixtureResult>& last_mixture() const { return last_mixture_; }

 protected:
  void TextChanged(std::string_view control) override;
  MessageService& messages() { return messages_; }

 private:
  bool RunCalculation();
  void ColourResultRows(const SpeciesArray& amounts);

  MessageService& messages_;
  PressureUnit pressure_unit_ = PressureUnit::kPa;
  PressureUnit pressure_option_ = PressureUnit::kPa;
  TemperatureUnit temperature_unit_ = TemperatureUnit::kCelsius;
  bool unit_rewrite_ = true;
  InputRecord current_;
  InputRecord previous_;
  std::optional<MixtureResult> last_mixture_;
};

}  // namespace toluvek
