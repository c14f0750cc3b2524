#include "cli/table_options.hpp"

#include <algorithm>
#include <ostream>

#include "cli/cli_app.hpp"

namespace toluvek::cli {

void TableOptions::AddTo(CLI::App& app) {
  app.add_option("--columns", columns,
                 "comma-separated columns to write, by their header names (default: pressure, "
                 "temperatures and the mixture's results); the error column always comes last");
  app.add_flag("--species", species, "add the six per-species columns for each species");
  app.add_flag("--json", json, "JSON lines, one object per row, instead of CSV");
}

std::optional<std::vector<std::size_t>> TableOptions::Columns(std::ostream& err) const {
  std::vector<std::size_t> chosen;
  if (columns.empty()) {
    chosen = DefaultTableColumns();
  } else {
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = columns.find(',', start);
      const std::string name = columns.substr(start, comma - start);
      const std::optional<std::size_t> column = FindTableColumn(name);
      if (!column) {
        err << "--columns: no column \"" << name << "\"; the columns are";
        for (std::size_t c = 0; c < kTableColumnCount; ++c) err << ' ' << TableColumnName(c);
        err << '\n';
        return std::nullopt;
      }
      if (std::find(chosen.begin(), chosen.end(), *column) != chosen.end()) {
        err << "--columns: column \"" << name << "\" is named twice\n";
        return std::nullopt;
      }
      chosen.push_back(*column);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  if (species) {
    for (std::size_t c : SpeciesTableColumns()) {
      if (std::find(chosen.begin(), chosen.end(), c) != chosen.end()) {
        err << "--columns: column \"" << TableColumnName(c)
            << "\" is one of the --species columns already\n";
        return std::nullopt;
      }
      chosen.push_back(c);
    }
  }
  return chosen;
}

int FinishTable(TableWriter& writer, std::uint64_t rows, std::uint64_t failed, std::ostream& err) {
  // A table that could not be written is said once, by Run, for all of standard output.
  if (!writer.Flush()) return kExitStopped;
  if (failed > 0) {
    err << failed << " of " << rows << " rows failed\n";
    return kExitStopped;
  }
  return kExitOk;
}

}  // namespace toluvek::cli
