// The mixing window's model: its defaults, opening it from the main window (also in kelvin and
// while it is open), "計算" with its enabled flag, "続行", "値戻す" and "閉じる". The mixing
// numbers themselves are tested in stream_mixing_test.cpp.

#include "tools/mixing/mixing_window_model.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

using namespace mixing_fields;

SpeciesTexts Texts(const MixingWindowModel& window, const SpeciesFields& fields) {
  SpeciesTexts texts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = window.Text(fields[i]);
  return texts;
}

SpeciesTexts All(const std::string& text) {
  SpeciesTexts texts;
  texts.fill(text);
  return texts;
}

// A main window that also records the order of the fields written.
class RecordingMainWindow : public FakeMainWindow {
 public:
  void WriteField(std::string_view control, std::string text) override {
    written.push_back({control, text});
    FakeMainWindow::WriteField(control, std::move(text));
  }
  std::vector<FieldWrite> written;
};

class MixingWindow : public testing::Test {
 protected:
  MixingWindow() {
    main_.fields[std::string(form1::kTemperature)] = "20";
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      main_.fields[std::string(form1::kAmount[i])] = "0";
    }
    main_.fields[std::string(form1::kAmount[kO2])] = "21";
    main_.fields[std::string(form1::kAmount[kN2])] = "79";
  }

  // Stream A: N2 at 100 ℃, flow 1; stream B: N2 at 0 ℃, flow 1.
  void EnterNitrogenStreams(MixingWindowModel& window) {
    window.SetText(kTemperatureA, "100");
    window.SetText(kFlowA, "1");
    window.SetText(kTemperatureB, "0");
    window.SetText(kFlowB, "1");
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      window.SetText(kAmountA[i], i == kN2 ? "1" : "0");
      window.SetText(kAmountB[i], i == kN2 ? "1" : "0");
    }
  }

  RecordingMainWindow main_;
  FakePlatform platform_;
};

TEST_F(MixingWindow, LoadsStreamAFromTheMainWindowAndStreamBEmpty) {
  MixingWindowModel window(main_, platform_);
  EXPECT_EQ(window.Text(kTemperatureA), "20");
  EXPECT_EQ(window.Text(kFlowA), "");
  SpeciesTexts air = All("0");
  air[kO2] = "21";
  air[kN2] = "79";
  EXPECT_EQ(Texts(window, kAmountA), air);
  EXPECT_EQ(window.Text(kTemperatureB), "25");
  EXPECT_EQ(window.Text(kFlowB), "0");
  EXPECT_EQ(Texts(window, kAmountB), All("0"));
  EXPECT_EQ(window.Text(kMixedTemperature), "");
  EXPECT_EQ(window.Text(kTotalFlow), "");
  EXPECT_EQ(Texts(window, kMixedFraction), All(""));
  EXPECT_TRUE(window.Enabled(kCalculate));
}

TEST_F(MixingWindow, CalculatingAtOnceIsAnInputErrorAfterStreamAIsNormalised) {
  MixingWindowModel window(main_, platform_);
  window.Calculate();
  ASSERT_EQ(platform_.shown.size(), 1u);
  EXPECT_EQ(platform_.shown[0], messages::kCheckInput);
  SpeciesTexts normalised = All("0.000E+000");
  normalised[kO2] = "2.100E-001";
  normalised[kN2] = "7.900E-001";
  EXPECT_EQ(Texts(window, kAmountA), normalised);
  EXPECT_EQ(Texts(window, kAmountB), All("0"));
  EXPECT_EQ(window.Text(kMixedTemperature), "");
  EXPECT_TRUE(window.Enabled(kCalculate));  // an input error leaves it enabled
}

