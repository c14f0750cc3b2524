#pragma once
// What the unit converters share: a result row ("=" label and value label) and what started a
// recalculation, on which some of their messages depend.

#include <string>
#include <string_view>

namespace toluvek {

struct ConverterRow {
  std::string_view equals_control;  // the "=" label
  std::string_view value_control;   // the value label
  std::string text;                 // value and unit, as shown
  bool visible = true;              // both labels
  double value = 0;                 // the value last written, unrounded
};

// What a recalculation has to report besides its rows; each converter reports only its own.
enum class ConverterNotice {
  kNone,
  kError,              // pressure: a unit other than Pa clicked with an input that is no number
  kCheckInput,         // heat: an option click or Enter with an input that is no number
  kBelowAbsoluteZero,  // temperature: a warning, the values stay shown
};

enum class ConverterTrigger {
  kTextChange,   // every edit of the input box
  kOptionClick,  // a unit option button
  kEnterKey,     // Enter in the input box
};

}  // namespace toluvek
