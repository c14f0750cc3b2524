#include "main/main_window_model.hpp"

#include <gtest/gtest.h>

#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"
#include "main/report.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

using messages::kCheckInput;

// Records, for each window asked for, what the main window showed at that moment: proves
// that the calculation ran before the window opened.
class SnapshotOpener : public WindowOpener {
 public:
  struct Opening {
    ToolWindow window;
    Twips offset;
    std::string molar_mass;   // Text48 when asked
    std::string temperature;  // Text2 when asked
  };
  void Open(ToolWindow window, Twips offset) override {
    openings.push_back(
        {window, offset, model->Text(form1::kMolarMass), model->Text(form1::kTemperature)});
  }
  const MainWindowModel* model = nullptr;
  std::vector<Opening> openings;
};

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { opener.model = &window; }

  void SetAmounts(const std::array<const char*, kSpeciesCount>& texts) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], texts[i]);
  }
  SpeciesTexts Amounts() const {
    SpeciesTexts texts;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = window.Text(form1::kAmount[i]);
    return texts;
  }

  FakePlatform platform;
  SnapshotOpener opener;
  MainWindowModel window{{platform, platform, opener, platform, platform}};
};

TEST_F(MainWindow, StartsWithHiddenReportAndPresetMenusAndColouredInputs) {
  EXPECT_FALSE(window.Visible(form1::kReport));
  EXPECT_FALSE(window.Visible(form1::kPresetMenuCng));
  EXPECT_FALSE(window.Visible(form1::kPresetMenuSr1));
  EXPECT_EQ(window.pressure_option(), PressureUnit::kPa);
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  EXPECT_FALSE(window.unit_rewrite_pending());
  EXPECT_EQ(window.Background(form1::kWindow), kWindowGrey);
  EXPECT_EQ(window.Background(form1::kPressure), kInputYellow);
  EXPECT_EQ(window.Background(form1::kAmount[kIC4H10]), kInputYellow);
  EXPECT_EQ(window.Background(form1::kPrandtlEucken), kMixtureGreen);
  EXPECT_EQ(window.current_inputs(), InputRecord{});
  EXPECT_EQ(window.previous_inputs(), InputRecord{});
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_TRUE(opener.openings.empty());
}

TEST_F(MainWindow, PressureUnitsConvertAroundTheCircle) {
  const struct {
    PressureUnit chosen;
    const char* text;
  } steps[] = {
      {PressureUnit::kAtm, "1.00000E+000"}, {PressureUnit::kKgfCm2, "1.03323E+000"},
      {PressureUnit::kPa, "1.01325E+005"},  {PressureUnit::kKgfCm2, "1.03323E+000"},
      {PressureUnit::kAtm, "1.00000E+000"}, {PressureUnit::kPa, "1.01325E+005"},
  };
  for (const auto& step : steps) {
    window.SelectPressureUnit(step.chosen);
    EXPECT_EQ(window.Text(form1::kPressure), step.text) << static_cast<int>(step.chosen);
    EXPECT_EQ(window.pressure_unit(), step.chosen);
  }
  EXPECT_TRUE(platform.shown.empty());
}

TEST_F(MainWindow, TemperatureUnitsConvertWithTheGeneralFormat) {
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  EXPECT_EQ(window.Text(form1::kTemperature), "298.15");
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);  // already chosen: nothing
  EXPECT_EQ(window.Text(form1::kTemperature), "298.15");
  window.SelectTemperatureUnit(TemperatureUnit::kCelsius);
  EXPECT_EQ(window.Text(form1::kTemperature), "25");
}

TEST_F(MainWindow, FailedPressureSwitchKeepsTheTextAndTheRecordedUnit) {
  window.SetText(form1::kPressure, "abc");
  window.SelectPressureUnit(PressureUnit::kAtm);
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);
  EXPECT_EQ(window.Text(form1::kPressure), "abc");
  EXPECT_EQ(window.pressure_option(), PressureUnit::kAtm);
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kPa);
  EXPECT_TRUE(window.unit_rewrite_pending());
}

TEST_F(MainWindow, UnitSwitchAfterACalculationWaitsForTheNextEdit) {
  ASSERT_TRUE(window.Calculate());
  ASSERT_FALSE(window.Enabled(form1::kCalculate));
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  EXPECT_FALSE(window.Enabled(form1::kCalculate));  // the rewrites do not enable it
  EXPECT_FALSE(window.unit_rewrite_pending());      // having been seen
  window.SetText(form1::kPressure, "2");
  EXPECT_TRUE(window.Enabled(form1::kCalculate));
}

TEST_F(MainWindow, AmountEditsEnableCalculateWhateverTheFlag) {
  ASSERT_TRUE(window.Calculate());
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SetText(form1::kAmount[kCO], "1");
  EXPECT_TRUE(window.Enabled(form1::kCalculate));
}

