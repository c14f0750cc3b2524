#pragma once
// The calculate command's checks on a state, written once for the main window, the property
// tables, the chart and every other caller that calculates a mixture the way the window does.

#include <array>
#include <span>
#include <string>

#include "engine/mixture.hpp"
#include "main/platform.hpp"

namespace toluvek {

// The twelve amounts of a state as the calculate command reads its fields.
struct AmountsInput {
  enum class Status { kRead, kEmpty, kNotANumber };
  Status status = Status::kRead;
  SpeciesArray values{};
};

// Reads amount texts as the calculate command does: any empty text first, then each strictly.
AmountsInput ReadAmounts(const std::array<std::string, kSpeciesCount>& texts);

// What the calculate command's checks found on a state.
struct StateCheck {
  const Message* message = nullptr;  // the first check that failed; null when all passed
  // Every amount had a text, so the checks went on to the amounts' values: from there the
  // main window's 計算 stays disabled until an input changes, whatever the outcome.
  bool amounts_given = false;
};

// The calculate command's checks, in its order, on a pressure in Pa and a temperature in K
// converted from their units (a conversion that overflowed or a text that was not a number
// arrives as an infinity or NaN): "negative" means not greater than or equal to zero.
StateCheck CheckState(double pressure, double temperature, const AmountsInput& amounts);

// CheckState, then the mixture calculation into `result`. Returns the message the main window
// shows for this state, or null when every result was produced.
const Message* EvaluateState(double pressure, double temperature, const AmountsInput& amounts,
                             MixtureResult& result);

// EvaluateState for many states through the engine's many-state entry point. State k is
// pressures[k] [Pa], temperatures[k] [K] and amounts[k], all with `amounts_status`; an input
// with one entry is shared by every state. messages[k] receives what EvaluateState returns for
// state k; results[k] its results where messages[k] is null, and is unspecified otherwise.
void EvaluateStates(std::span<const double> pressures, std::span<const double> temperatures,
                    std::span<const SpeciesArray> amounts, AmountsInput::Status amounts_status,
                    std::span<MixtureResult> results, std::span<const Message*> messages);

}  // namespace toluvek
