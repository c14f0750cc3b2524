// toluvek-cli mixture: the clipboard report, and inputs from and to composition files.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "main/composition_file.hpp"
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
  EXPECT_EQ(r.err, "Toluvek: エラーです\n--file " + path + ": holds fewer than 32 fields\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli({"mixture", "--file", File("none.txt")}).code, kExitStopped);
}

TEST_F(MixtureFiles, AFailedSaveEndsWithExitOne) {
  const Outcome r = RunCli({"mixture", "--save", File("missing/gas.txt")});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "Toluvek: ﾌｧｲﾙの保存でｴﾗｰが発生しました。");
  EXPECT_NE(r.err.find("--save " + File("missing/gas.txt") + ": "), std::string::npos);
}

TEST_F(MixtureFiles, ConflictingOptionsAreUsageErrors) {
  EXPECT_EQ(RunCli({"mixture", "--file", File("a.txt"), "--pressure", "1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--file", File("a.txt"), "--amounts", "O2=1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--format", "report", "--json"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--format", "csv"}).code, kExitUsage);
}

}  // namespace
}  // namespace toluvek::cli
