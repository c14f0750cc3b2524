// The duct flow window's model: opening state, shape captions, the two length-unit labels,
// Calculate's enabled flag and the messages of a stopped calculation in order. The calculation's
// numbers are tested in duct_flow_test.cpp.

#include "tools/duct/duct_window_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

const std::string kZero = "0で割りました!";
const std::string kNegative = "入力値が負です!";
const std::string kCheck = "入力値を確認下さい。";

class DuctWindow : public testing::Test {
 protected:
  DuctWindow() {
    // Air at 101325 Pa and 0 ℃ as the main window shows it after "Re".
    main_.fields[std::string(form1::kPressure)] = "1.01325E+005";
    main_.fields[std::string(form1::kTemperature)] = "0";
    main_.fields[std::string(form1::kDensity)] = "1.293E+000";
    main_.fields[std::string(form1::kKinematicViscosity)] = "1.333E-005";
    main_.fields[std::string(form1::kConductivity)] = "2.420E-002";
    main_.fields[std::string(form1::kPrandtl)] = "7.150E-001";
  }

  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const Message& m : platform_.shown) texts.push_back(m.text);
    return texts;
  }
  std::vector<std::string> Results() const {
    std::vector<std::string> texts;
    for (const DuctRow& row : kDuctRows) texts.push_back(window_.Text(row.control));
    return texts;
  }

  FakeMainWindow main_;
  FakePlatform platform_;
  DuctWindowModel window_{main_, platform_};
};

TEST_F(DuctWindow, OpensWithNlPerMinACircularPipeOf1CentimetreAndNoResults) {
  EXPECT_EQ(window_.Text(duct_flow_fields::kFlow), "");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1), "0.01");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2), "0");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Caption), "管径");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Unit), "m");
  for (std::string_view hidden :
       {duct_flow_fields::kD2Caption, duct_flow_fields::kD2, duct_flow_fields::kD2Unit}) {
    EXPECT_FALSE(window_.Visible(hidden)) << hidden;
  }
  EXPECT_EQ(window_.flow_unit(), DuctFlowUnit::kNlPerMin);
  EXPECT_EQ(window_.shape(), DuctShape::kCircular);
  EXPECT_TRUE(window_.Checked("Option1") && window_.Checked("Option3"));
  EXPECT_EQ(Results(), std::vector<std::string>(6, ""));
  EXPECT_TRUE(window_.Enabled(duct_flow_fields::kCalculate));
  EXPECT_TRUE(platform_.shown.empty());
}

TEST_F(DuctWindow, ShapeSetsTheCaptionsAndTheSecondRowAndOnlyEnablesCalculate) {
  struct Case {
    DuctShape shape;
    const char* d1;
    const char* d2;
    bool second_row;
  };
  window_.SetText(duct_flow_fields::kFlow, "1");
  window_.Calculate();
  ASSERT_FALSE(window_.Enabled(duct_flow_fields::kCalculate));
  window_.SetText(duct_flow_fields::kD1Unit, "mm");  // Label5 takes Label3's unit
  for (const Case& c : {Case{DuctShape::kDoublePipe, "外径", "内径", true},
                        Case{DuctShape::kRectangular, "縦", "横", true},
                        Case{DuctShape::kCircular, "管径", nullptr, false}}) {
    const std::vector<std::string> results = Results();
    window_.SetEnabled(duct_flow_fields::kCalculate, false);
    window_.SelectShape(c.shape);
    EXPECT_EQ(window_.Text(duct_flow_fields::kD1Caption), c.d1);
    if (c.d2 != nullptr) {
      EXPECT_EQ(window_.Text(duct_flow_fields::kD2Caption), c.d2);
      EXPECT_EQ(window_.Text(duct_flow_fields::kD2Unit), "mm");
    }
    for (std::string_view row :
         {duct_flow_fields::kD2Caption, duct_flow_fields::kD2, duct_flow_fields::kD2Unit}) {
      EXPECT_EQ(window_.Visible(row), c.second_row) << row;
    }
    EXPECT_TRUE(window_.Enabled(duct_flow_fields::kCalculate));
    EXPECT_EQ(Results(), results);  // no calculation
  }
  EXPECT_TRUE(platform_.shown.empty());
}