TEST_F(MainWindow, EnterMovesFromPressureToTemperatureAndCalculatesElsewhere) {
  EXPECT_EQ(window.EnterPressed(form1::kPressure), "Text2");
  EXPECT_EQ(window.Text(form1::kMolarMass), "");  // no calculation from Text1

  EXPECT_EQ(window.EnterPressed(form1::kTemperature), "");
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  ASSERT_FALSE(window.Enabled(form1::kCalculate));

  // Also while "計算" is disabled, from any amount field.
  window.SetText(form1::kMolarMass, "stale");
  EXPECT_EQ(window.EnterPressed(form1::kAmount[kIC4H10]), "");
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");

  window.SetText(form1::kMolarMass, "stale");
  EXPECT_EQ(window.EnterPressed(form1::kMolarMass), "");
  EXPECT_EQ(window.EnterPressed("Command1"), "");
  EXPECT_EQ(window.Text(form1::kMolarMass), "stale");
}

TEST_F(MainWindow, ACalculationStoppedByItsChecksLeavesNoEarlierOutcome) {
  ASSERT_TRUE(window.Calculate());
  ASSERT_TRUE(window.last_mixture().has_value());
  window.SetText(form1::kPressure, "-1");
  EXPECT_FALSE(window.Calculate());
  EXPECT_FALSE(window.last_mixture().has_value());
}

TEST_F(MainWindow, EveryFollowerHearsEachFinishedCalculationUntilItsSubscriptionEnds) {
  int first = 0;
  int second = 0;
  const CalculationSubscription one = window.FollowCalculations([&] { ++first; });
  {
    const CalculationSubscription two = window.FollowCalculations([&] { ++second; });
    ASSERT_TRUE(window.Calculate());
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
  }
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 1);
  window.SetText(form1::kPressure, "-1");
  EXPECT_FALSE(window.Calculate());
  EXPECT_EQ(first, 2);

  // A follower that outlives the model ends without reaching it.
  CalculationSubscription late;
  {
    MainWindowModel gone{platform.Services()};
    late = gone.FollowCalculations([&] { ++second; });
  }
}

TEST_F(MainWindow, ClearZeroesOnlyTheAmounts) {
  ASSERT_TRUE(window.Calculate());
  window.SetText(form1::kAmount[kCH4], "3.5");
  window.Clear();
  for (const std::string& text : Amounts()) EXPECT_EQ(text, "0");
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.Text(form1::kTemperature), "25");
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  EXPECT_TRUE(window.Enabled(form1::kCalculate));
}

TEST_F(MainWindow, PrevRestoresTheStartUpInputsAfterTheFirstCalculation) {
  window.SetText(form1::kTemperature, "40");
  window.SetText(form1::kAmount[kH2], "0.004");
  ASSERT_TRUE(window.Calculate());
  window.RecallPrevious();
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.Text(form1::kTemperature), "25.00");
  const SpeciesTexts expected = {"0.00", "21.00", "79.00", "0.00", "0.00", "0.00",
                                 "0.00", "0.00",  "0.00",  "0.00", "0.00", "0.00"};
  EXPECT_EQ(Amounts(), expected);
  EXPECT_FALSE(window.Enabled(form1::kPrevious));
  EXPECT_TRUE(window.Enabled(form1::kCalculate));               // through the edit rule
  EXPECT_NEAR(window.current_inputs().temperature, 40, 1e-12);  // records untouched
}

TEST_F(MainWindow, PrevRoundsAmountsToTwoDecimals) {
  window.SetText(form1::kAmount[kH2], "0.004");
  window.SetText(form1::kAmount[kCO], "1.235");
  ASSERT_TRUE(window.Calculate());
  ASSERT_TRUE(window.Calculate());
  window.RecallPrevious();
  EXPECT_EQ(window.Text(form1::kAmount[kH2]), "0.00");
  EXPECT_EQ(window.Text(form1::kAmount[kCO]), "1.24");
}

TEST_F(MainWindow, PrevChoosesPascalAndCelsius) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  ASSERT_TRUE(window.Calculate());
  window.RecallPrevious();
  EXPECT_EQ(window.pressure_option(), PressureUnit::kPa);
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kPa);
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.Text(form1::kTemperature), "25.00");
}

// A pressure text that cannot be converted makes the Pa switch fail; the recalled pressure
// is in Pa all the same, so from then on Text1 must be read in Pa.
TEST_F(MainWindow, PrevOverAnUnreadablePressureReadsTheRecalledPressureInPascal) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  ASSERT_TRUE(window.Calculate());
  window.SetText(form1::kPressure, "abc");
  window.RecallPrevious();
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);  // the switch, as if clicked
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kPa);
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.current_inputs().pressure, 101325);
}

