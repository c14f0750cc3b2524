// Tables in chunks on several threads give the bytes of the plain loop, a row at a time on one.

#include <algorithm>
#include <atomic>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tables/batch_table.hpp"
#include "tables/ordered_chunks.hpp"
#include "tables/property_table.hpp"

namespace toluvek {
namespace {

struct NumberedChunk {
  int number = -1;
  std::uint64_t work = 0;
};

// Work of uneven length, so that later chunks often end before earlier ones.
std::uint64_t Churn(int number) {
  std::uint64_t x = static_cast<std::uint64_t>(number);
  for (int i = 0; i < (number % 7) * 20000; ++i)
    x = x * 6364136223846793005u + 1442695040888963407u;
  return x;
}

TEST(OrderedChunks, ChunksAreDrainedInTheOrderFilledWithFewInFlight) {
  for (const std::size_t jobs : {1u, 2u, 3u, 8u}) {
    SCOPED_TRACE(::testing::Message() << jobs << " jobs");
    int filled = 0;
    std::atomic<int> drained = 0;
    int most_in_flight = 0;
    std::vector<int> order;
    RunChunksInOrder<NumberedChunk>(
        jobs,
        [&](NumberedChunk& c) {
          if (filled == 300) return false;
          c.number = filled++;
          most_in_flight = std::max(most_in_flight, filled - drained.load());
          return true;
        },
        [](NumberedChunk& c) { c.work = Churn(c.number); },
        [&](NumberedChunk& c) {
          EXPECT_EQ(c.work, Churn(c.number));
          order.push_back(c.number);
          ++drained;
          return true;
        });
    std::vector<int> expected(300);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);
    EXPECT_LE(most_in_flight, static_cast<int>(jobs == 1 ? 1 : 2 * jobs));
  }
}

TEST(OrderedChunks, AStopOrAFailureEndsTheRunSoon) {
  for (const std::size_t jobs : {1u, 2u, 4u}) {
    SCOPED_TRACE(::testing::Message() << jobs << " jobs");
    int filled = 0;
    std::vector<int> order;
    RunChunksInOrder<NumberedChunk>(
        jobs,
        [&](NumberedChunk& c) {
          c.number = filled++;
          return true;  // rows without end: only the stop ends the run
        },
        [](NumberedChunk& c) { c.work = Churn(c.number); },
        [&](NumberedChunk& c) {
          order.push_back(c.number);
          return c.number < 10;
        });
    EXPECT_EQ(order.size(), 11u);
    EXPECT_LE(filled, static_cast<int>(11 + 2 * jobs));

    order.clear();
    filled = 0;
    EXPECT_THROW(RunChunksInOrder<NumberedChunk>(
                     jobs,
                     [&](NumberedChunk& c) {
                       c.number = filled++;
                       return true;
                     },
                     [](NumberedChunk& c) {
                       if (c.number == 5) throw std::overflow_error("chunk 5");
                     },
                     [&](NumberedChunk& c) {
                       order.push_back(c.number);
                       return true;
                     }),
                 std::overflow_error);
    EXPECT_LE(order.size(), 5u);
  }
}

const std::array<std::string, kSpeciesCount> kAir = {"0", "21", "79", "0", "0", "0",
                                                     "0", "0",  "0",  "0", "0", "0"};

// The table as it was written before chunks: each state checked and calculated alone.
std::string PlainSweep(const SweepRequest& request, const std::vector<std::size_t>& columns,
                       TableFormat format, TableCounts& counts) {
  std::ostringstream out;
  {
    TableWriter writer(out, columns, format);
    MixtureResult scratch;
    for (std::uint64_t ip = 0; ip < request.pressure.count; ++ip) {
      for (std::uint64_t it = 0; it < request.temperature.count; ++it) {
        TableRow row = StateRow(request.pressure.At(ip), request.pressure_unit,
                                request.temperature.At(it), request.temperature_unit);
        CalculateRow(row, request.amounts, scratch);
        writer.Write(row);
        counts.Count(row);
      }
    }
  }
  return out.str();
}

void ExpectSameCounts(const TableCounts& a, const TableCounts& b) {
  EXPECT_EQ(a.rows, b.rows);
  EXPECT_EQ(a.failed, b.failed);
  EXPECT_EQ(a.outside_fit_range, b.outside_fit_range);
}

TEST(TableJobs, SweepWritesThePlainLoopsBytesOnAnyNumberOfThreads) {
  std::vector<std::size_t> all_columns = DefaultTableColumns();
  for (std::size_t c : SpeciesTableColumns()) all_columns.push_back(c);
  struct Case {
    const char* name;
    std::array<std::string, kSpeciesCount> amounts;
    std::vector<std::size_t> columns;
    TableFormat format;
  };
  auto not_a_number = kAir;
  not_a_number[4] = "1e";
  const Case cases[] = {
      {"AirEveryColumnCsv", kAir, all_columns, TableFormat::kCsv},
      {"AirJsonLines", kAir, DefaultTableColumns(), TableFormat::kJsonLines},
      {"AmountNotANumber", not_a_number, DefaultTableColumns(), TableFormat::kCsv},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SweepRequest request;
    // Pressures below zero fail, temperatures below absolute zero fail, some rows lie beyond
    // the fits; several chunks of rows, the last one short.
    ASSERT_EQ(MakeSweep(-50000, 200000, 125000, request.pressure), "");
    ASSERT_EQ(MakeSweep(-300, 1500, 0.75, request.temperature), "");
    request.amounts = ReadAmounts(c.amounts);
    TableCounts plain_counts;
    const std::string plain = PlainSweep(request, c.columns, c.format, plain_counts);
    for (const std::size_t jobs : {1u, 2u, 3u}) {
      SCOPED_TRACE(::testing::Message() << jobs << " jobs");
      std::ostringstream out;
      TableCounts counts;
      {
        TableWriter writer(out, c.columns, c.format);
        counts = WriteSweep(request, writer, jobs);
      }
      EXPECT_TRUE(out.str() == plain)
          << "wrote " << out.str().size() << " bytes of " << plain.size();
      ExpectSameCounts(counts, plain_counts);
    }
  }
}

TEST(TableJobs, BatchWritesThePlainLoopsBytesOnAnyNumberOfThreads) {
  std::string input = "pressure,\"pressure_unit\",temperature,temperature_unit,O2,N2,CH4\r\n";
  for (int r = 0; r < 3500; ++r) {
    const std::string t = std::to_string(r % 1700 - 300) + "." + std::to_string(r % 10);
    input += std::to_string(50000 + 37 * r) + ",Pa," + t + ",C,21," + std::to_string(r % 80) + "," +
             std::to_string(r % 3) + "\r\n";
    switch (r % 500) {
      case 7:
        input += "1,atm,25,X,21,79,0\n";
        break;
      case 11:
        input += "\n \n";
        break;
      case 13:
        input += "1,atm,25,C,21,79\n";
        break;
      case 17:
        input += "1,atm,\"2\"\"5\",C,21,79,1\n";
        break;
      case 19:
        input += "1,\"atm\",25,K,-21,79,0\n";
        break;
      case 23:
        input += "1,atm,25,C,0,0,0\n";
        break;
      case 29:
        input += std::string(kMaxBatchLineBytes + 10, '1') + "\n";
        break;
      case 31:
        input += "1,atm,25,C,21,79,0x1p3\n";
        break;
    }
  }
  std::string plain;
  TableCounts plain_counts;
  {
    std::istringstream in(input);
    BatchReader reader(in);
    ASSERT_EQ(reader.ReadHeader(), "");
    std::ostringstream out;
    {
      TableWriter writer(out, SpeciesTableColumns(), TableFormat::kCsv);
      BatchState state;
      MixtureResult scratch;
      while (reader.Next(state)) {
        TableRow row;
        if (state.error.empty()) {
          row = StateRow(state.pressure, state.pressure_unit, state.temperature,
                         state.temperature_unit);
          CalculateRow(row, state.amounts, scratch);
        } else {
          row.error = state.error;
        }
        writer.Write(row);
        plain_counts.Count(row);
      }
    }
    plain = out.str();
  }
  ASSERT_GT(plain_counts.failed, 40u);
  for (const std::size_t jobs : {1u, 2u, 3u}) {
    SCOPED_TRACE(::testing::Message() << jobs << " jobs");
    std::istringstream in(input);
    BatchReader reader(in);
    ASSERT_EQ(reader.ReadHeader(), "");
    std::ostringstream out;
    TableCounts counts;
    {
      TableWriter writer(out, SpeciesTableColumns(), TableFormat::kCsv);
      counts = WriteBatch(reader, writer, jobs);
    }
    EXPECT_TRUE(out.str() == plain) << "wrote " << out.str().size() << " bytes of " << plain.size();
    ExpectSameCounts(counts, plain_counts);
  }
}

}  // namespace
}  // namespace toluvek
