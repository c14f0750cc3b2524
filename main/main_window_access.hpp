#pragma once
// What a tool window may see and do of the main window: read and write its named fields,
// read its unit choices, choose ℃ (converting the temperature field as the option button
// does), run its calculation, and know where it stands. Tool windows take their inputs from
// the main window's fields as texts, exactly as shown.

#include <string>
#include <string_view>

#include "main/platform.hpp"
#include "main/units.hpp"
#include "main/window_model.hpp"

namespace toluvek {

class MainWindowAccess {
 public:
  virtual ~MainWindowAccess() = default;

  // The text of a main-window field by its control name ("Text49").
  virtual const std::string& FieldText(std::string_view control) const = 0;
  // Writes a field as a user's edit would (the change handling runs).
  virtual void WriteField(std::string_view control, std::string text) = 0;
  // Gives a field a background colour (the water fraction turns aqua when the dew point closes).
  virtual void SetFieldBackground(std::string_view control, Rgb colour) = 0;

  // The pressure option shown chosen, and the temperature unit of Text2.
  virtual PressureUnit pressure_option() const = 0;
  virtual TemperatureUnit temperature_unit() const = 0;
  // The temperature option buttons, as if clicked (converting Text2).
  virtual void SelectTemperatureUnit(TemperatureUnit unit) = 0;
  // "計算"; true when every result was written.
  virtual bool Calculate() = 0;

  // The window's top-left corner on the screen, in twips.
  virtual Twips position() const = 0;
};

}  // namespace toluvek
