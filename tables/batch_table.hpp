#pragma once
// toluvek-cli batch's table: a row for each state of the input, in the input's order.

#include <cstddef>

#include "tables/batch_input.hpp"
#include "tables/table_writer.hpp"

namespace toluvek {

// Reads the data lines after the header, and writes a row for each: the state's properties,
// or what was wrong with its line or its state. Lines are read in order and calculated and
// formatted in chunks on `jobs` threads; the rows are written in order, byte for byte as one
// job writes them. Stops at the end of the input, or after the first write that fails.
TableCounts WriteBatch(BatchReader& reader, TableWriter& writer, std::size_t jobs);

}  // namespace toluvek
