#pragma once
// The output options shared by `table` and `batch`: which columns, CSV or JSON lines, and on
// how many threads the rows are calculated.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_app.hpp"
#include "tables/property_table.hpp"

namespace toluvek::cli {

struct TableOptions {
  std::string columns;  // comma-separated header names; empty: the default columns
  bool species = false;
  bool json = false;
  std::size_t jobs = 0;  // 0: one per online core

  // Adds --columns, --species, --json and --jobs.
  void AddTo(CLI::App& app);

  // The chosen columns, or no value after naming an unknown one on `err`.
  std::optional<std::vector<std::size_t>> Columns(std::ostream& err) const;
  TableFormat Format() const { return json ? TableFormat::kJsonLines : TableFormat::kCsv; }
  std::size_t Jobs() const;
};

// Ends a table: flushes it, warns of rows whose properties are extrapolated and says on
// stderr how many rows failed. Exit 1 when the table could not be written or any row failed,
// else 0.
int FinishTable(TableWriter& writer, const TableCounts& counts, Io& io);

}  // namespace toluvek::cli
