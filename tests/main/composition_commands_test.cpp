#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "files/atomic_file.hpp"
#include "files/composition_file.hpp"
#include "files/text_encoding.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/report.hpp"
#include "tests/comma_locale.hpp"
#include "tests/support/fakes.hpp"
#include "tests/support/files.hpp"

namespace toluvek {
namespace {

namespace fs = std::filesystem;

// --- The main window's File menu ------------------------------------------------------------

class CompositionCommands : public ::testing::Test {
 protected:
  void Answer(const std::string& path) {
    platform.answers.push_back({FileDialogResult::Status::kChosen, path});
  }
  // Everything the user sees of the inputs, and the state that a load must not touch.
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> state = {window.Text(form1::kPressure),
                                      window.Text(form1::kTemperature),
                                      window.Text(form1::kMolarMass)};
    for (std::string_view field : form1::kAmount) state.push_back(window.Text(field));
    state.push_back(std::to_string(static_cast<int>(window.pressure_option())));
    state.push_back(std::to_string(static_cast<int>(window.pressure_unit())));
    state.push_back(std::to_string(static_cast<int>(window.temperature_unit())));
    state.push_back(window.Enabled(form1::kCalculate) ? "enabled" : "disabled");
    state.push_back(window.Enabled(form1::kPrevious) ? "prev" : "no prev");
    return state;
  }

  TempFolder folder;
  FakePlatform platform;
  MainWindowModel window{platform.Services()};
};

TEST_F(CompositionCommands, SavingTheStartUpStateWritesTheExpectedBytes) {
  Answer(folder.File("air.txt"));
  const auto before = Snapshot();
  window.SaveComposition();
  ASSERT_EQ(platform.asked.size(), 1u);
  EXPECT_EQ(platform.asked[0].title, "データ保存");
  EXPECT_EQ(platform.asked[0].filter, "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat");
  EXPECT_EQ(platform.asked[0].default_extension, "txt");
  EXPECT_TRUE(platform.asked[0].save);
  EXPECT_EQ(ReadBytes(folder.File("air.txt")), kStartUpFile);
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(window.current_inputs(), InputRecord{});
}

TEST_F(CompositionCommands, ADecimalCommaLocaleChangesNoWrittenNumber) {
  // The same inputs saved, reported and loaded under C and under a decimal comma.
  auto save_and_report = [this](const std::string& name) {
    window.SetText(form1::kTemperature, "25.5");
    window.SetText(form1::kAmount[kH2], "0.5");
    EXPECT_TRUE(window.Calculate());
    EXPECT_FALSE(window.SaveCompositionFile(folder.File(name)));
    return std::pair(ReadBytes(folder.File(name)), ResultsReport(window));
  };
  const auto [c_file, c_report] = save_and_report("c.txt");
  const testing::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << testing::kNoCommaLocale;
  const auto [comma_file, comma_report] = save_and_report("comma.txt");
  EXPECT_EQ(comma_file.substr(comma_file.find("\r\n")), c_file.substr(c_file.find("\r\n")));
  EXPECT_NE(comma_file.find(",25.5,"), std::string::npos) << comma_file;
  EXPECT_EQ(comma_report, c_report);
  EXPECT_NE(comma_report.find("2.5500E+001"), std::string::npos) << comma_report;
  EXPECT_TRUE(window.LoadCompositionFile(folder.File("comma.txt")));
  EXPECT_EQ(window.Text(form1::kAmount[kH2]), "0.5");
  EXPECT_EQ(window.current_inputs().amounts[kH2], 0.5);
  EXPECT_TRUE(platform.shown.empty());
}

TEST_F(CompositionCommands, SavingWritesTheLenientValuesOfTheFields) {
  window.SetText(form1::kAmount[kH2], "abc");
  window.SetText(form1::kAmount[kO2], "12abc");
  window.SetText(form1::kAmount[kN2], ".5");
  window.SetText(form1::kAmount[kCO], " 1E-05x");
  window.SetText(form1::kPressure, "");
  platform.now = {2004, 3, 25, 0, 0, 0};
  Answer(folder.File("odd.dat"));
  window.SaveComposition();
  const std::optional<std::string> text = Cp932ToUtf8(ReadBytes(folder.File("odd.dat")));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, text->find("\r\n\"-")),
            "#2004-03-25#\r\n\"圧力\",0,\"Pa\",\"温度\",25,\"℃\"");
  EXPECT_NE(text->find("\r\n\"H2\",0,\"O2\",12\r\n\"N2\",0.5,\"CO\",1E-05\r\n"), std::string::npos);
}

