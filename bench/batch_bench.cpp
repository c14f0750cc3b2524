// toluvek-cli batch, end to end, beside its floor: a stand-alone loop that reads the same file
// with from_chars, calculates the same states and writes the same bytes, knowing the file's
// layout and trusting every field. Compare the two within one run.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "tables/batch_table.hpp"

namespace toluvek {
namespace {

constexpr int kRows = 200'000;

class DiscardBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

// Keeps what is written, for the check that both loops write the same bytes.
class KeepBuffer : public std::streambuf {
 public:
  std::string text;

 protected:
  int overflow(int c) override {
    text += static_cast<char>(c);
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    text.append(s, static_cast<std::size_t>(n));
    return n;
  }
};

// The batch file of the runs: every species given, temperatures and amounts changing.
const std::filesystem::path& BatchFile() {
  static const std::filesystem::path path = [] {
    const auto p = std::filesystem::temp_directory_path() /
                   ("toluvek_batch_bench_" + std::to_string(::getpid()) + ".csv");
    std::ofstream out(p, std::ios::binary);
    out << "pressure,pressure_unit,temperature,temperature_unit,H2,O2,N2,CO,CO2,H2O,CH3OH,CH4,"
           "C2H6,C3H8,n-C4H10,i-C4H10\n";
    for (int r = 0; r < kRows; ++r) {
      out << 90000 + r % 20000 << ",Pa," << r % 1000 << '.' << r % 7 << ",C,1,21," << 70 + r % 9
          << ",0.5,2.25,3,0,1.5,0,0.125," << r % 4 << ",0\n";
    }
    std::atexit([] { std::filesystem::remove(BatchFile()); });
    return p;
  }();
  return path;
}

// toluvek-cli batch --input <file> --jobs 1, without the argument handling.
void RunBatch(std::ostream& out) {
  std::ifstream in(BatchFile(), std::ios::binary);
  BatchReader reader(in);
  reader.ReadHeader();
  TableWriter writer(out, DefaultTableColumns(), TableFormat::kCsv);
  benchmark::DoNotOptimize(WriteBatch(reader, writer, 1));
  writer.Flush();
}

double Number(const char*& p) {
  double value = 0;
  p = std::from_chars(p, p + 64, value).ptr + 1;  // past the comma or the line end
  return value;
}

// The floor: the file read in large blocks, each line's fields in their known order read by
// from_chars without any check, the states calculated in chunks and written by the table's
// formatter.
void RunFloor(std::ostream& out) {
  std::FILE* file = std::fopen(BatchFile().c_str(), "rb");
  constexpr std::size_t kBlock = 1 << 20;
  std::vector<char> block(kBlock + 4096);
  std::size_t kept = 0;
  bool header = true;
  TableWriter writer(out, DefaultTableColumns(), TableFormat::kCsv);
  TableFormatter formatter = writer.NewFormatter();
  TextBuffer text;
  std::vector<TableRow> rows;
  std::vector<SpeciesArray> amounts;
  RowScratch scratch;
  while (true) {
    const std::size_t got = std::fread(block.data() + kept, 1, kBlock, file);
    const std::size_t size = kept + got;
    const char* p = block.data();
    const char* const end = block.data() + size;
    rows.clear();
    amounts.clear();
    while (true) {
      const auto* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (newline == nullptr) break;
      if (header) {
        header = false;
        p = newline + 1;
        continue;
      }
      const double pressure = Number(p);
      p += 3;  // "Pa,"
      const double temperature = Number(p);
      p += 2;  // "C,"
      SpeciesArray x;
      for (double& a : x) a = Number(p);
      rows.push_back(StateRow(pressure, PressureUnit::kPa, temperature, TemperatureUnit::kCelsius));
      amounts.push_back(x);
    }
    CalculateRows(rows, amounts, AmountsInput::Status::kRead, scratch);
    text.Clear();
    for (const TableRow& row : rows) formatter.Write(row, text);
    writer.WriteText(text.view());
    kept = static_cast<std::size_t>(end - p);
    std::memmove(block.data(), p, kept);
    if (got == 0) break;
  }
  std::fclose(file);
  writer.Flush();
}

// Both loops write the same bytes, or the figures compare nothing.
bool SameOutput() {
  static const bool same = [] {
    KeepBuffer batch, floor;
    std::ostream batch_out(&batch), floor_out(&floor);
    RunBatch(batch_out);
    RunFloor(floor_out);
    return batch.text == floor.text && batch.text.size() > 0;
  }();
  return same;
}

void BM_BatchEndToEnd(benchmark::State& state) {
  if (!SameOutput()) return state.SkipWithError("the floor writes other bytes than the batch");
  DiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state) RunBatch(out);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchEndToEnd)->Unit(benchmark::kMillisecond);

void BM_BatchFloor(benchmark::State& state) {
  if (!SameOutput()) return state.SkipWithError("the floor writes other bytes than the batch");
  DiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state) RunFloor(out);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchFloor)->Unit(benchmark::kMillisecond);

// Reading alone: lines split, fields checked and read, per row.
void BM_BatchParse(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(BatchFile(), std::ios::binary);
    BatchReader reader(in);
    reader.ReadHeader();
    BatchState s;
    while (reader.Next(s)) benchmark::DoNotOptimize(s.temperature);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchParse)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace toluvek
