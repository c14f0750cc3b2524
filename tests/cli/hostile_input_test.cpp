// toluvek-cli on input a script gets wrong or an attacker crafts: bytes that are not UTF-8,
// missing and empty option values, output that cannot be written.

#include <iostream>
#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "engine/gas_table.hpp"
#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

TEST(HostileInput, BytesThatAreNotUtf8AreEchoedAsReplacementCharacters) {
  const std::string bad = "1\xFF\xC3";
  const std::vector<std::vector<std::string>> runs = {
      {"convert", "pressure", bad, "--json"},
      {"mixture", "--pressure", bad, "--json"},
      {"mixture", "--temperature", bad, "--json"},
      {"tsat", "--pressure", bad, "--amounts", "H2O=1,N2=9", "--json"},
      {"duct", "--flow", bad, "--json"},
      {"heat-duty", "--t1", bad, "--json"},
      {"water-heat", "--flow", bad, "--json"},
      {"mix", "--a-temperature", bad, "--a-flow", "1", "--b-flow", "1", "--b-amounts", "N2=1",
       "--json"},
  };
  for (const auto& args : runs) {
    const Outcome r = RunCli(args);
    SCOPED_TRACE(args[0] + " " + args[1]);
    EXPECT_NE(r.code, kExitUsage) << r.err;
    nlohmann::json doc;
    ASSERT_NO_THROW(doc = nlohmann::json::parse(r.out)) << r.out;  // parsing checks the UTF-8
    EXPECT_NE(r.out.find("1\uFFFD\uFFFD"), std::string::npos) << r.out;
  }
}

TEST(HostileInput, MissingEmptyAndRepeatedValuesAreUsageErrorsNamingTheOption) {
  const struct {
    std::vector<std::string> args;
    std::string first_line;
  } cases[] = {
      {{"mixture", "--pressure", "--json"}, "--pressure: a value is missing (--json is an option)"},
      {{"mixture", "--file", ""}, "--file: the value is empty"},
      {{"mixture", "--save", ""}, "--save: the value is empty"},
      {{"mixture", "--amounts", ""}, "--amounts: the value is empty"},
      {{"convert", "heat", "1", "--unit", ""}, "--unit: the value is empty"},
      {{"mixture", "--amounts", "O2=1,O2=2"}, "--amounts: give twelve comma-separated values"},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitUsage) << c.first_line;
    EXPECT_EQ(r.err.substr(0, c.first_line.size()), c.first_line);
    EXPECT_EQ(r.out, "");
  }
  // A negative number is a value: the calculation stops on it, not the command line.
  const Outcome negative = RunCli({"mixture", "--pressure", "-5"});
  EXPECT_EQ(negative.code, kExitStopped);
  EXPECT_EQ(negative.err, "エラーメッセージ: 圧力が負です!!\n");
}

std::string Repeated(const std::string& name, std::size_t times) {
  std::string list = name;
  for (std::size_t i = 1; i < times; ++i) list += "," + name;
  return list;
}

// Options that crashed the program or gave a table of repeated rows are refused before any
// row is written.
TEST(HostileInput, RepeatedColumnsAndStepsBelowThePrecisionAreUsageErrors) {
  const std::string prandtl = Repeated("prandtl", 16000);
  const struct {
    std::vector<std::string> args;
    std::string first_line;
  } cases[] = {
      {{"table", "--columns", prandtl, "--t-from", "0", "--t-to", "10", "--t-step", "1"},
       "--columns: column \"prandtl\" is named twice"},
      {{"table", "--columns", prandtl, "--json"}, "--columns: column \"prandtl\" is named twice"},
      {{"batch", "--columns", "cp_J_per_kg_K,pressure_Pa,cp_J_per_kg_K"},
       "--columns: column \"cp_J_per_kg_K\" is named twice"},
      {{"table", "--columns", "cp_CO2_J_per_kg_K", "--species"},
       "--columns: column \"cp_CO2_J_per_kg_K\" is one of the --species columns already"},
      {{"table", "--p-from", "1234567890", "--p-to", "1234567890.000001", "--p-step", "1e-7",
        "--columns", "pressure_Pa"},
       "--p-from/-to/-step: the step is too small: consecutive rows would be the same state"},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitUsage) << c.first_line;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.first_line);
    EXPECT_EQ(r.out, "");
  }
}

// An amount text the dialog leaves as it was typed has no value in JSON unless it is a number.
TEST(HostileInput, AmountTextsThatAreNoNumbersHaveNullValues) {
  for (const std::string text : {"1e999", "abc"}) {
    const Outcome r = RunCli({"add-air", "1", "--amounts", "CH4=" + text, "--json"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const nlohmann::json amounts = nlohmann::json::parse(r.out)["amounts"];
    EXPECT_EQ(amounts[kCH4],
              (nlohmann::json{{"label", "CH4"}, {"value", nullptr}, {"text", text}}));
    EXPECT_EQ(amounts[kO2]["value"], 0.21);
  }
}

// A stream whose every write fails, as standard output on a full disk or a closed pipe.
class FullDisk : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
};

TEST(HostileInput, ResultsThatCannotBeWrittenEndWithExitOne) {
  FullDisk full;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"mixture", "--json"}, {"convert", "pressure", "1"}}) {
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(cli::Run(args, out, err), kExitStopped) << args[0];
    EXPECT_EQ(err.str(), "toluvek-cli: the results could not be written to standard output\n");
  }
}

// A table that cannot be written stops at the first failed write and says so once; a batch
// reads no further.
TEST(HostileInput, TablesStopAtTheFirstWriteThatFails) {
  std::string input = "pressure,pressure_unit,temperature,temperature_unit,N2\n";
  for (int i = 0; i < 200000; ++i) input += "1,atm,25,C,1\n";
  const std::vector<std::string> runs[] = {
      {"table", "--t-from", "0", "--t-to", "99999", "--t-step", "1", "--species"},
      {"batch", "--species"}};
  for (const auto& args : runs) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in(input);
    std::streambuf* const standard_input = std::cin.rdbuf(in.rdbuf());
    const int code = cli::Run(args, out, err);
    std::cin.rdbuf(standard_input);
    EXPECT_EQ(code, kExitStopped) << args[0];
    EXPECT_EQ(err.str(), "toluvek-cli: the results could not be written to standard output\n");
    if (args[0] == "batch") {
      EXPECT_GT(static_cast<std::size_t>(in.rdbuf()->in_avail()), input.size() / 2);
    }
  }
}

}  // namespace
}  // namespace toluvek::cli
