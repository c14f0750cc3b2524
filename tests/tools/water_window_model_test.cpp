// The water enthalpy window's model: opening texts and options, what each option, Enter and a
// change of an input do to the result and the Calculate button, a failed calculation, Close.
// The heat's numbers are tested in water_heat_test.cpp.

#include "tools/water/water_window_model.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

class WaterWindow : public testing::Test {
 protected:
  WaterWindow() {
    window_.AddRequestObserver([this](WindowRequest r) { requests_.push_back(r); });
  }
  void ExpectResult(const char* number, const char* unit) const {
    EXPECT_EQ(window_.Text(form4::kHeat), number);
    EXPECT_EQ(window_.Text(form4::kHeatUnit), unit);
    EXPECT_TRUE(window_.Visible(form4::kHeat));
    EXPECT_FALSE(window_.Enabled(form4::kCalculate));
  }

  FakePlatform platform_;
  WaterWindowModel window_{platform_};
  std::vector<WindowRequest> requests_;
};

TEST_F(WaterWindow, Opens100GramsPerMinuteFrom25To25Liquid) {
  EXPECT_EQ(window_.Text(form4::kFlow), "100");
  EXPECT_EQ(window_.Text(form4::kT1), "25");
  EXPECT_EQ(window_.Text(form4::kT2), "25");
  EXPECT_EQ(window_.flow_unit(), WaterFlowUnit::kGramPerMinute);
  EXPECT_EQ(window_.phase(), WaterPhase::kLiquid);
  EXPECT_EQ(window_.Text(form4::kHeat), "");
  EXPECT_EQ(window_.Text(form4::kHeatUnit), "W");
  EXPECT_TRUE(window_.Enabled(form4::kCalculate));
}

TEST_F(WaterWindow, EnterMovesOnAndCalculatesInTheEndTemperature) {
  window_.SetText(form4::kT2, "75");
  EXPECT_EQ(window_.EnterPressed(form4::kFlow), form4::kT1);
  EXPECT_EQ(window_.EnterPressed(form4::kT1), form4::kT2);
  EXPECT_EQ(window_.Text(form4::kHeat), "");
  EXPECT_EQ(window_.EnterPressed(form4::kT2), "");
  ExpectResult("3.4854E+002", "W");
}

TEST_F(WaterWindow, EachOptionIsChosenAloneAndCalculates) {
  window_.SetText(form4::kT2, "100");
  window_.SelectPhase(WaterPhase::kGas);
  EXPECT_FALSE(window_.Checked(form4::kPhaseOptions[0]));
  ExpectResult("4.2884E+000", "kW");
  window_.SelectFlowUnit(WaterFlowUnit::kMolPerHour);  // 100 mol/h = 0.0278 mol/s
  EXPECT_EQ(window_.flow_unit(), WaterFlowUnit::kMolPerHour);
  EXPECT_FALSE(window_.Checked(form4::kUnitOptions[0]));
  ExpectResult("1.2876E+000", "kW");
  window_.SelectFlowUnit(WaterFlowUnit::kKgPerHour);
  window_.SelectPhase(WaterPhase::kLiquid);
  ExpectResult("8.7285E+000", "kW");  // 100 kg/h warmed by 75 K
}

TEST_F(WaterWindow, ChangedInputHidesTheResultAndEnablesCalculate) {
  window_.SetText(form4::kT2, "75");
  window_.Calculate();
  for (std::string_view field : {form4::kFlow, form4::kT1, form4::kT2}) {
    window_.Calculate();
    window_.SetText(field, window_.Text(field) + "0");
    EXPECT_FALSE(window_.Visible(form4::kHeat)) << field;
    EXPECT_TRUE(window_.Enabled(form4::kCalculate)) << field;
  }
}

TEST_F(WaterWindow, FailedCalculationSaysSoAndKeepsResultAndButton) {
  window_.SetText(form4::kT2, "75");
  window_.Calculate();
  window_.SetText(form4::kT1, "warm");
  window_.Calculate();
  ASSERT_EQ(platform_.shown.size(), 1u);
  EXPECT_EQ(platform_.shown[0], (Message{"入力値を確認下さい。", "Toluvek", MessageIcon::kNone}));
  EXPECT_EQ(window_.Text(form4::kHeat), "3.4854E+002");
  EXPECT_FALSE(window_.Visible(form4::kHeat));
  EXPECT_TRUE(window_.Enabled(form4::kCalculate));
  EXPECT_FALSE(window_.last_heat().has_value());
}

TEST_F(WaterWindow, CloseUnloads) {
  window_.Close();
  EXPECT_EQ(requests_, std::vector<WindowRequest>{WindowRequest::kUnload});
}

}  // namespace
}  // namespace toluvek
