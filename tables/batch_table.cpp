#include "tables/batch_table.hpp"

#include <optional>
#include <string>
#include <vector>

#include "tables/ordered_chunks.hpp"

namespace toluvek {
namespace {

// Lines per chunk, and the bytes after which a chunk of long lines takes no more.
constexpr std::size_t kBatchChunkLines = 1024;
constexpr std::size_t kBatchChunkBytes = std::size_t{1} << 20;

struct BatchChunk {
  std::string bytes;                // the texts of its lines, one after another
  std::vector<BatchLine> lines;     // their texts are set from `bytes` once it is complete
  std::vector<std::size_t> begins;  // where each line's text begins in `bytes`
  std::optional<BatchLineParser> parser;
  std::vector<BatchState> states;
  std::vector<TableRow> rows;
  std::vector<SpeciesArray> amounts;
  RowScratch scratch;
  FormattedRows formatted;
};

}  // namespace

TableCounts WriteBatch(BatchReader& reader, TableWriter& writer, std::size_t jobs) {
  TableCounts counts;
  RunChunksInOrder<BatchChunk>(
      jobs,
      [&](BatchChunk& chunk) {
        chunk.bytes.clear();
        chunk.lines.clear();
        chunk.begins.clear();
        BatchLine line;
        while (chunk.lines.size() < kBatchChunkLines && chunk.bytes.size() < kBatchChunkBytes &&
               reader.NextLine(line)) {
          chunk.begins.push_back(chunk.bytes.size());
          chunk.bytes.append(line.text);
          chunk.lines.push_back(line);
        }
        return !chunk.lines.empty();
      },
      [&](BatchChunk& chunk) {
        const std::size_t n = chunk.lines.size();
        if (!chunk.parser) chunk.parser.emplace(reader.parser());
        chunk.states.resize(n);
        chunk.rows.resize(n);
        chunk.amounts.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
          BatchLine& line = chunk.lines[k];
          line.text = std::string_view(chunk.bytes).substr(chunk.begins[k], line.text.size());
          BatchState& state = chunk.states[k];
          chunk.parser->Parse(line, state);
          if (state.error.empty()) {
            chunk.rows[k] = StateRow(state.pressure, state.pressure_unit, state.temperature,
                                     state.temperature_unit);
            chunk.amounts[k] = state.amounts.values;
          } else {
            chunk.rows[k] = TableRow{};
            chunk.rows[k].error = state.error;
            chunk.rows[k].error_code = kUnreadableRowCode;
          }
        }
        CalculateRows(chunk.rows, chunk.amounts, AmountsInput::Status::kRead, chunk.scratch);
        chunk.formatted.Format(chunk.rows, writer);
      },
      [&](BatchChunk& chunk) { return chunk.formatted.WriteTo(writer, counts); });
  return counts;
}

}  // namespace toluvek
