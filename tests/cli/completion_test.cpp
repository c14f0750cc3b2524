#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_app.hpp"
#include "cli/completion.hpp"
#include "main/version.hpp"
#include "run_cli.hpp"
#include "tests/support/files.hpp"

namespace toluvek::cli {
namespace {

// The words of a script, split at blanks, quotes, brackets and the marks between option names
// and their values, so that "--pressure" is found only as itself and not inside
// "--pressure-unit".
std::set<std::string> WordsOf(const std::string& script) {
  std::set<std::string> words;
  std::string word;
  for (const char c : script) {
    if (std::string_view(" \t\n'\"[](){}|=:;,\\").find(c) != std::string_view::npos) {
      if (!word.empty()) words.insert(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.insert(word);
  return words;
}

std::string WithoutTrailingEquals(std::string value) {
  while (!value.empty() && value.back() == '=') value.pop_back();
  return value;
}

TEST(CompletionScript, NamesEverySubcommandOptionAndOfferedValueOfTheTree) {
  CLI::App program;
  BuildProgram(program);
  for (const char* shell : {"bash", "zsh"}) {
    SCOPED_TRACE(shell);
    const Outcome r = RunCli({"completion", shell});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const std::set<std::string> words = WordsOf(r.out);
    std::vector<CLI::App*> commands{&program};
    for (CLI::App* sub : program.get_subcommands([](CLI::App*) { return true; })) {
      EXPECT_TRUE(words.count(sub->get_name())) << sub->get_name();
      commands.push_back(sub);
    }
    std::size_t values_seen = 0;
    for (CLI::App* command : commands) {
      for (CLI::Option* option : command->get_options()) {
        for (const std::string& name : option->get_lnames()) {
          EXPECT_TRUE(words.count("--" + name)) << command->get_name() << " --" << name;
        }
        for (const std::string& name : option->get_snames()) {
          EXPECT_TRUE(words.count("-" + name)) << command->get_name() << " -" << name;
        }
        for (const std::string& value : ValuesOf(*option).values) {
          EXPECT_TRUE(words.count(WithoutTrailingEquals(value)))
              << command->get_name() << ' ' << option->get_name(true) << ' ' << value;
          ++values_seen;
        }
      }
    }
    // The units, the species labels, the column names, the converters and the shells.
    EXPECT_GT(values_seen, 200u);
  }
}

TEST(CompletionScript, OffersTheValuesOfSetChecksAndOfferedListsInTheirOrder) {
  CLI::App program;
  BuildProgram(program);
  CLI::App* mixture = program.get_subcommand("mixture");
  const OfferedValues units = ValuesOf(*mixture->get_option("--pressure-unit"));
  EXPECT_EQ(units.values,
            (std::vector<std::string>{"Pa", "kPa", "MPa", "bar", "atm", "kgf/cm2", "mmHg"}));
  EXPECT_FALSE(units.list);
  const OfferedValues amounts = ValuesOf(*mixture->get_option("--amounts"));
  ASSERT_EQ(amounts.values.size(), 12u);
  EXPECT_EQ(amounts.values.front(), "H2=");
  EXPECT_EQ(amounts.values.back(), "i-C4H10=");
  EXPECT_TRUE(amounts.list);
  EXPECT_TRUE(ValuesOf(*mixture->get_option("--temperature")).values.empty());
  // The offered values check nothing: a unit the converter of the quantity lacks is the
  // subcommand's own usage error, with its own message.
  const Outcome r = RunCli({"convert", "pressure", "1", "--unit", "W"});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_EQ(r.err, "--unit: a pressure unit is Pa, mmAq, Torr, kgf/mm2 or atm\n");
}

// What bash's completion offers for a command line whose cursor is at its end, one word a
// line, in the order given.
std::string BashOffers(const std::string& script_file, const std::string& line) {
  const TempFolder folder;
  const std::string out = folder.File("offers.txt");
  const std::string program = folder.File("complete.sh");
  {
    std::ofstream file(program);
    file << "source '" << script_file << "'\n"
         << "COMP_LINE='" << line << "'\nCOMP_POINT=${#COMP_LINE}\n"
         << "_toluvek_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\" > '" << out << "'\n";
  }
  if (std::system(("bash --norc --noprofile '" + program + "' 2>/dev/null").c_str()) != 0) {
    return "(bash failed)";
  }
  std::ifstream file(out);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(BashCompletion, CompletesSubcommandsOptionsAndValuesFromTheLine) {
  if (std::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
  const TempFolder folder;
  const std::string script = folder.File("toluvek-cli.bash");
  {
    std::ofstream file(script);
    file << RunCli({"completion", "bash"}).out;
  }
  const struct {
    std::string line;
    std::string offers;
  } cases[] = {
      {"toluvek-cli mi", "mixture\nmix\n"},
      {"toluvek-cli --v", "--version\n"},
      {"toluvek-cli mixture --pressure-u", "--pressure-unit\n"},
      {"toluvek-cli mixture --pressure-unit ", "Pa\nkPa\nMPa\nbar\natm\nkgf/cm2\nmmHg\n"},
      {"toluvek-cli duct --flow 1 --shape r", "rectangle\n"},
      // After an option's value the options come again; the number is not taken for an option.
      {"toluvek-cli water-heat --t1 -5 --ph", "--phase\n"},
      // bash replaces only what follows the last "=": the offers start there.
      {"toluvek-cli mixture --amounts O2=21,N", "21,N2=\n"},
      {"toluvek-cli table --columns pressure_Pa,temperature_",
       "pressure_Pa,temperature_K\npressure_Pa,temperature_C\n"},
      {"toluvek-cli convert ", "pressure\ntemperature\nheat\n"},
      {"toluvek-cli convert heat 1 --unit kc", "kcal/h\n"},
      {"toluvek-cli completion z", "zsh\n"},
      // A number has nothing to offer; neither has an unknown subcommand.
      {"toluvek-cli mixture --pressure ", "\n"},
      {"toluvek-cli frobnicate --", "\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(BashOffers(script, c.line), c.offers) << c.line;
}

TEST(BashCompletion, OffersExactlyTheOptionsOfEachSubcommand) {
  if (std::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
  const TempFolder folder;
  const std::string script = folder.File("toluvek-cli.bash");
  {
    std::ofstream file(script);
    file << RunCli({"completion", "bash"}).out;
  }
  CLI::App program;
  BuildProgram(program);
  for (CLI::App* sub : program.get_subcommands([](CLI::App*) { return true; })) {
    std::string expected;
    for (const CLI::Option* option : sub->get_options()) {
      for (const std::string& name : option->get_snames()) expected += "-" + name + "\n";
      for (const std::string& name : option->get_lnames()) expected += "--" + name + "\n";
    }
    EXPECT_EQ(BashOffers(script, "toluvek-cli " + sub->get_name() + " -"), expected)
        << sub->get_name();
  }
}

TEST(BashCompletion, OffersThePresetNamesFlowUnitsAndGasQualityColumns) {
  if (std::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
  const TempFolder folder;
  const std::string script = folder.File("toluvek-cli.bash");
  {
    std::ofstream file(script);
    file << RunCli({"completion", "bash"}).out;
  }
  const struct {
    std::string line;
    std::string offers;
  } cases[] = {
      {"toluvek-cli gas-quality --preset ", "air\nosaka\ntokyo\nhiroshima\npfd\n"},
      {"toluvek-cli combustion --preset t", "tokyo\n"},
      {"toluvek-cli heat-duty --flow-unit ", "Nl/min\nNm3/h\nmol/h\nkg/s\nkg/h\n"},
      {"toluvek-cli duct --flow-unit N", "Nl/min\nNm3/h\n"},
      {"toluvek-cli batch --columns wobbe_", "wobbe_higher_J_per_m3N\nwobbe_lower_J_per_m3N\n"},
      {"toluvek-cli pres", "presets\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(BashOffers(script, c.line), c.offers) << c.line;
}

TEST(ZshCompletion, IsAScriptZshCanRead) {
  if (std::system("command -v zsh >/dev/null 2>&1") != 0) GTEST_SKIP() << "no zsh";
  const TempFolder folder;
  const std::string script = folder.File("_toluvek-cli");
  {
    std::ofstream file(script);
    file << RunCli({"completion", "zsh"}).out;
  }
  EXPECT_EQ(std::system(("zsh -n '" + script + "'").c_str()), 0);
}

TEST(CompletionCommand, NamesTheShellsItWritesFor) {
  const Outcome r = RunCli({"completion", "fish"});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_NE(r.err.find("bash,zsh"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(VersionOption, PrintsTheProjectsVersion) {
  const Outcome r = RunCli({"--version"});
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.out, std::string("toluvek-cli ") + kVersion + "\n");
}

TEST(HelpAllOption, GivesEverySubcommandATitledPartWithItsOptions) {
  const Outcome r = RunCli({"--help-all"});
  ASSERT_EQ(r.code, kExitOk);
  EXPECT_NE(r.out.find("\ntoluvek-cli convert [OPTIONS] quantity value:\n  a pressure, "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\ntoluvek-cli completion [OPTIONS] shell:\n"), std::string::npos);
  EXPECT_NE(r.out.find("  --t-step TEXT"), std::string::npos);
}

}  // namespace
}  // namespace toluvek::cli