TEST_F(CompositionCommands, SavingNamesTheUnitsOfTheOptionsShown) {
  window.SelectPressureUnit(PressureUnit::kKgfCm2);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  const std::string path = folder.File("kgf.txt");
  EXPECT_FALSE(window.SaveCompositionFile(path));
  const std::optional<std::string> text = Cp932ToUtf8(ReadBytes(path));
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("\r\n\"圧力\",1.03323,\"kgf/cm2\",\"温度\",298.15,\"K\"\r\n"),
            std::string::npos);
}

TEST_F(CompositionCommands, AFailedSaveSaysSoAndChangesNothing) {
  const auto before = Snapshot();
  Answer(folder.File("missing/air.txt"));
  window.SaveComposition();
  EXPECT_EQ(platform.beeps, 1);
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0],
            (Message{"ﾌｧｲﾙの保存でｴﾗｰが発生しました。", "Toluvek", MessageIcon::kExclamation}));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(CompositionCommands, SavingFollowsALinkAndRefusesWhatItMayNotReplace) {
  const std::string real = folder.File("real.txt");
  const std::string link = folder.File("link.txt");
  WriteBytes(real, "old");
  ASSERT_EQ(::symlink("real.txt", link.c_str()), 0);
  Answer(link);
  window.SaveComposition();
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadCompositionFile(real).data, StartUpData());

  const std::string fifo = folder.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
  for (const std::string& path : {fifo, real, folder.path()}) {
    platform.shown.clear();
    Answer(path);
    window.SaveComposition();
    EXPECT_EQ(platform.shown, std::vector<Message>{main_window_messages::kFileNotSaved}) << path;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.txt", "pipe.txt", "real.txt"}));
}

