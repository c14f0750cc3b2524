#include "main/calculate_command.hpp"

#include <gtest/gtest.h>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

using messages::kCheckInput;

class CalculateCommand : public ::testing::Test {
 protected:
  void SetAmounts(const std::array<const char*, kSpeciesCount>& texts) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], texts[i]);
  }
  // A text in every result field, so that the test sees which ones a run rewrites.
  void FillResultsWith(const std::string& text) {
    for (const auto* row : form1::kResultRows)
      for (std::string_view field : *row) window.SetText(field, text);
    for (std::string_view field : kMixtureFields) window.SetText(field, text);
  }
  static constexpr std::string_view kMixtureFields[] = {
      form1::kMolarMass,    form1::kDensity,   form1::kGasConstant,        form1::kCp,
      form1::kConductivity, form1::kViscosity, form1::kKinematicViscosity, form1::kPrandtl,
      form1::kPrandtlEucken};

  FakePlatform platform;
  MainWindowModel window{platform.Services()};
};

TEST_F(CalculateCommand, NoResultsBeforeTheFirstCalculation) {
  EXPECT_EQ(window.Text(form1::kPressure), "1.01325E+005");
  EXPECT_EQ(window.Text(form1::kTemperature), "25");
  EXPECT_EQ(window.Text("Text4"), "21");
  EXPECT_EQ(window.Text("Text5"), "79");
  EXPECT_EQ(window.Text("Text89"), "0");
  EXPECT_EQ(window.Text(form1::kMolarMass), "");
  EXPECT_TRUE(window.Enabled(form1::kCalculate));
  EXPECT_FALSE(window.Enabled(form1::kPrevious));
}

TEST_F(CalculateCommand, AirAt20CelsiusFillsEveryResult) {
  window.SetText(form1::kTemperature, "20");
  ASSERT_TRUE(window.Calculate());
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  EXPECT_EQ(window.Text(form1::kDensity), "1.199E+000");
  EXPECT_EQ(window.Text(form1::kGasConstant), "2.882E+002");
  EXPECT_EQ(window.Text(form1::kCp), "1.013E+003");
  EXPECT_EQ(window.Text(form1::kConductivity), "2.486E-002");
  EXPECT_EQ(window.Text(form1::kViscosity), "1.789E-005");
  EXPECT_EQ(window.Text(form1::kKinematicViscosity), "1.492E-005");
  EXPECT_EQ(window.Text(form1::kPrandtl), "7.289E-001");
  EXPECT_EQ(window.Text(form1::kPrandtlEucken), "7.376E-001");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kO2]), "2.100E-001");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kH2]), "0.000E+000");
  EXPECT_EQ(window.Text(form1::kSpeciesPrandtl[kN2]), "6.729E-001");
  EXPECT_FALSE(window.Enabled(form1::kCalculate));
  EXPECT_TRUE(window.Enabled(form1::kPrevious));
  // Rows of the species present are cyan, the others white.
  EXPECT_EQ(window.Background(form1::kSpeciesCp[kO2]), kCyan);
  EXPECT_EQ(window.Background(form1::kSpeciesPrandtl[kN2]), kCyan);
  EXPECT_EQ(window.Background(form1::kMoleFraction[kH2], kInputYellow), kWhite);
}

TEST_F(CalculateCommand, OneAtmAndTwentyCelsiusEqualPascalAndKelvin) {
  window.SetText(form1::kTemperature, "20");
  ASSERT_TRUE(window.Calculate());
  const std::string density = window.Text(form1::kDensity);
  const InputRecord first = window.current_inputs();

  MainWindowModel other{platform.Services()};
  other.SelectPressureUnit(PressureUnit::kAtm);
  other.SetText(form1::kPressure, "1");
  other.SetText(form1::kTemperature, "20");
  ASSERT_TRUE(other.Calculate());
  EXPECT_EQ(other.Text(form1::kDensity), density);
  EXPECT_EQ(other.current_inputs().pressure, 101325);
  EXPECT_EQ(other.current_inputs().temperature, first.temperature);

  MainWindowModel kelvin{platform.Services()};
  kelvin.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  kelvin.SetText(form1::kPressure, "101325");
  kelvin.SetText(form1::kTemperature, "293.15");
  ASSERT_TRUE(kelvin.Calculate());
  EXPECT_EQ(kelvin.Text(form1::kDensity), density);
  EXPECT_NEAR(kelvin.current_inputs().temperature, 20, 1e-12);
}

