#include "main/combustion.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/combustion_command.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

struct Species {
  SpeciesIndex index;
  double amount;
};

SpeciesArray Amounts(std::initializer_list<Species> species) {
  SpeciesArray amounts{};
  for (const Species& s : species) amounts[s.index] = s.amount;
  return amounts;
}

SpeciesArray Scaled(SpeciesArray amounts, double factor) {
  for (double& n : amounts) n *= factor;
  return amounts;
}

const SpeciesArray kMethaneAir = Amounts({{kCH4, 1}, {kO2, 2}, {kN2, 7.52}});

struct BurnCase {
  const char* name;
  double t0;  // [K]
  SpeciesArray amounts;
  double temperature;  // Tad [K], to the digits given
  double tolerance;
  const char* celsius_text;  // Tad − 273.15 as "0.0"
  double o2, n2, co2, h2o;
  const char* totals;  // before→after
};

TEST(AdiabaticCombustionTest, ReproducesTheKnownFlameTemperatures) {
  const BurnCase kCases[] = {
      {"stoichiometric methane and air", 298.15, kMethaneAir, 2325.93, 0.005, "2052.8", 0, 7.52, 1,
       2, "10.52→10.52"},
      {"lean methane in air", 298.15, Amounts({{kO2, 21}, {kN2, 79}, {kCH4, 10}}), 2254.25, 0.005,
       "1981.1", 1, 79, 10, 20, "110→110"},
      {"hydrogen and oxygen", 298.15, Amounts({{kH2, 1}, {kO2, 0.5}}), 5121.58, 0.005, "4848.4", 0,
       0, 0, 1, "1.5→1"},
      {"methane and air from 1000 K", 1000, kMethaneAir, 2876.0, 0.05, "2602.8", 0, 7.52, 1, 2,
       "10.52→10.52"},
      {"methane and air from 0 K", 0, kMethaneAir, 2128.1, 0.05, "1854.9", 0, 7.52, 1, 2,
       "10.52→10.52"},
  };
  for (const BurnCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const CombustionOutcome outcome = AdiabaticCombustion(c.t0, c.amounts);
    ASSERT_TRUE(outcome.ok());
    const CombustionResult& r = *outcome.result;
    EXPECT_NEAR(r.temperature, c.temperature, c.tolerance);
    EXPECT_EQ(FormatPattern(r.temperature - 273.15, Pattern::kFixed1), c.celsius_text);
    EXPECT_EQ(r.o2, c.o2);
    EXPECT_EQ(r.n2, c.n2);
    EXPECT_EQ(r.co2, c.co2);
    EXPECT_EQ(r.h2o, c.h2o);
    EXPECT_EQ(FormatGeneral(r.total_before) + "→" + FormatGeneral(r.total_after), c.totals);
  }
}

TEST(AdiabaticCombustionTest, LeftoverOxygenKeepsItsRoundingResidue) {
  const CombustionOutcome outcome =
      AdiabaticCombustion(298.15, Amounts({{kO2, 0.21}, {kN2, 0.79}, {kCH4, 0.1}}));
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(FormatGeneral(outcome.result->o2), "0.00999999999999998");
  EXPECT_NEAR(outcome.result->temperature, 2254.25, 0.005);
}

// The oxygen demand is a floating-point sum: 3.5 × 0.1 gives 0.35000000000000003, which must
// not make exactly stoichiometric ethane short of oxygen, nor leave a negative residue.
TEST(AdiabaticCombustionTest, ExactStoichiometryBurnsWithNoOxygenLeft) {
  for (const SpeciesArray& amounts :
       {Amounts({{kC2H6, 0.1}, {kO2, 0.35}}), Amounts({{kC2H6, 0.1}, {kO2, 0.35}, {kN2, 1.3}}),
        Amounts({{kCH3OH, 0.2}, {kO2, 0.3}}), Amounts({{kNC4H10, 0.9}, {kO2, 5.85}})}) {
    const CombustionOutcome outcome = AdiabaticCombustion(298.15, amounts);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.result->o2, 0.0);
    EXPECT_EQ(FormatGeneral(outcome.result->o2), "0");
  }
}

struct FailureCase {
  const char* name;
  double t0;
  SpeciesArray amounts;
  const char* message;
};

