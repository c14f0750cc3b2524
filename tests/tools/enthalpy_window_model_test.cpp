// The enthalpy window's model: its opening steps and their partial state after a failure, the
// display of each output of a run, which runs unload the window, Close and "Enthalpy" again,
// the unit options, leaving the flow field, Enter, the calculator and the H2O label. The heat
// duty's numbers are tested in heat_duty_test.cpp.

#include "tools/enthalpy/enthalpy_window_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

const std::string kCheck = "入力値を確認下さい。";

// A real main window, calculated on the composition given, with the enthalpy window opened on
// it as "Enthalpy" opens it.
class EnthalpyWindow : public testing::Test {
 protected:
  void Open(const SpeciesTexts& amounts) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) main_.SetText(form1::kAmount[i], amounts[i]);
    main_.Calculate();
    window_ = std::make_unique<EnthalpyWindowModel>(main_, platform_, platform_, platform_);
    window_->AddRequestObserver([this](WindowRequest request) {
      requests_.push_back({request, platform_.shown.size()});
    });
    platform_.loaded[ToolWindow::kEnthalpy] = window_.get();
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const Message& m : platform_.shown) texts.push_back(m.text);
    return texts;
  }
  std::string SpeciesFlow(SpeciesIndex species) const {
    return window_->Text(form3::kSpeciesFlow[species]);
  }

  struct Requested {
    WindowRequest request;
    std::size_t after_messages;  // how many messages had been shown when it came
  };

  FakePlatform platform_;
  MainWindowModel main_{platform_.Services()};
  std::unique_ptr<EnthalpyWindowModel> window_;
  std::vector<Requested> requests_;
};

const SpeciesTexts kAir = {"0", "21", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"};

TEST_F(EnthalpyWindow, OpensWithSpeciesFlowsAndTheOutputsHidden) {
  Open(kAir);
  EXPECT_EQ(SpeciesFlow(kO2), "2.1000E-001");
  EXPECT_EQ(SpeciesFlow(kN2), "7.9000E-001");
  EXPECT_EQ(SpeciesFlow(kH2), "0.0000E+000");
  EXPECT_EQ(window_->Text(form3::kFlow), "1");
  EXPECT_EQ(window_->Text(form3::kT1), "25");
  EXPECT_EQ(window_->Text(form3::kT2), "25");
  EXPECT_EQ(window_->Text(form3::kHeatDuty), "");
  EXPECT_EQ(window_->Text(form3::kFlowColumnCaption), "Nl/min");
  EXPECT_TRUE(window_->Enabled(form3::kCalculate));
  for (std::string_view hidden :
       {form3::kLhvCaption, form3::kHhvCaption, form3::kLhv, form3::kHhv, form3::kLatentCaption}) {
    EXPECT_FALSE(window_->Visible(hidden)) << hidden;
  }
  EXPECT_TRUE(platform_.shown.empty());
}

TEST_F(EnthalpyWindow, OpeningOnEmptyFractionsStopsThenTheCalculationUnloads) {
  Open({"0", "-1", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"});  // main calculation fails
  ASSERT_EQ(window_->Text(form3::kT1), "");
  EXPECT_EQ(Shown().back(), kCheck);
  EXPECT_EQ(window_->Text(form3::kT2), "");
  EXPECT_EQ(window_->Text(form3::kHeatDuty), "0");
  EXPECT_EQ(window_->Text(form3::kLhvCaption), "LHV");
  EXPECT_TRUE(window_->Visible(form3::kLhvCaption));
  EXPECT_TRUE(window_->Visible(form3::kLatentCaption));
  EXPECT_TRUE(requests_.empty());

  const std::size_t before = platform_.shown.size();
  window_->Calculate();
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].request, WindowRequest::kUnload);
  EXPECT_EQ(requests_[0].after_messages, before);  // closed before its message
  EXPECT_EQ(platform_.shown.size(), before + 1);
  EXPECT_EQ(Shown().back(), kCheck);
}

TEST_F(EnthalpyWindow, ZeroAmountSumUnloadsBetweenItsTwoMessages) {
  Open(kAir);
  // The amounts typed after the main window's calculation add up to zero.
  for (std::string_view field : form1::kAmount) main_.SetText(field, "0");
  window_->Calculate();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"mol体積が全て０です！！", kCheck}));
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].request, WindowRequest::kUnload);
  EXPECT_EQ(requests_[0].after_messages, 1u);
}

TEST_F(EnthalpyWindow, NegativeFlowKeepsTheWindowAndTheLastHeatDuty) {
  Open(kAir);
  window_->SetText(form3::kT2, "125");
  window_->Calculate();
  const std::string duty = window_->Text(form3::kHeatDuty);
  window_->SetText(form3::kFlow, "-2");
  window_->Calculate();
  EXPECT_EQ(Shown(), std::vector<std::string>{"ガス流量が負です!!"});
  EXPECT_TRUE(requests_.empty());
  EXPECT_EQ(SpeciesFlow(kN2), "-1.5800E+000");
  EXPECT_EQ(window_->Text(form3::kHeatDuty), duty);
  EXPECT_EQ(window_->Background(form3::kHeatDuty), kWhite);  // typed since
  EXPECT_TRUE(window_->Enabled(form3::kCalculate));
}