TEST_F(DuctWindow, Label3ConvertsTheNumbersAndLabel5KeepsThem) {
  window_.SetText(duct_flow_fields::kD2, "0.005");
  window_.SwitchLengthUnitConverting();
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Unit), "mm");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2Unit), "mm");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1), "10");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2), "5");
  window_.SwitchLengthUnitConverting();
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Unit), "m");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1), "0.01");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2), "0.005");

  window_.SwitchLengthUnitKeeping();
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Unit), "mm");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2Unit), "mm");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1), "0.01");  // now 0.01 mm
  EXPECT_EQ(window_.length_unit(), DuctLengthUnit::kMillimetre);
  window_.SwitchLengthUnitKeeping();
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2Unit), "m");
  EXPECT_TRUE(platform_.shown.empty());
}

TEST_F(DuctWindow, UnitClicksEnableCalculateAfterACompletedCalculation) {
  window_.SetText(duct_flow_fields::kFlow, "1");
  for (auto click :
       {&DuctWindowModel::SwitchLengthUnitConverting, &DuctWindowModel::SwitchLengthUnitKeeping}) {
    window_.Calculate();
    ASSERT_FALSE(window_.Enabled(duct_flow_fields::kCalculate));
    (window_.*click)();
    EXPECT_TRUE(window_.Enabled(duct_flow_fields::kCalculate));
  }
}

TEST_F(DuctWindow, Label3WithADimensionThatIsNoNumberConvertsNothing) {
  window_.SetText(duct_flow_fields::kD2, "abc");
  window_.SwitchLengthUnitConverting();
  EXPECT_EQ(Shown(), std::vector<std::string>{kCheck});
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1Unit), "mm");  // the captions stay switched
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2Unit), "mm");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD1), "0.01");
  EXPECT_EQ(window_.Text(duct_flow_fields::kD2), "abc");
}

TEST_F(DuctWindow, CompletedCalculationShowsAllSixAndDisablesCalculateUntilAnEdit) {
  window_.SetText(duct_flow_fields::kFlow, "1");
  window_.Calculate();
  EXPECT_EQ(Results(), (std::vector<std::string>{"7.8540E-005", "2.1221E-001", "1.0000E-002",
                                                 "1.5919E+002", "8.7120E+000", "2.7438E-001"}));
  EXPECT_FALSE(window_.Enabled(duct_flow_fields::kCalculate));
  for (std::string_view field :
       {duct_flow_fields::kFlow, duct_flow_fields::kD1, duct_flow_fields::kD2}) {
    window_.SetEnabled(duct_flow_fields::kCalculate, false);
    window_.SetText(field, "2");
    EXPECT_TRUE(window_.Enabled(duct_flow_fields::kCalculate)) << field;
  }
}

TEST_F(DuctWindow, StoppedRunLeavesNoValueOfThePreviousRunBesideItsOwn) {
  window_.SetText(duct_flow_fields::kFlow, "1");
  window_.Calculate();
  main_.fields[std::string(form1::kKinematicViscosity)] = "0";  // stops at Re
  window_.SetText(duct_flow_fields::kD1, "0.02");
  window_.Calculate();
  EXPECT_EQ(Results(),
            (std::vector<std::string>{"3.1416E-004", "5.3052E-002", "2.0000E-002", "", "", ""}));
  EXPECT_EQ(Shown(), std::vector<std::string>{kCheck});
}

TEST_F(DuctWindow, ReynoldsOf2300ThroughTheWindowUsesTheLaminarValue) {
  // A 1 m square with 2300 kg/s of a gas of density 1 and kinematic viscosity 1.
  main_.fields[std::string(form1::kDensity)] = "1";
  main_.fields[std::string(form1::kKinematicViscosity)] = "1";
  main_.fields[std::string(form1::kConductivity)] = "1";
  window_.SetText(duct_flow_fields::kFlow, "2300");
  window_.SetText(duct_flow_fields::kD1, "1");
  window_.SetText(duct_flow_fields::kD2, "1");
  window_.SelectShape(DuctShape::kRectangular);
  window_.SelectFlowUnit(DuctFlowUnit::kKgPerSecond);  // the click calculates
  EXPECT_EQ(window_.Text("Label13"), "2.3000E+003");
  EXPECT_EQ(window_.Text("Label12"), "3.6000E+000");  // 3.6·λ/Dh
}