TEST_F(CompositionCommands, AValueWhoseTextWouldNotReadBackIsRefused) {
  window.SetText(form1::kAmount[kO2], "1.7976931348623157e308");
  EXPECT_EQ(window.SaveCompositionFile(folder.File("big.txt")), SaveRefusal::kValueOutOfRange);
  EXPECT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(CompositionCommands, AnOverflowingFieldIsTheGeneralMessageAndNoFile) {
  window.SetText(form1::kAmount[kCH4], "1e999");
  EXPECT_TRUE(window.SaveCompositionFile(folder.File("big.txt")));
  EXPECT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(CompositionCommands, DialogsThatGiveNoPathStopQuietlyAndFailuresBeep) {
  for (const bool save : {true, false}) {
    platform.answers = {{FileDialogResult::Status::kCancelled, ""},
                        {FileDialogResult::Status::kChosen, ""},
                        {FileDialogResult::Status::kFailed, ""}};
    platform.shown.clear();
    platform.beeps = 0;
    const auto before = Snapshot();
    for (int i = 0; i < 3; ++i) save ? window.SaveComposition() : window.OpenComposition();
    EXPECT_EQ(platform.beeps, 1) << save;
    EXPECT_EQ(platform.shown, (std::vector<Message>{{"ﾌｧｲﾙの選択でｴﾗｰが発生しました。", "Toluvek",
                                                     MessageIcon::kExclamation}}))
        << save;
    EXPECT_EQ(Snapshot(), before);
  }
  EXPECT_TRUE(folder.Names().empty());
  ASSERT_EQ(platform.asked.size(), 6u);
  EXPECT_EQ(platform.asked[3].title, "データファイルの選択");
  EXPECT_EQ(platform.asked[3].filter, platform.asked[0].filter);
  EXPECT_FALSE(platform.asked[3].save);
}

TEST_F(CompositionCommands, LoadingChoosesTheFileUnitsAndCalculates) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  window.SetText(form1::kPressure, "2");
  window.SetText(form1::kTemperature, "300");
  window.SetText(form1::kAmount[kCH4], "1.5");
  const std::string path = folder.File("atm.txt");
  ASSERT_FALSE(window.SaveCompositionFile(path));

  FakePlatform other_platform;
  MainWindowModel other{other_platform.Services()};
  other_platform.answers.push_back({FileDialogResult::Status::kChosen, path});
  other.OpenComposition();
  EXPECT_TRUE(other_platform.shown.empty());
  EXPECT_EQ(other.pressure_option(), PressureUnit::kAtm);
  EXPECT_EQ(other.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(other.temperature_unit(), TemperatureUnit::kKelvin);
  EXPECT_EQ(other.Text(form1::kPressure), "2");  // the file's numbers, unconverted
  EXPECT_EQ(other.Text(form1::kTemperature), "300");
  EXPECT_EQ(other.Text(form1::kAmount[kCH4]), "1.5");
  EXPECT_EQ(other.current_inputs().pressure, 2 * 101325);
  EXPECT_NEAR(other.current_inputs().temperature, 300 - 273.15, 1e-12);
  EXPECT_FALSE(other.Text(form1::kMolarMass).empty());
  EXPECT_TRUE(other.Enabled(form1::kPrevious));
}

TEST_F(CompositionCommands, LoadingWritesNumbersWithTheGeneralFormat) {
  const std::string path = folder.File("forms.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, ",101325,", ",1.01325E+005,"), "\"O2\",21",
                            "\"O2\",.21E2"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  EXPECT_EQ(window.Text(form1::kPressure), "101325");
  EXPECT_EQ(window.Text(form1::kAmount[kO2]), "21");
}

TEST_F(CompositionCommands, UnknownUnitNamesLeaveTheUnitsInForce) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  const std::string path = folder.File("bar.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"bar\""), ",101325,", ",1,"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(window.current_inputs().pressure, 101325);  // 1, read in atm
}

// The old pressure text cannot be converted, so the switch to the file's unit fails; the file's
// value is in that unit all the same and must be read so.
TEST_F(CompositionCommands, TheFileUnitHoldsEvenWhenTheOldTextCouldNotBeConverted) {
  window.SetText(form1::kPressure, "abc");
  const std::string path = folder.File("atm.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"atm\""), ",101325,", ",1,"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  ASSERT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});  // the switch
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(window.current_inputs().pressure, 101325);
}

TEST_F(CompositionCommands, AFileThatCannotBeReadChangesNothing) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  ASSERT_TRUE(window.Calculate());
  window.SetText(form1::kAmount[kCO], "abc");
  const std::string stops = folder.File("stops.txt");
  WriteBytes(stops, kStartUpFile.substr(0, kStartUpFile.find("\"CO2\"")));
  const std::string foreign = folder.File("foreign.txt");
  WriteBytes(foreign, Replaced(kStartUpFile, ",25,", ",2\xFF,"));  // a number with a stray byte
  const std::string bad_number = folder.File("number.txt");
  WriteBytes(bad_number, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"atm\""), ",79,", ",x,"));

  const auto before = Snapshot();
  const InputRecord records = window.current_inputs();
  for (const std::string& path : {stops, foreign, bad_number, folder.File("gone.txt")}) {
    platform.shown.clear();
    Answer(path);
    window.OpenComposition();
    EXPECT_EQ(platform.shown, (std::vector<Message>{{"エラーです", "Toluvek", MessageIcon::kNone}}))
        << path;
    EXPECT_EQ(Snapshot(), before) << path;
    EXPECT_EQ(window.current_inputs(), records);
  }
  EXPECT_EQ(platform.beeps, 0);
}

}  // namespace
}  // namespace toluvek
