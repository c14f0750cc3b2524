// Feeds the batch reader arbitrary bytes and writes every row it reads: no crash, no hang, no
// infinity or NaN in the table, and one row per line after the header, in order (blank lines
// are skipped, so a row's line number may jump ahead but never repeat or go back).

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tables/batch_input.hpp"

using namespace toluvek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fixed header half the time, so that the rows are reached quickly.
  const bool with_header = size > 0 && (data[0] & 1);
  std::string text =
      with_header ? "pressure,pressure_unit,temperature,temperature_unit,H2,O2\n" : "";
  text.append(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  BatchReader reader(in);
  if (!reader.ReadHeader().empty()) return 0;
  std::ostringstream out;
  std::uint64_t last_line = 1;  // the header's
  {
    TableWriter writer(out, SpeciesTableColumns(), TableFormat::kCsv);
    BatchState state;
    MixtureResult scratch;
    while (reader.Next(state)) {
      if (state.line <= last_line) std::abort();
      last_line = state.line;
      TableRow row;
      if (state.error.empty()) {
        row = StateRow(state.pressure, state.pressure_unit, state.temperature,
                       state.temperature_unit);
        CalculateRow(row, state.amounts, scratch);
      } else {
        row.error = state.error;
      }
      writer.Write(row);
    }
  }
  const std::string table = out.str();
  if (table.find("inf") != std::string::npos || table.find("nan") != std::string::npos) {
    std::abort();
  }
  return 0;
}