TEST_F(DuctWindow, StoppedCalculationShowsItsMessagesInOrderAndKeepsWhatWasPublished) {
  struct Case {
    const char* name;
    DuctShape shape;
    const char* d1;
    const char* d2;
    const char* viscosity;
    std::vector<std::string> messages;
    std::size_t shown;  // result labels written
  };
  const Case cases[] = {
      {"rectangle with a negative side",
       DuctShape::kRectangular,
       "-1",
       "2",
       "1.333E-005",
       {kNegative, kCheck},
       0},
      {"rectangle of zero sides",
       DuctShape::kRectangular,
       "0",
       "0",
       "1.333E-005",
       {kZero, kCheck},
       0},
      {"pipe of zero diameter", DuctShape::kCircular, "0", "0", "1.333E-005", {kZero, kCheck}, 0},
      {"negative pipe", DuctShape::kCircular, "-0.01", "0", "1.333E-005", {kNegative, kCheck}, 0},
      {"double pipe adding to zero",
       DuctShape::kDoublePipe,
       "0.01",
       "-0.01",
       "1.333E-005",
       {kZero, kCheck},
       0},
      {"inner wider than outer", DuctShape::kDoublePipe, "0.01", "0.02", "1.333E-005", {kCheck}, 1},
      {"empty diameter", DuctShape::kCircular, "", "0", "1.333E-005", {kCheck}, 0},
      {"zero kinematic viscosity", DuctShape::kCircular, "0.01", "0", "0", {kCheck}, 3},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    main_.fields[std::string(form1::kKinematicViscosity)] = c.viscosity;
    DuctWindowModel window(main_, platform);
    window.SetText(duct_flow_fields::kFlow, "1");
    window.SetText(duct_flow_fields::kD1, c.d1);
    window.SetText(duct_flow_fields::kD2, c.d2);
    window.SelectShape(c.shape);
    window.EnterPressed(duct_flow_fields::kD1);
    std::vector<std::string> texts;
    for (const Message& m : platform.shown) {
      texts.push_back(m.text);
      EXPECT_EQ(m.title, "Toluvek") << c.name;
      EXPECT_EQ(m.icon, MessageIcon::kNone) << c.name;
    }
    EXPECT_EQ(texts, c.messages) << c.name;
    for (std::size_t i = 0; i < kDuctRows.size(); ++i) {
      EXPECT_EQ(window.Text(kDuctRows[i].control).empty(), i >= c.shown) << c.name << ' ' << i;
    }
    EXPECT_TRUE(window.Enabled(duct_flow_fields::kCalculate)) << c.name;
  }
}

TEST_F(DuctWindow, EnterCalculatesInTheFieldsAndOnTheShapeOptionsOnly) {
  main_.fields[std::string(form1::kPressure)] = "0";  // every calculation fails and says so
  for (std::string_view control :
       {duct_flow_fields::kFlow, duct_flow_fields::kD1, duct_flow_fields::kD2,
        duct_flow_fields::kShapeOptions[0], duct_flow_fields::kShapeOptions[1],
        duct_flow_fields::kShapeOptions[2]}) {
    platform_.shown.clear();
    window_.EnterPressed(control);
    EXPECT_EQ(Shown(), std::vector<std::string>{kCheck}) << control;
  }
  platform_.shown.clear();
  window_.EnterPressed(duct_flow_fields::kFlowUnitOptions[0]);
  window_.EnterPressed(duct_flow_fields::kCalculate);
  EXPECT_TRUE(platform_.shown.empty());
}

TEST_F(DuctWindow, CloseUnloadsTheWindow) {
  std::vector<WindowRequest> requests;
  window_.AddRequestObserver([&](WindowRequest r) { requests.push_back(r); });
  window_.Close();
  EXPECT_EQ(requests, std::vector<WindowRequest>{WindowRequest::kUnload});
}

}  // namespace
}  // namespace toluvek
