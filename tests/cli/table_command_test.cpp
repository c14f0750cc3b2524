#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "common/number_text.hpp"
#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

TEST(TableCommand, SweepHasARowPerStepAndBothEnds) {
  const Outcome r = RunCli({"table", "--t-from", "0", "--t-to", "1000", "--t-step", "5"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u + 201u);
  EXPECT_EQ(lines[0],
            "pressure_Pa,temperature_K,temperature_C,molar_mass_kg_per_kmol,density_kg_per_m3,"
            "gas_constant_J_per_kg_K,cp_J_per_kg_K,conductivity_W_per_m_K,viscosity_Pa_s,"
            "kinematic_viscosity_m2_per_s,prandtl,prandtl_eucken,in_fit_range,error");
  EXPECT_EQ(lines[1].substr(0, 21), "101325,273.15,0,28.85");
  EXPECT_EQ(lines.back().substr(0, 25), "101325,1273.15,1000,28.85");
  EXPECT_EQ(lines.back().back(), ',');  // no error
}

// Temperature fastest; a state that fails keeps its row and the sweep goes on.
TEST(TableCommand, FailedStatesKeepTheirRowsInTheMiddleOfTheGrid) {
  const Outcome r =
      RunCli({"table", "--temperature-unit", "K", "--t-from", "3500", "--t-to", "3540", "--t-step",
              "20", "--p-from", "1E+005", "--p-to", "2E+005", "--p-step", "1E+005"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err,
            "2 of 6 rows failed\n"
            "warning: 4 of 6 rows are extrapolated (in_fit_range 0): the fits of cp, λ and μ hold "
            "from 200 to 1000 K\n");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 7u);
  const char* expected[][3] = {
      {"1e+05", "3500", ""}, {"1e+05", "3520", ""}, {"1e+05", "3540", "入力値を確認下さい。"},
      {"2e+05", "3500", ""}, {"2e+05", "3520", ""}, {"2e+05", "3540", "入力値を確認下さい。"}};
  for (std::size_t i = 0; i < 6; ++i) {
    const auto cells = Cells(lines[i + 1]);
    ASSERT_EQ(cells.size(), 14u) << lines[i + 1];
    EXPECT_EQ(cells[0], expected[i][0]);
    EXPECT_EQ(cells[1], expected[i][1]);
    EXPECT_EQ(cells[13], expected[i][2]);
    EXPECT_EQ(cells[6].empty(), !cells[13].empty()) << "cp is empty exactly when the row failed";
    EXPECT_EQ(cells[12], cells[13].empty() ? "0" : "") << "3500 K is beyond the fits";
  }
}

TEST(TableCommand, ValuesEqualTheMixtureCommandBitForBit) {
  const std::vector<std::string> common = {
      "--pressure",         "2.5", "--pressure-unit", "atm",
      "--temperature-unit", "K",   "--amounts",       "1,2,3,4,5,6,7,8,9,10,11,12"};
  std::vector<std::string> args = {"table", "--t-from", "250", "--t-to",
                                   "1750",  "--t-step", "0.7", "--species"};
  args.insert(args.end(), common.begin(), common.end());
  const Outcome table = RunCli(args);
  ASSERT_EQ(table.code, kExitOk) << table.err;
  const auto lines = Lines(table.out);
  const auto header = Cells(lines[0]);
  for (std::size_t row : {std::size_t{1}, std::size_t{1000}, lines.size() - 1}) {
    const auto cells = Cells(lines[row]);
    std::vector<std::string> mixture = {"mixture", "--temperature", cells[1], "--json"};
    mixture.insert(mixture.end(), common.begin(), common.end());
    const Outcome r = RunCli(mixture);
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    const auto value = [&](std::string_view name) {
      return ParseStrict(cells.at(std::find(header.begin(), header.end(), name) - header.begin()));
    };
    EXPECT_EQ(value("pressure_Pa"), doc["inputs"]["pressure_pa"].get<double>());
    const std::pair<const char*, const char*> mixture_columns[] = {
        {"molar_mass_kg_per_kmol", "molar_mass"},
        {"density_kg_per_m3", "density"},
        {"gas_constant_J_per_kg_K", "gas_constant"},
        {"cp_J_per_kg_K", "cp"},
        {"conductivity_W_per_m_K", "conductivity"},
        {"viscosity_Pa_s", "viscosity"},
        {"kinematic_viscosity_m2_per_s", "kinematic_viscosity"},
        {"prandtl", "prandtl"},
        {"prandtl_eucken", "prandtl_eucken"}};
    for (const auto& [column, key] : mixture_columns) {
      EXPECT_EQ(value(column), doc["mixture"][key]["value"].get<double>()) << column;
    }
    for (const auto& species : doc["species"]) {
      const std::string label = species["label"];
      EXPECT_EQ(value("viscosity_" + label + "_Pa_s"), species["viscosity"]["value"].get<double>());
      EXPECT_EQ(value("mass_fraction_" + label), species["mass_fraction"]["value"].get<double>());
    }
  }
}

TEST(TableCommand, ColumnsAndJsonLines) {
  const Outcome r = RunCli(
      {"table", "--temperature", "20", "--columns", "temperature_C,cp_CO2_J_per_kg_K", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::ordered_json::parse(r.out);
  EXPECT_EQ(doc.dump(), "{\"temperature_C\":20,\"cp_CO2_J_per_kg_K\":" +
                            FormatShortest(doc["cp_CO2_J_per_kg_K"].get<double>()) +
                            ",\"error\":null,\"error_code\":null}");
  // The species columns go before in_fit_range, which stays beside the error.
  const std::string header = Lines(RunCli({"table", "--species"}).out)[0];
  EXPECT_EQ(header.substr(header.size() - 50),
            "prandtl_n-C4H10,prandtl_i-C4H10,in_fit_range,error");
}

TEST(TableCommand, UnsoundSweepsAndColumnsAreUsageErrors) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--t-from", "0", "--t-to", "10", "--t-step", "0"}, "--t-from/-to/-step: the step is 0"},
      {{"--p-from", "2", "--p-to", "1", "--p-step", "1"},
       "--p-from/-to/-step: the step leads away from the end"},
      {{"--t-from", "0", "--t-to", "9999", "--t-step", "1", "--p-from", "1", "--p-to", "2000",
        "--p-step", "1"},
       "the sweep gives 20000000 rows, more than 10000000"},
      {{"--t-from", "0", "--t-to", "1e", "--t-step", "1"}, "--t-to: \"1e\" is not a number"},
      {{"--columns", "cp"}, "--columns: no column \"cp\""},
      {{"--t-from", "0"}, "--t-from requires --t-"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> args = {"table"};
    args.insert(args.end(), options.begin(), options.end());
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.code, kExitUsage) << message;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(BatchCommand, WritesARowForEveryLineInOrder) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("toluvek_batch_" + std::to_string(::getpid()));
  std::ofstream(path) << "pressure,pressure_unit,temperature,temperature_unit,O2,N2\n"
                         "101325,Pa,25,C,21,79\n"
                         "1,atm,25,X,21,79\n"
                         "1,atm,298.15,K,-21,79\n"
                         "1,atm,298.15,K,21,79\n";
  const Outcome r = RunCli({"batch", "--input", path.string()});
  std::filesystem::remove(path);
  const Outcome table = RunCli({"table"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "2 of 4 rows failed\n");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], Lines(table.out)[0]);
  EXPECT_EQ(lines[1], Lines(table.out)[1]);
  EXPECT_EQ(lines[2], ",,,,,,,,,,,,,line 3: temperature_unit is not C or K");
  EXPECT_EQ(lines[3], "101325,298.15,25,,,,,,,,,,,負のモル体積があります!!");
  EXPECT_EQ(Cells(lines[4])[1], "298.15");
  EXPECT_EQ(Cells(lines[4])[3], Cells(lines[1])[3]);
}

TEST(BatchCommand, AnUnusableHeaderStopsBeforeAnyRow) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("toluvek_batch_h_" + std::to_string(::getpid()));
  std::ofstream(path) << "pressure,temperature\n1,2\n";
  const Outcome r = RunCli({"batch", "--input", path.string()});
  std::filesystem::remove(path);
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "line 1: no column pressure_unit\n");
  EXPECT_EQ(r.out, "");
}

