#include "tables/property_table.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "tables/ordered_chunks.hpp"

namespace toluvek {
namespace {

// Rows of a sweep calculated and formatted together: few enough that the chunks in flight stay
// small, enough that handing a chunk from thread to thread costs nothing beside its rows.
constexpr std::uint64_t kSweepChunkRows = 1024;

}  // namespace

TableRow StateRow(double pressure, PressureUnit pressure_unit, double temperature,
                  TemperatureUnit temperature_unit) {
  TableRow row;
  row.inputs_known = true;
  row.pressure = pressure * PascalPer(pressure_unit);
  if (temperature_unit == TemperatureUnit::kCelsius) {
    row.temperature_k = temperature + kKelvinOffset;
    row.temperature_c = temperature;
  } else {
    row.temperature_k = temperature;
    row.temperature_c = temperature - kKelvinOffset;
  }
  return row;
}

bool CalculateRow(TableRow& row, const AmountsInput& amounts, MixtureResult& scratch) {
  const Message* message = EvaluateState(row.pressure, row.temperature_k, amounts, scratch);
  if (message != nullptr) {
    row.properties = nullptr;
    row.error = message->text;
    row.error_code = message->code;
    return false;
  }
  row.properties = &scratch.properties;
  row.error = {};
  row.error_code = {};
  return true;
}

void CalculateRows(std::span<TableRow> rows, std::span<const SpeciesArray> amounts,
                   AmountsInput::Status amounts_status, RowScratch& scratch) {
  const std::size_t n = rows.size();
  scratch.pressures.resize(n);
  scratch.temperatures.resize(n);
  scratch.results.resize(n);
  scratch.messages.resize(n);
  // A row that already carries an error (a line that could not be read) has no state: a
  // pressure that is not a number stops it at the checks, and its own error stays.
  constexpr double kNoState = std::numeric_limits<double>::quiet_NaN();
  for (std::size_t k = 0; k < n; ++k) {
    scratch.pressures[k] = rows[k].error.empty() ? rows[k].pressure : kNoState;
    scratch.temperatures[k] = rows[k].temperature_k;
  }
  EvaluateStates(scratch.pressures, scratch.temperatures, amounts, amounts_status, scratch.results,
                 scratch.messages);
  for (std::size_t k = 0; k < n; ++k) {
    if (!rows[k].error.empty()) continue;
    if (const Message* message = scratch.messages[k]) {
      rows[k].properties = nullptr;
      rows[k].error = message->text;
      rows[k].error_code = message->code;
    } else {
      rows[k].properties = &scratch.results[k].properties;
      rows[k].error = {};
      rows[k].error_code = {};
    }
  }
}

TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer, std::size_t jobs) {
  const std::uint64_t per_pressure = request.temperature.count;
  const std::uint64_t total = request.pressure.count * per_pressure;
  struct Chunk {
    std::uint64_t first = 0;  // the index of its first row, temperature fastest
    std::vector<TableRow> rows;
    RowScratch scratch;
    FormattedRows formatted;
  };
  std::uint64_t next = 0;
  TableCounts counts;
  RunChunksInOrder<Chunk>(
      jobs,
      [&](Chunk& chunk) {
        if (next >= total) return false;
        chunk.first = next;
        chunk.rows.resize(static_cast<std::size_t>(std::min(kSweepChunkRows, total - next)));
        next += chunk.rows.size();
        return true;
      },
      [&](Chunk& chunk) {
        for (std::size_t k = 0; k < chunk.rows.size(); ++k) {
          const std::uint64_t index = chunk.first + k;
          chunk.rows[k] =
              StateRow(request.pressure.At(index / per_pressure), request.pressure_unit,
                       request.temperature.At(index % per_pressure), request.temperature_unit);
        }
        CalculateRows(chunk.rows, {&request.amounts.values, 1}, request.amounts.status,
                      chunk.scratch);
        chunk.formatted.Format(chunk.rows, writer);
      },
      [&](Chunk& chunk) { return chunk.formatted.WriteTo(writer, counts); });
  return counts;
}

}  // namespace toluvek