TEST_F(MainWindow, DuctFlowChoosesPascalAndCelsiusCalculatesThenOpens) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  window.DuctFlow();
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kPa);
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.Text(form1::kTemperature), "25");
  ASSERT_EQ(opener.openings.size(), 1u);
  EXPECT_EQ(opener.openings[0].window, ToolWindow::kDuctFlow);
  EXPECT_EQ(opener.openings[0].offset, (Twips{3100, 1200}));
  EXPECT_EQ(opener.openings[0].molar_mass, "2.885E+001");
  EXPECT_TRUE(platform.shown.empty());
}

TEST_F(MainWindow, EnthalpyCalculatesThenOpens) {
  window.Enthalpy();
  ASSERT_EQ(opener.openings.size(), 1u);
  EXPECT_EQ(opener.openings[0].window, ToolWindow::kEnthalpy);
  EXPECT_EQ(opener.openings[0].offset, (Twips{-1500, 300}));
  EXPECT_EQ(opener.openings[0].molar_mass, "2.885E+001");
}

TEST_F(MainWindow, SaturationWithoutWaterSaysSoAfterCalculating) {
  window.SaturationTemperature();
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], (Message{"水分が含まれていません!", "Toluvek", MessageIcon::kNone}));
  EXPECT_TRUE(opener.openings.empty());
}

TEST_F(MainWindow, SaturationWithWaterOpensTheWindowAndMarksTheWaterFraction) {
  window.SetText(form1::kAmount[kH2O], "5");
  window.SaturationTemperature();
  EXPECT_TRUE(platform.shown.empty());
  ASSERT_EQ(opener.openings.size(), 1u);
  EXPECT_EQ(opener.openings[0].window, ToolWindow::kSaturation);
  EXPECT_EQ(opener.openings[0].offset, (Twips{3200, 0}));
  EXPECT_EQ(opener.openings[0].molar_mass, window.Text(form1::kMolarMass));
  EXPECT_EQ(window.Background(form1::kMoleFraction[kH2O]), kMoistureMagenta);
  // The next calculation colours the row again.
  window.SetText(form1::kAmount[kH2O], "6");
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.Background(form1::kMoleFraction[kH2O]), kCyan);
}

TEST_F(MainWindow, SaturationStopsQuietlyOnAnEmptyOrUnreadableWaterFraction) {
  window.Clear();  // all zero: the calculation's own message, Text17 stays empty
  window.SaturationTemperature();
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], messages::kAmountsAllZero);

  // A fraction whose leading number overflows: the failure passes without a message.
  platform.shown.clear();
  window.SetText(form1::kMoleFraction[kH2O], "1e999");
  window.SaturationTemperature();
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], messages::kAmountsAllZero);
  EXPECT_TRUE(opener.openings.empty());
}

TEST_F(MainWindow, TotalAmountAddsTheLenientValues) {
  const struct {
    std::array<const char*, kSpeciesCount> amounts;
    const char* text;
  } cases[] = {
      {{"0", "21", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, "総モル体積 = 100"},
      {{"12abc", "abc", "", " .5", "0.1", "0.2", "-1", "0", "0", "0", "0", "1e-5"},
       "総モル体積 = 11.80001"},
      {{"1e20", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, "総モル体積 = 1E+20"},
  };
  for (const auto& c : cases) {
    platform.shown.clear();
    SetAmounts(c.amounts);
    window.ShowTotalAmount();
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0], (Message{c.text, "総モル体積", MessageIcon::kNone}));
  }
}

