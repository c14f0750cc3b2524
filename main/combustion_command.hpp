#pragma once
// The main window's "燃焼温度" button: burns the current mixture, puts the burnt gas and its
// temperature into the main window and recalculates.

#include <optional>

#include "main/combustion.hpp"
#include "main/main_window_model.hpp"
#include "main/platform.hpp"

namespace toluvek {

// What one press did, for front ends that report beyond the window (the command line).
struct CombustionCommandOutcome {
  std::optional<CombustionResult> result;  // the burnt gas written into the window
  bool completed = false;                  // the burnt gas was written and the totals message shown
  // The calculation of the burnt gas at its temperature wrote every result; when it stopped,
  // the combustion result stands and the results it wrote are the window's last_mixture().
  bool burnt_gas_calculated = false;
};

// The button's handler is MainWindowModel::CombustionTemperature (combustion_command.cpp).

// The caption of the box that reports the total amount before and after combustion.
inline constexpr const char* kTotalChangeTitle = "総モル体積変化";

}  // namespace toluvek