TEST(AdiabaticCombustionTest, ReportsEachFailureWithItsMessage) {
  const FailureCase kCases[] = {
      {"too little oxygen", 298.15, Amounts({{kCH4, 1}, {kO2, 1}}), "O2不足です"},
      {"short by more than rounding", 298.15, Amounts({{kC2H6, 0.1}, {kO2, 0.3499999999}}),
       "O2不足です"},
      {"fuel without oxygen", 298.15, Amounts({{kH2, 1}}), "O2不足です"},
      {"air alone", 298.15, Amounts({{kO2, 21}, {kN2, 79}}), "燃焼しません"},
      {"nothing at all", 298.15, SpeciesArray{}, "燃焼しません"},
      {"a trace of fuel in cold nitrogen", 0, Amounts({{kCH4, 0.001}, {kO2, 0.002}, {kN2, 100}}),
       "入力値が不正です。"},
      {"hotter than 10000 K", 8000, Amounts({{kH2, 1}, {kO2, 0.5}}), "解が見つかりません。"},
  };
  for (const FailureCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const CombustionOutcome outcome = AdiabaticCombustion(c.t0, c.amounts);
    ASSERT_FALSE(outcome.ok());
    const Message message = CombustionFailureMessage(*outcome.failure);
    EXPECT_EQ(message.text, c.message);
    EXPECT_EQ(message.title, "エラーメッセージ");
    EXPECT_EQ(message.icon, MessageIcon::kCritical);
  }
}

// From about 1e13 moles on, 0.001 J is below the rounding of the products' enthalpy: the
// step shrinks until it no longer moves the temperature, and the search must give up.
TEST(AdiabaticCombustionTest, SearchEndsWhenTheToleranceIsBeyondDoublePrecision) {
  for (double factor : {1e13, 2e13, 1e14, 1e20, 1e100, 1e300}) {
    SCOPED_TRACE(factor);
    const CombustionOutcome outcome = AdiabaticCombustion(298.15, Scaled(kMethaneAir, factor));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(*outcome.failure, CombustionFailure::kNoSolution);
  }
}

// Every size ends, with a temperature or with no solution. Large sizes sometimes meet the
// tolerance exactly; tiny ones meet the absolute 0.001 J early, far from 2325.93 K.
TEST(AdiabaticCombustionTest, SearchEndsForEverySizeOfMixture) {
  for (double factor = 1e-300; factor < 1e307; factor *= 1e7) {
    SCOPED_TRACE(factor);
    const CombustionOutcome outcome = AdiabaticCombustion(298.15, Scaled(kMethaneAir, factor));
    if (outcome.ok()) {
      if (factor >= 0.01) {
        EXPECT_NEAR(outcome.result->temperature, 2325.93, 0.005);
      }
    } else {
      EXPECT_EQ(*outcome.failure, CombustionFailure::kNoSolution);
    }
  }
}

TEST(AdiabaticCombustionTest, OverflowIsAnArithmeticFaultNotAResult) {
  EXPECT_THROW(AdiabaticCombustion(298.15, Scaled(kMethaneAir, 1e308)), ArithmeticFault);
  EXPECT_THROW(AdiabaticCombustion(1e100, kMethaneAir), ArithmeticFault);
}

class CombustionCommandTest : public ::testing::Test {
 protected:
  void SetAmounts(std::initializer_list<std::pair<SpeciesIndex, const char*>> texts) {
    for (std::string_view field : form1::kAmount) window.SetText(field, "0");
    for (const auto& [index, text] : texts) window.SetText(form1::kAmount[index], text);
  }
  std::vector<std::string> SpeciesTexts() const {
    std::vector<std::string> texts;
    for (std::string_view field : form1::kAmount) texts.push_back(window.Text(field));
    return texts;
  }

  FakePlatform platform;
  MainWindowModel window{platform.Services()};
};

const Message kMethaneAirTotals{"10.52→10.52", "総モル体積変化", MessageIcon::kNone};

