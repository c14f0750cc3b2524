#include "cli/table_options.hpp"

#include <algorithm>
#include <ostream>
#include <string>

#include "cli/cli_app.hpp"
#include "cli/completion.hpp"
#include "cli/mixture_output.hpp"
#include "tables/ordered_chunks.hpp"

namespace toluvek::cli {
namespace {

// More threads than this only hold more chunks in memory.
constexpr std::size_t kMaxJobs = 256;

}  // namespace

void TableOptions::AddTo(CLI::App& app) {
  std::vector<std::string> names;
  for (std::size_t c = 0; c < kTableColumnCount; ++c) names.push_back(TableColumnName(c));
  OfferValues(app.add_option(
                  "--columns", columns,
                  "comma-separated columns to write, by their header names (default: pressure, "
                  "temperatures, the mixture's results and in_fit_range, 1 where the fits of cp, "
                  "λ and μ hold and 0 where the properties are extrapolated); the error column "
                  "always comes last"),
              names, true);
  app.add_flag("--species", species, "add the six per-species columns for each species");
  app.add_flag("--json", json, "JSON lines, one object per row, instead of CSV");
  app.add_option("--jobs", jobs,
                 "threads that calculate and format the rows, which are written in order all "
                 "the same (default: one per online core)")
      ->check(CLI::Range(std::size_t{1}, kMaxJobs));
}

std::size_t TableOptions::Jobs() const {
  return jobs > 0 ? jobs : std::min(OnlineCores(), kMaxJobs);
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
    // The default columns keep in_fit_range last, beside the error.
    const bool fit_range_last = columns.empty();
    if (fit_range_last) chosen.pop_back();
    for (std::size_t c : SpeciesTableColumns()) {
      if (std::find(chosen.begin(), chosen.end(), c) != chosen.end()) {
        err << "--columns: column \"" << TableColumnName(c)
            << "\" is one of the --species columns already\n";
        return std::nullopt;
      }
      chosen.push_back(c);
    }
    if (fit_range_last) chosen.push_back(kFitRangeColumn);
  }
  return chosen;
}

int FinishTable(TableWriter& writer, const TableCounts& counts, Io& io) {
  // A table that could not be written is said once, by Run, for all of standard output.
  if (!writer.Flush()) return kExitStopped;
  if (counts.outside_fit_range > 0) {
    io.messages.Warn(std::to_string(counts.outside_fit_range) + " of " +
                     std::to_string(counts.rows) +
                     " rows are extrapolated (in_fit_range 0): " + FitRangeText());
  }
  if (counts.failed > 0) {
    io.err << counts.failed << " of " << counts.rows << " rows failed\n";
    return kExitStopped;
  }
  return kExitOk;
}

}  // namespace toluvek::cli
