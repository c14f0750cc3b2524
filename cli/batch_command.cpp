// toluvek-cli batch: states read as CSV, one table row written for each, in the same order.

#include <fstream>
#include <iostream>

#include "cli/cli_app.hpp"
#include "cli/table_options.hpp"
#include "main/engineering_units.hpp"
#include "tables/batch_table.hpp"

namespace toluvek::cli {

Subcommand AddBatchCommand(CLI::App& app) {
  struct Options {
    std::string input;
    TableOptions output;
  };
  auto options = std::make_shared<Options>();
  std::string units;
  for (const PressureUnitScale& scale : kEngineeringPressureUnits) {
    units += (units.empty() ? "" : " | ") + std::string(scale.name);
  }
  CLI::App* sub = app.add_subcommand(
      "batch",
      "states read as CSV (header: pressure,pressure_unit,temperature,temperature_unit and any of "
      "the species labels, an absent species 0), one table row for each; blank lines are "
      "skipped. pressure_unit: " +
          units +
          ", absolute, or followed by \" gauge\" (\"MPa gauge\") for a pressure above "
          "101.325 kPa; temperature_unit: C | K");
  sub->add_option("--input", options->input, "the CSV file of states (default: standard input)")
      ->check(CLI::ExistingFile);
  options->output.AddTo(*sub);
  return {sub, [options](Io& io) {
            const auto columns = options->output.Columns(io.err);
            if (!columns) return kExitUsage;
            std::ifstream file;
            if (!options->input.empty()) {
              file.open(options->input, std::ios::binary);
              if (!file) {
                io.err << "--input " << options->input << ": cannot be opened\n";
                return kExitStopped;
              }
            }
            std::istream& in = options->input.empty() ? std::cin : file;
            BatchReader reader(in);
            if (const std::string error = reader.ReadHeader(); !error.empty()) {
              io.err << error << '\n';
              return kExitStopped;
            }
            TableWriter writer(
                io.out, *columns, options->output.Format(),
                io.messages.language() == Language::kEnglish ? &CatalogueEnglish : nullptr);
            const TableCounts counts = WriteBatch(reader, writer, options->output.Jobs());
            if (in.bad()) {
              io.err << "the input could not be read after " << counts.rows << " rows\n";
              writer.Flush();
              return kExitStopped;
            }
            return FinishTable(writer, counts, io);
          }};
}

}  // namespace toluvek::cli
