// Property tables: rows computed and written per second, as `toluvek-cli table` and
// `toluvek-cli batch` produce them (the output discarded, so the disk does not count).

#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "tables/batch_input.hpp"
#include "tables/property_table.hpp"

namespace toluvek {
namespace {

class DiscardBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

constexpr SpeciesArray kAllTwelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

void TableRows(benchmark::State& state, TableFormat format) {
  DiscardBuffer discard;
  std::ostream out(&discard);
  TableWriter writer(out, DefaultTableColumns(), format);
  AmountsInput amounts;
  amounts.values = kAllTwelve;
  Sweep temperatures;
  MakeSweep(0, 999.999, 0.001, temperatures);
  MixtureResult scratch;
  std::uint64_t i = 0;
  for (auto _ : state) {
    TableRow row = StateRow(101325, PressureUnit::kPa, temperatures.At(i % temperatures.count),
                            TemperatureUnit::kCelsius);
    benchmark::DoNotOptimize(CalculateRow(row, amounts, scratch));
    writer.Write(row);
    ++i;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(i));
}

void BM_TableRowsCsv(benchmark::State& state) {
  TableRows(state, TableFormat::kCsv);
}
BENCHMARK(BM_TableRowsCsv);

void BM_TableRowsJsonLines(benchmark::State& state) {
  TableRows(state, TableFormat::kJsonLines);
}
BENCHMARK(BM_TableRowsJsonLines);

// 100,000 states read from CSV, calculated and written.
void BM_BatchRows(benchmark::State& state) {
  constexpr int kRows = 100'000;
  std::string input = "pressure,pressure_unit,temperature,temperature_unit";
  const char* labels[] = {"H2",    "O2",  "N2",   "CO",   "CO2",     "H2O",
                          "CH3OH", "CH4", "C2H6", "C3H8", "n-C4H10", "i-C4H10"};
  for (const char* label : labels) input += std::string(",") + label;
  input += '\n';
  for (int r = 0; r < kRows; ++r) {
    input += "101325,Pa," + std::to_string(r % 1000) + ".5,C,1,2,3,4,5,6,7,8,9,10,11,12\n";
  }
  DiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    std::istringstream in(input);
    BatchReader reader(in);
    reader.ReadHeader();
    TableWriter writer(out, DefaultTableColumns(), TableFormat::kCsv);
    BatchState s;
    MixtureResult scratch;
    while (reader.Next(s)) {
      TableRow row = StateRow(s.pressure, s.pressure_unit, s.temperature, s.temperature_unit);
      benchmark::DoNotOptimize(CalculateRow(row, s.amounts, scratch));
      writer.Write(row);
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchRows)->Unit(benchmark::kMillisecond);

// A temperature sweep of 100,000 rows through WriteSweep, as `toluvek-cli table --jobs N`
// writes it; wall-clock time, since the threads are the point.
void BM_SweepJobs(benchmark::State& state) {
  DiscardBuffer discard;
  std::ostream out(&discard);
  SweepRequest request;
  request.pressure = SingleValue(101325);
  MakeSweep(0, 99.999, 0.001, request.temperature);
  request.amounts.values = kAllTwelve;
  const auto jobs = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    TableWriter writer(out, DefaultTableColumns(), TableFormat::kCsv);
    benchmark::DoNotOptimize(WriteSweep(request, writer, jobs));
  }
  state.SetItemsProcessed(
      static_cast<std::int64_t>(state.iterations() * request.temperature.count));
}
BENCHMARK(BM_SweepJobs)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace toluvek
