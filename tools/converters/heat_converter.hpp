#pragma once
// The heat converter (Form6): two independent halves, power (kcal/h ↔ W) and energy
// (cal ↔ J), each with an input box, two unit options and one result label.

#include <string>
#include <string_view>

#include "tools/converters/converter_rows.hpp"

namespace toluvek {

enum class PowerUnit { kKcalPerHour, kWatt };  // Option1 "kcal/h", Option2 "W"
enum class EnergyUnit { kCalorie, kJoule };    // Option3 "cal", Option4 "J"

struct HeatRecalculation {
  std::string label;  // the half's result label
  bool converted = false;
  double value = 0;  // the converted value, when converted
  ConverterNotice notice = ConverterNotice::kNone;
};

// Power half (Text1 → Label1): kcal/h shows watts, W shows kcal/h.
HeatRecalculation RecalculatePower(const std::string& shown, std::string_view input, PowerUnit unit,
                                   ConverterTrigger trigger);

// Energy half (Text2 → Label2): cal shows joules, J shows calories.
HeatRecalculation RecalculateEnergy(const std::string& shown, std::string_view input,
                                    EnergyUnit unit, ConverterTrigger trigger);

}  // namespace toluvek