TEST_F(MixingWindow, CalculateIsDisabledAfterAResultAndEnabledByAnyEdit) {
  MixingWindowModel window(main_, platform_);
  EnterNitrogenStreams(window);
  window.Calculate();
  EXPECT_TRUE(platform_.shown.empty());
  EXPECT_EQ(window.Text(kMixedTemperature), "50.30");
  EXPECT_EQ(window.Text(kTotalFlow), "2.000E+000");
  EXPECT_EQ(window.Text(kMixedFraction[kN2]), "1.000E+000");
  EXPECT_EQ(window.Text(kAmountA[kO2]), "0.000E+000");
  EXPECT_FALSE(window.Enabled(kCalculate));

  // A result written by the program is no edit; an input field is, even with the same number.
  window.SetText(kTotalFlow, "x");
  EXPECT_FALSE(window.Enabled(kCalculate));
  window.SetText(kFlowB, "1.0");
  EXPECT_TRUE(window.Enabled(kCalculate));

  // No solution ends the run too: disabled, the mixed temperature kept.
  window.SetText(kTemperatureA, "3000");
  window.SetText(kFlowA, "10");
  window.SetText(kFlowB, "-9");
  window.Calculate();
  ASSERT_EQ(platform_.shown.size(), 1u);
  EXPECT_EQ(platform_.shown[0], mixing_messages::kNoSolution);
  EXPECT_EQ(window.Text(kMixedTemperature), "50.30");
  EXPECT_EQ(window.Text(kTotalFlow), "1.000E+000");
  EXPECT_FALSE(window.Enabled(kCalculate));
}

TEST_F(MixingWindow, ContinueMakesTheMixedStreamStreamA) {
  MixingWindowModel window(main_, platform_);
  EnterNitrogenStreams(window);
  window.Calculate();
  const SpeciesTexts mixed = Texts(window, kMixedFraction);
  EXPECT_EQ(window.Continue(), kTemperatureB);
  EXPECT_EQ(window.Text(kTemperatureA), "50.30");
  EXPECT_EQ(window.Text(kFlowA), "2.000E+000");
  EXPECT_EQ(Texts(window, kAmountA), mixed);
  EXPECT_EQ(window.Text(kMixedTemperature), "");
  EXPECT_EQ(window.Text(kTotalFlow), "");
  EXPECT_EQ(Texts(window, kMixedFraction), All(""));
  EXPECT_EQ(window.Text(kTemperatureB), "");
  EXPECT_EQ(window.Text(kFlowB), "");
  EXPECT_EQ(Texts(window, kAmountB), All("0"));
  EXPECT_TRUE(window.Enabled(kCalculate));
}

TEST_F(MixingWindow, ContinueBeforeAnyCalculationEmptiesStreamA) {
  MixingWindowModel window(main_, platform_);
  window.SetText(kAmountB[kH2], "5");
  window.Continue();
  EXPECT_EQ(window.Text(kTemperatureA), "");
  EXPECT_EQ(window.Text(kFlowA), "");
  EXPECT_EQ(Texts(window, kAmountA), All(""));
  EXPECT_EQ(Texts(window, kAmountB), All("0"));
}

TEST_F(MixingWindow, ReturnValuesWritesTheAmountsThenTheTemperatureOnly) {
  MixingWindowModel window(main_, platform_);
  EnterNitrogenStreams(window);
  window.Calculate();
  std::vector<WindowRequest> requests;
  window.AddRequestObserver([&](WindowRequest r) { requests.push_back(r); });
  window.ReturnValues();
  std::vector<FieldWrite> expected;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    expected.push_back({form1::kAmount[i], i == kN2 ? "1.000E+000" : "0.000E+000"});
  }
  expected.push_back({form1::kTemperature, "50.30"});
  EXPECT_EQ(main_.written, expected);
  EXPECT_TRUE(requests.empty());  // the window stays
  EXPECT_EQ(platform_.beeps, 0);
}

