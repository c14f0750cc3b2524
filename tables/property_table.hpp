#pragma once
// Property tables: the mixture calculation over a sweep of states, one row per state.

#include <cstdint>

#include "engine/mixture.hpp"
#include "main/state_check.hpp"
#include "main/units.hpp"
#include "tables/sweep.hpp"
#include "tables/table_writer.hpp"

namespace toluvek {

// A sweep over temperature (fastest) and pressure, each in its unit, for one set of amounts.
struct SweepRequest {
  Sweep pressure;  // NaN values: a pressure text that was not a number
  PressureUnit pressure_unit = PressureUnit::kPa;
  Sweep temperature;
  TemperatureUnit temperature_unit = TemperatureUnit::kCelsius;
  AmountsInput amounts;
};

// One state in the units of the main window, converted as the calculate command converts.
TableRow StateRow(double pressure, PressureUnit pressure_unit, double temperature,
                  TemperatureUnit temperature_unit);

// Calculates the row in place: properties and error filled in. Returns false when it failed.
bool CalculateRow(TableRow& row, const AmountsInput& amounts, MixtureResult& scratch);

// Writes every state of the sweep, stopping at the first write that fails.
TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer);

}  // namespace toluvek
