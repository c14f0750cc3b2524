#pragma once
// The arithmetic of the two composition dialogs: adding air to the main window's amounts and
// rescaling the amounts to a total. Both read and check every text before producing any new
// one, so a failure leaves the composition as it was.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "main/window_model.hpp"

namespace toluvek {

// Adds `air_text` units of air (0.21 O2, 0.79 N2) to the amounts. Returns all twelve texts,
// O2 and N2 rewritten with four significant figures ("0.000E+000"), the others as given; no
// value when the air, O2 or N2 text is not a number or the sum overflows.
std::optional<SpeciesTexts> AddAir(std::string_view air_text, const SpeciesTexts& amounts);

// Rescales the amounts so that they add up to `total_text`, keeping their shares. Returns
// all twelve texts with four significant figures; no value when a text is not a number, the
// amounts add up to zero or a value overflows.
std::optional<SpeciesTexts> RescaleToTotal(std::string_view total_text,
                                           const SpeciesTexts& amounts);

}  // namespace toluvek