TEST_F(MixingWindow, ReturnValuesWithoutAShownResultLeavesTheMainWindowAndBeeps) {
  const struct {
    const char* name;
    std::function<void(MixingWindowModel&)> before;
    std::vector<Message> shown;
  } cases[] = {
      {"before any calculation", [](MixingWindowModel&) {}, {}},
      // The run stops after the total flow and fractions: the temperature is the earlier run's.
      {"after an input error",
       [this](MixingWindowModel& window) {
         EnterNitrogenStreams(window);
         window.Calculate();
         window.SetText(kFlowB, "1e308");
         window.Calculate();
       },
       {messages::kCheckInput}},
      {"after no solution",
       [this](MixingWindowModel& window) {
         EnterNitrogenStreams(window);
         window.Calculate();
         window.SetText(kTemperatureA, "3000");
         window.SetText(kFlowA, "10");
         window.SetText(kFlowB, "-9");
         window.Calculate();
       },
       {mixing_messages::kNoSolution}},
      {"after continue",
       [this](MixingWindowModel& window) {
         EnterNitrogenStreams(window);
         window.Calculate();
         window.Continue();
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MixingWindowModel window(main_, platform_);
    platform_.shown.clear();
    platform_.beeps = 0;
    c.before(window);
    EXPECT_EQ(platform_.shown, c.shown);
    main_.written.clear();
    window.ReturnValues();
    EXPECT_TRUE(main_.written.empty());
    EXPECT_EQ(platform_.beeps, 1);
  }
}

TEST_F(MixingWindow, CloseUnloads) {
  MixingWindowModel window(main_, platform_);
  std::vector<WindowRequest> requests;
  window.AddRequestObserver([&](WindowRequest r) { requests.push_back(r); });
  window.Close();
  EXPECT_EQ(requests, std::vector<WindowRequest>{WindowRequest::kUnload});
}

// Loads the mixing window on the first request and keeps it, reopening it at every later one,
// as the real opener does.
class MixingOpener : public WindowOpener {
 public:
  void Open(ToolWindow window, Twips offset) override {
    if (window != ToolWindow::kMixing) return;
    offsets.push_back(offset);
    temperature_at_open.push_back(main->FieldText(form1::kTemperature));
    if (mixing) {
      mixing->Reopened();
    } else {
      mixing = std::make_unique<MixingWindowModel>(*main, *messages);
    }
  }
  MainWindowAccess* main = nullptr;
  MessageService* messages = nullptr;
  std::unique_ptr<MixingWindowModel> mixing;
  std::vector<Twips> offsets;
  std::vector<std::string> temperature_at_open;
};

class MixingFromTheMainWindow : public testing::Test {
 protected:
  MixingFromTheMainWindow() {
    opener_.main = &main_;
    opener_.messages = &platform_;
  }
  FakePlatform platform_;
  MixingOpener opener_;
  MainWindowModel main_{{platform_, platform_, opener_, platform_, platform_}};
};

TEST_F(MixingFromTheMainWindow, OpeningFromKelvinTurnsTheMainWindowToCelsiusFirst) {
  main_.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  main_.SetText(form1::kTemperature, "373.15");
  main_.OpenMixing();
  EXPECT_EQ(main_.temperature_unit(), TemperatureUnit::kCelsius);
  ASSERT_EQ(opener_.offsets, (std::vector<Twips>{Twips{1000, 1000}}));
  EXPECT_EQ(opener_.temperature_at_open[0], "100");
  EXPECT_EQ(opener_.mixing->Text(kTemperatureA), "100");
  EXPECT_EQ(opener_.mixing->Text(kAmountA[kN2]), "79");
}

TEST_F(MixingFromTheMainWindow, ReopeningRefreshesOnlyStreamATemperature) {
  main_.OpenMixing();
  MixingWindowModel& window = *opener_.mixing;
  window.SetText(kFlowA, "3");
  window.SetText(kTemperatureB, "40");
  window.Calculate();  // stream B is empty: A normalised, an input error
  platform_.shown.clear();
  std::map<std::string, std::string> before;
  for (std::string_view field : {kFlowA, kTemperatureB, kFlowB, kMixedTemperature, kTotalFlow}) {
    before[std::string(field)] = window.Text(field);
  }
  const SpeciesTexts amounts = Texts(window, kAmountA);

  main_.SetText(form1::kTemperature, "30");
  main_.SetText(form1::kAmount[kO2], "50");
  main_.OpenMixing();
  ASSERT_EQ(opener_.mixing.get(), &window);
  EXPECT_EQ(opener_.offsets, (std::vector<Twips>{Twips{1000, 1000}, Twips{1000, 1000}}));
  EXPECT_EQ(window.Text(kTemperatureA), "30");
  for (const auto& [field, text] : before) EXPECT_EQ(window.Text(field), text) << field;
  EXPECT_EQ(Texts(window, kAmountA), amounts);
  EXPECT_TRUE(platform_.shown.empty());
}

}  // namespace
}  // namespace toluvek