struct CheckCase {
  const char* pressure;
  const char* temperature;
  const char* amount;  // written into H2
  Message message;
  bool calculate_disabled;  // the command got past its first checks
};

TEST_F(CalculateCommand, ChecksTheInputsInOrderWithTheirMessages) {
  const Message kBoth = messages::kPressureAndTemperatureNegative;
  const CheckCase cases[] = {
      {"-1", "-300", "0", kBoth, false},
      {"1", "-300", "0", messages::kTemperatureNegative, false},
      {"-1", "25", "0", messages::kPressureNegative, false},
      {"1", "25", "", messages::kAmountEmpty, false},
      {"1", "25", "-1", messages::kAmountNegative, true},
      {"abc", "25", "0", kCheckInput, false},
      {"1", "", "0", kCheckInput, false},
      {"1e400", "25", "0", kCheckInput, false},
      {"1", "25", " ", kCheckInput, true},  // a blank is not empty: it fails conversion
      {"1", "25", "12abc", kCheckInput, true},
  };
  for (const CheckCase& c : cases) {
    FakePlatform p;
    MainWindowModel w{p.Services()};
    w.SetText(form1::kPressure, c.pressure);
    w.SetText(form1::kTemperature, c.temperature);
    w.SetText(form1::kAmount[kH2], c.amount);
    EXPECT_FALSE(w.Calculate());
    ASSERT_EQ(p.shown.size(), 1u) << c.pressure << ' ' << c.temperature << " [" << c.amount << ']';
    EXPECT_EQ(p.shown[0], c.message) << c.pressure << ' ' << c.temperature;
    EXPECT_EQ(w.Enabled(form1::kCalculate), !c.calculate_disabled) << c.amount;
    EXPECT_FALSE(w.Enabled(form1::kPrevious));
    EXPECT_EQ(w.Text(form1::kMolarMass), "");
  }
}

TEST_F(CalculateCommand, MinusZeroPressureIsNotNegative) {
  window.SetText(form1::kPressure, "-0");
  window.Calculate();
  // -0 is zero: it passes the pressure check and fails later, as zero does, at the density.
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);
  EXPECT_EQ(window.Text(form1::kDensity), "0.000E+000");
}

TEST_F(CalculateCommand, AllAmountsZeroShowsTheExclamationMessage) {
  window.Clear();
  EXPECT_FALSE(window.Calculate());
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0].text, "mol体積が全て０です！！");
  EXPECT_EQ(platform.shown[0].title, "入力値エラー");
  EXPECT_EQ(platform.shown[0].icon, MessageIcon::kExclamation);
  EXPECT_FALSE(window.Enabled(form1::kCalculate));
  EXPECT_FALSE(window.Enabled(form1::kPrevious));
}

TEST_F(CalculateCommand, ZeroKelvinPassesTheChecksAndChangesNoResult) {
  FillResultsWith("old");
  window.SetText(form1::kTemperature, "-273.15");
  EXPECT_FALSE(window.Calculate());
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);
  EXPECT_EQ(window.Text(form1::kMolarMass), "old");
  EXPECT_EQ(window.Text(form1::kSpeciesPrandtl[kIC4H10]), "old");
  // The records were updated before the calculation failed.
  EXPECT_TRUE(window.Enabled(form1::kPrevious));
  EXPECT_EQ(window.current_inputs().temperature, -273.15);
}

TEST_F(CalculateCommand, ZeroPressureWritesUpToTheViscosityThenTheGeneralMessage) {
  FillResultsWith("old");
  window.SetText(form1::kTemperature, "20");
  window.SetText(form1::kPressure, "0");
  EXPECT_FALSE(window.Calculate());
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  EXPECT_EQ(window.Text(form1::kDensity), "0.000E+000");
  EXPECT_EQ(window.Text(form1::kGasConstant), "2.882E+002");
  EXPECT_EQ(window.Text(form1::kMassFraction[kN2]), "7.671E-001");
  EXPECT_EQ(window.Text(form1::kSpeciesViscosity[kIC4H10]), "7.424E-006");
  EXPECT_EQ(window.Text(form1::kCp), "1.013E+003");
  EXPECT_EQ(window.Text(form1::kConductivity), "2.486E-002");
  EXPECT_EQ(window.Text(form1::kViscosity), "1.789E-005");
  EXPECT_EQ(window.Text(form1::kKinematicViscosity), "old");
  EXPECT_EQ(window.Text(form1::kPrandtl), "old");
  EXPECT_EQ(window.Text(form1::kPrandtlEucken), "old");
  EXPECT_EQ(window.Text(form1::kSpeciesPrandtl[kH2]), "old");
  // Colours and the unit-rewrite flag are not updated.
  EXPECT_EQ(window.Background(form1::kMoleFraction[kO2], kInputYellow), kInputYellow);
}

