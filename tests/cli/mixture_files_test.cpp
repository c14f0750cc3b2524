// toluvek-cli mixture: the clipboard report, and inputs from and to composition files.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "engine/gas_table.hpp"
#include "files/composition_file.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/report.hpp"
#include "run_cli.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek::cli {
namespace {

// The window's own clipboard text for the same inputs.
class MixtureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "toluvek_cli_XXXXXX";
    folder_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string File(const char* name) const { return folder_ + "/" + name; }

  std::string folder_;
};

TEST_F(MixtureFiles, ReportIsTheWindowsClipboardTextByteForByte) {
  const Outcome r =
      RunCli({"mixture", "--pressure", "1", "--pressure-unit", "kgf/cm2", "--temperature", "300",
              "--temperature-unit", "K", "--amounts",
              "CH4=88.5,C2H6=4.6,C3H8=5.4,n-C4H10=0.8,i-C4H10=0.7", "--format", "report"});
  ASSERT_EQ(r.code, kExitOk) << r.err;

  FakePlatform platform;
  MainWindowModel window{platform.Services()};
  window.SelectPressureUnit(PressureUnit::kKgfCm2);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  window.SetText(form1::kPressure, "1");
  window.SetText(form1::kTemperature, "300");
  window.ApplyPreset(Preset::kTokyo);
  ASSERT_TRUE(window.Calculate());
  window.CopyReport();
  EXPECT_EQ(r.out, platform.clipboard);
  EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")),
            "圧力  1.00000E+000[kgf / cm2]    温度  3.0000E+002[K]");
  EXPECT_EQ(r.out.substr(r.out.size() - 4), "**\r\n");
}

TEST_F(MixtureFiles, ReportKeepsTheTextsAsGivenWhenTheCalculationStops) {
  const Outcome r = RunCli({"mixture", "--pressure", "-1", "--format", "report"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "エラーメッセージ: 圧力が負です!!\n");
  EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), "圧力  -1.00000E+000[Pa]    温度  2.5000E+001[℃]");
  EXPECT_NE(r.out.find("\r\n分子量     [kg/kmol]\r\n"), std::string::npos);
}

TEST_F(MixtureFiles, SavedInputsComeBackWithTheirUnits) {
  const std::string path = File("gas.txt");
  const Outcome saved =
      RunCli({"mixture", "--pressure", "2", "--pressure-unit", "atm", "--temperature", "400",
              "--temperature-unit", "K", "--amounts", "CH4=1,H2O=0.25", "--save", path});
  ASSERT_EQ(saved.code, kExitOk) << saved.err;
  const CompositionReadResult read = ReadCompositionFile(path);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.data->pressure, 2);
  EXPECT_EQ(read.data->pressure_unit, "atm");
  EXPECT_EQ(read.data->temperature_unit, "K");
  EXPECT_EQ(read.data->amounts[kH2O], 0.25);

  const Outcome loaded = RunCli({"mixture", "--file", path, "--json"});
  ASSERT_EQ(loaded.code, kExitOk) << loaded.err;
  const auto doc = nlohmann::json::parse(loaded.out);
  EXPECT_EQ(doc["inputs"]["pressure"]["text"], "2");
  EXPECT_EQ(doc["inputs"]["pressure"]["unit"], "atm");
  EXPECT_EQ(doc["inputs"]["temperature"]["unit"], "K");
  EXPECT_EQ(doc["inputs"]["pressure_pa"], 202650.0);
  EXPECT_EQ(doc["species"][kH2O]["mole_fraction"]["text"], "2.000E-001");
}

TEST_F(MixtureFiles, AnUnreadableFileIsTheWindowsMessage) {
  const std::string path = File("short.txt");
  std::ofstream(path, std::ios::binary) << "#2004-03-24#\r\n\"x\",1,\"Pa\"\r\n";
  const Outcome r = RunCli({"mixture", "--file", path});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "--file " + path + ": holds fewer than 32 fields\nToluvek: エラーです\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli({"mixture", "--file", File("none.txt")}).code, kExitStopped);
  // Fields that begin only beyond the part that is read.
  const std::string late = File("late.txt");
  std::ofstream(late, std::ios::binary) << std::string(kCompositionReadLimit, '\n') << "1,2,3";
  EXPECT_EQ(RunCli({"mixture", "--file", late}).err,
            "--file " + late +
                ": does not hold its 32 fields within the first 64 KiB\nToluvek: エラーです\n");
}

TEST_F(MixtureFiles, AFailedSaveEndsWithExitOne) {
  const Outcome r = RunCli({"mixture", "--save", File("missing/gas.txt")});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err.substr(0, r.err.find(':')), "--save " + File("missing/gas.txt"));
  EXPECT_NE(r.err.find("\nToluvek: ﾌｧｲﾙの保存でｴﾗｰが発生しました。\n"), std::string::npos);
}