// --jobs reaches both tables; the rows' bytes do not depend on it.
TEST(TableCommand, JobsChangeNoByteOfTheOutput) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("toluvek_batch_j_" + std::to_string(::getpid()));
  {
    std::ofstream input(path);
    input << "pressure,pressure_unit,temperature,temperature_unit,O2,N2\n";
    for (int r = 0; r < 3000; ++r) input << 1 + r % 3 << ",atm," << r - 300 << ",C,21,79\n";
  }
  const std::vector<std::string> runs[] = {
      {"table", "--t-from", "-300", "--t-to", "2700", "--t-step", "1", "--species"},
      {"batch", "--input", path.string(), "--json"}};
  for (const auto& args : runs) {
    auto with_jobs = [&](const char* jobs) {
      std::vector<std::string> a = args;
      a.insert(a.end(), {"--jobs", jobs});
      return RunCli(a);
    };
    const Outcome one = with_jobs("1");
    const Outcome three = with_jobs("3");
    EXPECT_EQ(one.code, kExitStopped) << args[0];  // the rows below absolute zero fail
    EXPECT_EQ(Lines(one.out).size(), args[0] == "table" ? 3002u : 3000u);
    EXPECT_TRUE(three.out == one.out) << args[0];
    EXPECT_EQ(three.err, one.err);
    EXPECT_EQ(with_jobs("0").code, kExitUsage) << args[0];
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace toluvek::cli