// Which heating-value and latent-heat labels a calculation shows, by composition.
TEST_F(EnthalpyWindow, OutputLabelsFollowWhatTheMixtureHas) {
  const struct {
    const char* name;
    SpeciesTexts amounts;
    bool heating_value, water, methanol;
  } kCases[] = {
      {"air", kAir, false, false, false},
      {"moist N2",
       {"0", "0", "9", "0", "0", "1", "0", "0", "0", "0", "0", "0"},
       false,
       true,
       false},
      {"methanol in N2",
       {"0", "0", "9", "0", "0", "0", "1", "0", "0", "0", "0", "0"},
       true,
       false,
       true},
      {"wet methane",
       {"0", "0", "0", "0", "0", "1", "1", "2", "0", "0", "0", "0"},
       true,
       true,
       true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Open(c.amounts);
    window_->SetText(form3::kT2, "125");
    window_->Calculate();
    EXPECT_EQ(window_->Background(form3::kHeatDuty), kCyan);
    EXPECT_FALSE(window_->Enabled(form3::kCalculate));
    EXPECT_EQ(window_->Text(form3::kLhvCaption), c.heating_value ? "LHV" : "");
    EXPECT_EQ(window_->Text(form3::kHhvCaption), c.heating_value ? "HHV" : "");
    EXPECT_EQ(window_->Visible(form3::kLhv), c.heating_value);
    EXPECT_EQ(window_->Visible(form3::kHhv), c.heating_value);
    EXPECT_EQ(window_->Visible(form3::kWaterLatent), c.water);
    EXPECT_EQ(window_->Visible(form3::kMethanolLatent), c.methanol);
    EXPECT_EQ(window_->Visible(form3::kLatentCaption), c.water || c.methanol);
    if (c.water) {
      EXPECT_EQ(window_->Text(form3::kWaterLatent).front(), '(');
    }
    if (c.heating_value) {
      EXPECT_NE(window_->Text(form3::kLhv).find(" W"), std::string::npos);
    }
  }
}

TEST_F(EnthalpyWindow, CloseHidesAndEnthalpyShowsTheContentsWithCalculateEnabled) {
  Open(kAir);
  window_->SetText(form3::kFlow, "3");
  window_->SetText(form3::kT2, "125");
  window_->Calculate();
  const std::string duty = window_->Text(form3::kHeatDuty);
  window_->Close();
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].request, WindowRequest::kHide);

  main_.Enthalpy();
  EXPECT_EQ(platform_.opened.back(),
            (FakePlatform::Opened{ToolWindow::kEnthalpy, offsets::kEnthalpy}));
  EXPECT_TRUE(window_->Enabled(form3::kCalculate));
  EXPECT_EQ(window_->Text(form3::kFlow), "3");
  EXPECT_EQ(window_->Text(form3::kT2), "125");
  EXPECT_EQ(window_->Text(form3::kHeatDuty), duty);
  EXPECT_EQ(window_->Background(form3::kHeatDuty), kCyan);
}

TEST_F(EnthalpyWindow, KgPerSecondSplitsByMassEvenWithCalculateDisabledButLeavingTheFlowByMole) {
  Open(kAir);
  window_->Calculate();
  ASSERT_FALSE(window_->Enabled(form3::kCalculate));
  window_->SelectFlowUnit(FlowUnit::kKgPerSecond);
  EXPECT_TRUE(window_->Checked(form3::kUnitOptions[2]));
  EXPECT_FALSE(window_->Checked(form3::kUnitOptions[0]));
  EXPECT_EQ(window_->Text(form3::kFlowColumnCaption), "kg/s");
  EXPECT_EQ(main_.Text(form1::kMassFraction[kO2]), "2.329E-001");
  EXPECT_EQ(SpeciesFlow(kO2), "2.3290E-001");

  // Leaving the flow field refills from the mole fractions under any unit, until the next
  // calculation.
  window_->SetText(form3::kFlow, "2");
  window_->LeaveFlow();
  EXPECT_EQ(SpeciesFlow(kO2), "4.2000E-001");
  EXPECT_EQ(window_->Text(form3::kFlowColumnCaption), "kg/s");
  window_->Calculate();
  EXPECT_EQ(SpeciesFlow(kO2), "4.6580E-001");
  window_->SelectFlowUnit(FlowUnit::kMolPerHour);
  window_->SetText(form3::kFlow, "3");
  window_->LeaveFlow();
  EXPECT_EQ(SpeciesFlow(kO2), "6.3000E-001");
}

TEST_F(EnthalpyWindow, LeavingAFlowThatIsNoNumberSaysSoAndKeepsTheSpeciesFlows) {
  Open(kAir);
  window_->SetText(form3::kFlow, "x");
  window_->LeaveFlow();
  EXPECT_EQ(Shown(), std::vector<std::string>{kCheck});
  EXPECT_EQ(SpeciesFlow(kO2), "2.1000E-001");
}

TEST_F(EnthalpyWindow, EnterMovesThroughTheFieldsAndCalculatesInTheLast) {
  Open(kAir);
  EXPECT_EQ(window_->EnterPressed(form3::kFlow), form3::kT1);
  EXPECT_EQ(window_->EnterPressed(form3::kT1), form3::kT2);
  EXPECT_EQ(window_->Text(form3::kHeatDuty), "");
  EXPECT_EQ(window_->EnterPressed(form3::kT2), "");
  EXPECT_EQ(window_->Text(form3::kHeatDuty), "0.0000E+000");
  EXPECT_EQ(window_->Text(form3::kHeatDutyUnit), " W");
}

}  // namespace
}  // namespace toluvek