TEST_F(CombustionCommandTest, PutsTheBurntGasAndItsTemperatureIntoTheWindow) {
  SetAmounts({{kCH4, "1"}, {kO2, "2"}, {kN2, "7.52"}});
  window.CombustionTemperature();
  EXPECT_EQ(SpeciesTexts(), (std::vector<std::string>{"0", "0", "7.52", "0", "1", "2", "0", "0",
                                                      "0", "0", "0", "0"}));
  EXPECT_EQ(window.Text(form1::kTemperature), "2052.8");
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  EXPECT_EQ(platform.shown, std::vector<Message>{kMethaneAirTotals});
  // The grid shows the burnt gas, recalculated at 2052.8 ℃.
  EXPECT_EQ(window.current_inputs().temperature, 2052.8);
  EXPECT_EQ(window.Text(form1::kMoleFraction[kCO2]), FormatPattern(1 / 10.52, Pattern::kSci3));
  EXPECT_EQ(window.Text(form1::kMoleFraction[kCH4]), "0.000E+000");
  // The burnt gas is far beyond the property fits, and the status bar says so.
  EXPECT_EQ(window.Text(form1::kStatusText), OutsideFitRangeStatus());
}

TEST_F(CombustionCommandTest, StartingInKelvinEndsInCelsius) {
  SetAmounts({{kCH4, "1"}, {kO2, "2"}, {kN2, "7.52"}});
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  ASSERT_EQ(window.Text(form1::kTemperature), "298.15");
  window.CombustionTemperature();
  EXPECT_EQ(window.temperature_unit(), TemperatureUnit::kCelsius);
  EXPECT_EQ(window.Text(form1::kTemperature), "2052.8");
  EXPECT_EQ(platform.shown, std::vector<Message>{kMethaneAirTotals});
}

TEST_F(CombustionCommandTest, WritesTheOxygenResidueInFull) {
  SetAmounts({{kO2, "0.21"}, {kN2, "0.79"}, {kCH4, "0.1"}});
  window.CombustionTemperature();
  EXPECT_EQ(window.Text(form1::kAmount[kO2]), "0.00999999999999998");
  EXPECT_EQ(window.Text(form1::kTemperature), "1981.1");
}

TEST_F(CombustionCommandTest, FailureLeavesTheCompositionAndTemperature) {
  SetAmounts({{kCH4, "1"}, {kO2, "1"}});
  const std::vector<std::string> before = SpeciesTexts();
  const CombustionCommandOutcome outcome = window.CombustionTemperature();
  EXPECT_FALSE(outcome.completed);
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(SpeciesTexts(), before);
  EXPECT_EQ(window.Text(form1::kTemperature), "25");
  EXPECT_EQ(platform.shown,
            (std::vector<Message>{{"O2不足です", "エラーメッセージ", MessageIcon::kCritical}}));
  // The grid shows what the first calculation wrote.
  EXPECT_EQ(window.Text(form1::kMoleFraction[kCH4]), "5.000E-001");
}

TEST_F(CombustionCommandTest, AmountThatIsNotANumberCountsAsZeroAfterTheCalculationsMessage) {
  SetAmounts({{kH2, "abc"}, {kCH4, "1"}, {kO2, "2"}, {kN2, "7.52"}});
  const CombustionCommandOutcome outcome = window.CombustionTemperature();
  EXPECT_TRUE(outcome.completed);
  ASSERT_EQ(platform.shown.size(), 2u);
  EXPECT_EQ(platform.shown[0], messages::kCheckInput);  // the first calculation's
  EXPECT_EQ(platform.shown[1], kMethaneAirTotals);
  EXPECT_EQ(window.Text(form1::kAmount[kH2]), "0");
}

TEST_F(CombustionCommandTest, OverflowShowsTheGeneralMessageAndWritesNothing) {
  SetAmounts({{kCH4, "1e308"}, {kO2, "1e308"}});
  const std::vector<std::string> before = SpeciesTexts();
  const CombustionCommandOutcome outcome = window.CombustionTemperature();
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(SpeciesTexts(), before);
  ASSERT_FALSE(platform.shown.empty());
  EXPECT_EQ(platform.shown.back(), messages::kCheckInput);
}

TEST_F(CombustionCommandTest, SearchThatCannotMeetItsToleranceIsReportedAsNoSolution) {
  SetAmounts({{kCH4, "1e13"}, {kO2, "2e13"}, {kN2, "7.52e13"}});
  window.CombustionTemperature();
  ASSERT_FALSE(platform.shown.empty());
  EXPECT_EQ(platform.shown.back().text, "解が見つかりません。");
  EXPECT_EQ(window.Text(form1::kAmount[kCH4]), "1e13");
}

}  // namespace
}  // namespace toluvek