TEST_F(MainWindow, TotalAmountBeyondTheRangeOfADoubleIsTheGeneralMessage) {
  SetAmounts({"1e308", "1e308", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  window.ShowTotalAmount();
  SetAmounts({"1e999", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  window.ShowTotalAmount();
  EXPECT_EQ(platform.shown, (std::vector<Message>{kCheckInput, kCheckInput}));
}

TEST_F(MainWindow, ToolWindowsOpenAtTheirOffsets) {
  window.OpenCompositionDialog();
  window.OpenConverterChooser({2000, 500});
  window.OpenMixing();
  window.OpenWaterEnthalpy();
  window.OpenHelp();
  window.OpenAbout();
  const std::pair<ToolWindow, Twips> expected[] = {
      {ToolWindow::kCompositionChooser, {1000, 1000}},
      {ToolWindow::kConverterChooser, {1150, 800}},
      {ToolWindow::kMixing, {1000, 1000}},
      {ToolWindow::kWaterEnthalpy, {4845, 300}},
      {ToolWindow::kHelp, {750, 750}},
      {ToolWindow::kAbout, {1800, 1800}},
  };
  ASSERT_EQ(opener.openings.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(opener.openings[i].window, expected[i].first) << i;
    EXPECT_EQ(opener.openings[i].offset, expected[i].second) << i;
  }
  EXPECT_EQ(window.Text(form1::kMolarMass), "");  // none of them calculates
}

TEST_F(MainWindow, MixingChoosesCelsiusBeforeOpening) {
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  window.SetText(form1::kTemperature, "373.15");
  window.OpenMixing();
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  ASSERT_EQ(opener.openings.size(), 1u);
  EXPECT_EQ(opener.openings[0].temperature, "100");
}

TEST_F(MainWindow, CopyReportFillsTheHiddenFieldAndTheClipboard) {
  window.SetText(form1::kTemperature, "20");
  ASSERT_TRUE(window.Calculate());
  window.CopyReport();
  EXPECT_EQ(window.Text(form1::kReport), ResultsReport(window));
  EXPECT_EQ(platform.clipboard, window.Text(form1::kReport));
  EXPECT_EQ(platform.clipboard.substr(0, 8), "圧力  ");
  EXPECT_FALSE(window.Visible(form1::kReport));
}

TEST_F(MainWindow, PresetsWriteTheAmountsWithTheGeneralFormat) {
  const struct {
    Preset preset;
    SpeciesTexts texts;
  } cases[] = {
      {Preset::kAir, {"0", "21", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {Preset::kOsaka, {"0", "0", "0", "0", "0", "0", "0", "88", "6", "3", "3", "0"}},
      {Preset::kTokyo, {"0", "0", "0", "0", "0", "0", "0", "88.5", "4.6", "5.4", "0.8", "0.7"}},
      {Preset::kHiroshima, {"0", "0", "0", "0", "0", "0", "0", "88.6", "5.9", "2.5", "3", "0"}},
      {Preset::kPfd, {"0", "0", "0", "0", "0", "0", "0", "88", "5.8", "4.5", "1.7", "0"}},
  };
  for (const auto& c : cases) {
    SetAmounts({"9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9"});
    window.ApplyPreset(c.preset);
    EXPECT_EQ(Amounts(), c.texts) << PresetFor(c.preset).caption;
  }
}

TEST_F(MainWindow, PresetsSumToOneHundredPercent) {
  for (const PresetEntry& entry : AllPresets()) {
    double sum = 0;
    for (double amount : entry.amounts) sum += amount;
    EXPECT_NEAR(sum, 100, 1e-9) << entry.caption;
  }
}

TEST_F(MainWindow, AirPresetRestoresTheStartUpAmountsAndNothingElse) {
  const auto start_up = Amounts();
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SetText(form1::kAmount[kN2], "80");
  ASSERT_TRUE(window.Calculate());
  const std::string pressure = window.Text(form1::kPressure);
  const std::string mass_fraction = window.Text(form1::kMassFraction[kN2]);
  window.ApplyPreset(Preset::kAir);
  EXPECT_EQ(Amounts(), start_up);
  EXPECT_TRUE(window.Enabled(form1::kCalculate));
  EXPECT_EQ(window.Text(form1::kPressure), pressure);
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(window.Text(form1::kMassFraction[kN2]), mass_fraction);
  EXPECT_EQ(window.current_inputs().amounts[kN2], 80);
}

TEST_F(MainWindow, StatusBarTellsWhileTheLastCalculationRanOutsideThePropertyFits) {
  EXPECT_EQ(OutsideFitRangeStatus(), "適用範囲外の温度です（物性値の式は約200～1000 K）");
  struct Step {
    const char* temperature;
    bool outside;
  };
  // 726.85 ℃ is 1000 K, inside; -300 ℃ is stopped by the checks and leaves the status alone.
  const Step steps[] = {
      {"25", false}, {"727", true}, {"-300", true}, {"726.85", false}, {"-73.16", true}};
  for (const Step& step : steps) {
    window.SetText(form1::kTemperature, step.temperature);
    window.Calculate();
    EXPECT_EQ(window.outside_fit_range(), step.outside) << step.temperature;
    EXPECT_EQ(window.Text(form1::kStatusText), step.outside ? OutsideFitRangeStatus() : "");
  }
}

TEST_F(MainWindow, TokyoGasCalculatesToItsMoleFractions) {
  window.ApplyPreset(Preset::kTokyo);
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.Text(form1::kMoleFraction[kCH4]), "8.850E-001");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kC2H6]), "4.600E-002");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kC3H8]), "5.400E-002");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kNC4H10]), "8.000E-003");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kIC4H10]), "7.000E-003");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kO2]), "0.000E+000");
}

}  // namespace
}  // namespace toluvek