TEST_F(CalculateCommand, HugePressureWritesOnlyTheMolarMass) {
  FillResultsWith("old");
  window.SetText(form1::kPressure, "1e308");
  EXPECT_FALSE(window.Calculate());
  EXPECT_EQ(window.Text(form1::kMolarMass), "2.885E+001");
  EXPECT_EQ(window.Text(form1::kDensity), "old");
  EXPECT_EQ(window.Text(form1::kGasConstant), "old");
  EXPECT_EQ(window.Text(form1::kMoleFraction[kO2]), "old");
}

TEST_F(CalculateCommand, OverflowingAmountSumIsTheGeneralMessageBeforeTheRecords) {
  window.SetText(form1::kAmount[kO2], "1e308");
  window.SetText(form1::kAmount[kN2], "1e308");
  EXPECT_FALSE(window.Calculate());
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0], kCheckInput);
  EXPECT_FALSE(window.Enabled(form1::kPrevious));
  EXPECT_EQ(window.Text(form1::kMolarMass), "");
}

TEST_F(CalculateCommand, AbsentSpeciesAreComputedAndShownWhite) {
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.Text(form1::kMoleFraction[kCH4]), "0.000E+000");
  EXPECT_EQ(window.Text(form1::kMassFraction[kCH4]), "0.000E+000");
  EXPECT_NE(window.Text(form1::kSpeciesCp[kCH4]), "0.000E+000");
  EXPECT_EQ(window.Background(form1::kSpeciesCp[kCH4], kInputYellow), kWhite);
}

TEST_F(CalculateCommand, NegativeConductivityIsShownWithItsSign) {
  window.SetText(form1::kTemperature, "-173.15");
  SetAmounts({"0", "0", "0", "0", "0", "0", "0", "0", "1", "0", "0", "0"});
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.Text(form1::kSpeciesConductivity[kC2H6]), "-1.456E-002");
}

TEST_F(CalculateCommand, RecordsMoveToTheRecallSlot) {
  window.SetText(form1::kTemperature, "30");
  ASSERT_TRUE(window.Calculate());
  EXPECT_EQ(window.previous_inputs(), InputRecord{});
  EXPECT_NEAR(window.current_inputs().temperature, 30, 1e-12);
  window.SetText(form1::kAmount[kH2], "0.004");
  ASSERT_TRUE(window.Calculate());
  EXPECT_NEAR(window.previous_inputs().temperature, 30, 1e-12);
  EXPECT_EQ(window.current_inputs().amounts[kH2], 0.004);
}

TEST(ResultWrites, StopAtTheQuantityThatFailed) {
  MixtureResult result = CalculateMixture(101325, 293.15, {0, 21, 79});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(ResultWrites(result).size(), 81u);
  EXPECT_EQ(ResultWrites(result).front().field, "Text48");
  EXPECT_EQ(ResultWrites(result).back().field, "Text95");

  const struct {
    MixtureStep step;
    std::size_t species;
    std::size_t writes;
  } cases[] = {
      {MixtureStep::kNormalisation, 0, 0},
      {MixtureStep::kSpeciesProperties, 0, 0},
      {MixtureStep::kSpecificHeat, 0, 0},
      {MixtureStep::kTransport, 0, 0},
      {MixtureStep::kDensity, 0, 1},
      {MixtureStep::kGasConstant, 0, 2},
      {MixtureStep::kKinematicViscosity, 0, 66},
      {MixtureStep::kPrandtl, 0, 67},
      {MixtureStep::kEucken, 0, 68},
      {MixtureStep::kSpeciesPrandtl, 0, 69},
      {MixtureStep::kSpeciesPrandtl, 5, 74},
  };
  for (const auto& c : cases) {
    result.failed_step = c.step;
    result.failed_species = c.species;
    EXPECT_EQ(ResultWrites(result).size(), c.writes)
        << static_cast<int>(c.step) << '/' << c.species;
  }
}

}  // namespace
}  // namespace toluvek
