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

enum class ConverterTrigger {
  kTextChange,   // every edit of the input box
  kOptionClick,  // a unit option button
  kEnterKey,     // Enter in the input box
};

}  // namespace toluvek
