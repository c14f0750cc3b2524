#pragma once
// The output options shared by `table` and `batch`: which columns, CSV or JSON lines.

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

  // Adds --columns, --species and --json.
  void AddTo(CLI::App& app);

  // The chosen columns, or no value after naming an unknown one on `err`.
  std::optional<std::vector<std::size_t>> Columns(std::ostream& err) const;
  TableFormat Format() const { return json ? TableFormat::kJsonLines : TableFormat::kCsv; }
};

// Ends a table: flushes it, warns of rows whose properties are extrapolated and says on
// stderr how many rows failed. Exit 1 when the table could not be written or any row failed,
// else 0.
int FinishTable(TableWriter& writer, const TableCounts& counts, Io& io);

}  // namespace toluvek::cli
