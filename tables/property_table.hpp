#pragma once
// Property tables: the mixture calculation over a sweep of states, one row per state.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

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

// What CalculateRows keeps from call to call: the states as the engine reads them, and the
// results the rows point into.
struct RowScratch {
  std::vector<double> pressures;     // Pa
  std::vector<double> temperatures;  // K
  std::vector<MixtureResult> results;
  std::vector<const Message*> messages;
};

// CalculateRow for many rows through the engine's many-state entry point, with amounts[k] for
// rows[k], or amounts[0] for every row. A row that carries an error already (a line that could
// not be read) is left as it is. The rows' properties point into `scratch` until its next use.
void CalculateRows(std::span<TableRow> rows, std::span<const SpeciesArray> amounts,
                   AmountsInput::Status amounts_status, RowScratch& scratch);

// Writes every state of the sweep, the pressure's outer loop and the temperature's inner one,
// stopping after the first write that fails. Rows are calculated and formatted in chunks on
// `jobs` threads and written in order, byte for byte as one job writes them.
TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer, std::size_t jobs = 1);

}  // namespace toluvek