TEST_F(MixtureFiles, AddAirAndRescaleWriteTheAmountsAsTheWindowDoes) {
  const Outcome air = RunCli({"add-air", "10", "--save", File("air.txt")});
  ASSERT_EQ(air.code, kExitOk) << air.err;
  EXPECT_EQ(air.err, "");
  EXPECT_EQ(air.out.substr(0, 51), "H2       0\nO2       2.310E+001\nN2       8.690E+001\n");
  // The saved file holds the new amounts with the other inputs.
  const CompositionReadResult saved = ReadCompositionFile(File("air.txt"));
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.data->amounts[kO2], 23.1);
  EXPECT_EQ(saved.data->amounts[kN2], 86.9);
  EXPECT_EQ(saved.data->pressure, 101325);

  const Outcome total = RunCli({"rescale", "1", "--amounts", "CH4=3,N2=1", "--json"});
  ASSERT_EQ(total.code, kExitOk) << total.err;
  const auto doc = nlohmann::json::parse(total.out);
  EXPECT_EQ(doc["amounts"][kCH4]["label"], "CH4");
  EXPECT_EQ(doc["amounts"][kCH4]["text"], "7.500E-001");
  EXPECT_EQ(doc["amounts"][kCH4]["value"], 0.75);
  EXPECT_EQ(doc["amounts"][kH2]["text"], "0.000E+000");
}

TEST_F(MixtureFiles, AddAirAndRescaleStopOnWhatTheDialogsRefuse) {
  const std::vector<std::vector<std::string>> refused = {
      {"rescale", "1", "--amounts", "0,0,0,0,0,0,0,0,0,0,0,0"},
      {"rescale", "x"},
      {"add-air", "1", "--amounts", "O2=abc", "--save", File("never.txt")},
  };
  for (const auto& args : refused) {
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.code, kExitStopped) << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Toluvek: 入力値を確認下さい。\n");
  }
  EXPECT_FALSE(std::filesystem::exists(File("never.txt")));
  EXPECT_EQ(RunCli({"add-air"}).code, kExitUsage);
}

TEST_F(MixtureFiles, SavingFollowsALinkAndRefusesWhatItMayNotReplace) {
  const std::string real = File("real.txt");
  std::ofstream(real, std::ios::binary) << "old";
  ASSERT_EQ(::symlink("real.txt", File("link.txt").c_str()), 0);
  const Outcome linked = RunCli({"mixture", "--amounts", "CH4=1", "--save", File("link.txt")});
  ASSERT_EQ(linked.code, kExitOk) << linked.err;
  EXPECT_TRUE(std::filesystem::is_symlink(File("link.txt")));
  const CompositionReadResult read = ReadCompositionFile(real);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.data->amounts[kCH4], 1);

  ASSERT_EQ(::mkfifo(File("pipe.txt").c_str(), 0600), 0);
  ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
  // The command line's own line comes at once, the window's message when the command ends.
  const std::string not_saved = "Toluvek: ﾌｧｲﾙの保存でｴﾗｰが発生しました。\n";
  const struct {
    std::string path;
    std::string amounts;
    std::string err;
  } refused[] = {
      {File("pipe.txt"), "O2=1",
       "--save " + File("pipe.txt") + ": not a regular file; nothing was written\n" + not_saved},
      {folder_, "O2=1",
       "--save " + folder_ + ": not a regular file; nothing was written\n" + not_saved},
      {real, "O2=1",
       "--save " + real + ": the file is write-protected; nothing was written\n" + not_saved},
      {File("big.txt"), "O2=1.7976931348623157e308",
       // the calculation's message and the save's are the same box, told once
       "--save " + File("big.txt") +
           ": a value is out of range; nothing was written\nToluvek: 入力値を確認下さい。\n"},
  };
  for (const auto& c : refused) {
    const Outcome r = RunCli({"mixture", "--amounts", c.amounts, "--save", c.path});
    EXPECT_EQ(r.code, kExitStopped) << c.path;
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_FALSE(std::filesystem::exists(File("big.txt")));
  EXPECT_EQ(ReadCompositionFile(real).data->amounts[kCH4], 1);
}

TEST_F(MixtureFiles, ConflictingOptionsAreUsageErrors) {
  EXPECT_EQ(RunCli({"mixture", "--file", File("a.txt"), "--pressure", "1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--file", File("a.txt"), "--amounts", "O2=1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--format", "report", "--json"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--format", "csv"}).code, kExitUsage);
}

}  // namespace
}  // namespace toluvek::cli
