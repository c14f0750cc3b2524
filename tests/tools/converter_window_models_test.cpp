// The converter windows' models: the chooser's order (close, then open), the opening state, the
// option names behind each unit, and which trigger shows which message. The conversions and
// their rows are tested in converters_test.cpp.

#include "tools/converters/converter_window_models.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

const Message kError{"エラー!"};
const Message kBelowAbsoluteZero{"絶対零度以下です!"};
const Message kCheck{"入力値を確認下さい。"};

TEST(ConverterChooser, EachButtonClosesTheChooserThenOpensItsConverter) {
  const struct {
    void (ConverterChooserModel::*button)();
    ToolWindow converter;
    Twips offset;
  } kCases[] = {
      {&ConverterChooserModel::OpenPressure, ToolWindow::kPressureConverter, {800, 800}},
      {&ConverterChooserModel::OpenTemperature, ToolWindow::kTemperatureConverter, {800, 800}},
      {&ConverterChooserModel::OpenHeat, ToolWindow::kHeatConverter, {500, 500}},
  };
  for (const auto& c : kCases) {
    FakePlatform platform;
    ConverterChooserModel chooser(platform);
    std::vector<std::size_t> opened_at_close;
    chooser.AddRequestObserver([&](WindowRequest request) {
      EXPECT_EQ(request, WindowRequest::kUnload);
      opened_at_close.push_back(platform.opened.size());
    });
    (chooser.*c.button)();
    EXPECT_EQ(opened_at_close, std::vector<std::size_t>{0});
    EXPECT_EQ(platform.opened, (std::vector<FakePlatform::Opened>{{c.converter, c.offset}}));
  }
}

template <std::size_t N>
std::vector<std::string> Texts(const std::array<ConverterRow, N>& rows) {
  std::vector<std::string> texts;
  for (const ConverterRow& row : rows) texts.push_back(row.text);
  return texts;
}

template <std::size_t N>
std::vector<bool> Visible(const WindowModel& window, const std::array<ConverterRow, N>& rows) {
  std::vector<bool> visible;
  for (const ConverterRow& row : rows) {
    EXPECT_EQ(window.Visible(row.equals_control), window.Visible(row.value_control));
    visible.push_back(window.Visible(row.value_control));
  }
  return visible;
}

// Opens empty in Pa; each option names its unit: its row is the one hidden.
TEST(PressureConverter, EachOptionChoosesItsUnitAndHidesItsRow) {
  FakePlatform platform;
  PressureConverterModel window(platform);
  EXPECT_EQ(window.Text(pressure_converter_fields::kInput), "");
  EXPECT_EQ(window.unit(), PressureConverterUnit::kPa);
  EXPECT_EQ(Texts(window.Rows()), (std::vector<std::string>{"0  [Pa]", "0  [mmAq]", "0  [Torr]",
                                                            "0  [kgf/mm2]", "0  [atm]"}));
  window.SetText(pressure_converter_fields::kInput, "1");
  const char* kOptions[] = {"Option1", "Option2", "Option3", "Option4", "Option6"};
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    SCOPED_TRACE(kOptions[i]);
    window.SelectUnit(static_cast<PressureConverterUnit>(i));
    for (std::string_view option : pressure_converter_fields::kUnitOptions) {
      EXPECT_EQ(window.Checked(option), option == kOptions[i]) << option;
    }
    std::vector<bool> visible(5, true);
    visible[i] = false;
    EXPECT_EQ(Visible(window, window.Rows()), visible);
  }
  EXPECT_EQ(window.Text("Label1"), "1.01325E+005 [Pa]");  // 1 atm
  EXPECT_TRUE(platform.shown.empty());
}

// "エラー!" only after a click on mmAq, Torr, kgf/mm2 or atm with a text that is not a number;
// never while typing, never for Pa. The rows show again with their last values.
TEST(PressureConverter, ErrorOnlyAfterAClickOnAUnitOtherThanPascal) {
  FakePlatform platform;
  PressureConverterModel window(platform);
  window.SelectUnit(PressureConverterUnit::kAtm);
  ASSERT_EQ(platform.shown, std::vector<Message>{kError});  // empty input
  window.SetText(pressure_converter_fields::kInput, "1");
  const std::vector<std::string> converted = Texts(window.Rows());
  platform.shown.clear();
  window.SetText(pressure_converter_fields::kInput, "");
  window.SetText(pressure_converter_fields::kInput, "x");
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(Texts(window.Rows()), converted);
  EXPECT_EQ(Visible(window, window.Rows()), std::vector<bool>(5, true));
  const struct {
    PressureConverterUnit unit;
    bool error;
  } kClicks[] = {{PressureConverterUnit::kPa, false},  {PressureConverterUnit::kMmAq, true},
                 {PressureConverterUnit::kTorr, true}, {PressureConverterUnit::kKgfMm2, true},
                 {PressureConverterUnit::kAtm, true},  {PressureConverterUnit::kPa, false}};
  for (const auto& click : kClicks) {
    platform.shown.clear();
    window.SelectUnit(click.unit);
    EXPECT_EQ(platform.shown.size(), click.error ? 1u : 0u) << static_cast<int>(click.unit);
  }
  EXPECT_EQ(Texts(window.Rows()), converted);
}

TEST(TemperatureConverter, OptionsNameTheirScalesAndUnreadableTextIsSilent) {
  FakePlatform platform;
  TemperatureConverterModel window(platform);
  EXPECT_EQ(window.Text(form10::kInput), "");
  EXPECT_EQ(window.unit(), TemperatureConverterUnit::kCelsius);
  EXPECT_EQ(Texts(window.Rows()), (std::vector<std::string>{" 0 [゜C]", " 0 [゜F]", " 0 [゜R]"}));
  window.SetText(form10::kInput, "32");
  window.SelectUnit(TemperatureConverterUnit::kFahrenheit);
  EXPECT_TRUE(window.Checked("Option3"));
  EXPECT_EQ(window.Text("Label4"), "0.00 [ﾟC]");
  EXPECT_EQ(Visible(window, window.Rows()), (std::vector<bool>{true, false, true}));
  window.SelectUnit(TemperatureConverterUnit::kRankine);
  EXPECT_TRUE(window.Checked("Option2"));
  EXPECT_FALSE(window.Checked("Option3"));
  EXPECT_EQ(window.Text("Label4"), "-255.37 [ﾟC]");
  window.SetText(form10::kInput, "abc");
  window.SelectUnit(TemperatureConverterUnit::kCelsius);
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(window.Text("Label4"), "-255.37 [ﾟC]");
  EXPECT_EQ(Visible(window, window.Rows()), std::vector<bool>(3, true));
}

// A message service that notes what a window showed when the message appeared.
class Snapshotting : public MessageService {
 public:
  std::function<std::string()> snapshot;
  std::vector<std::string> seen;
  void Show(const Message& message) override { seen.push_back(message.text + " " + snapshot()); }
  void Beep() override {}
};

TEST(TemperatureConverter, WarnsBelowAbsoluteZeroWithTheRowsAlreadyWritten) {
  Snapshotting messages;
  TemperatureConverterModel window(messages);
  messages.snapshot = [&] { return window.Text("Label4"); };
  window.SelectUnit(TemperatureConverterUnit::kRankine);
  window.SetText(form10::kInput, "0");  // exactly absolute zero: no warning
  window.SetText(form10::kInput, "-1");
  EXPECT_EQ(messages.seen, std::vector<std::string>{"絶対零度以下です! -273.71 [ﾟC]"});
}

TEST(HeatConverter, OpensAtZeroWithEmptyResultsAndComplainsOnlyOnClickOrEnter) {
  FakePlatform platform;
  HeatConverterModel window(platform);
  EXPECT_EQ(window.Text(form6::kPowerInput), "0");
  EXPECT_EQ(window.Text(form6::kEnergyInput), "0");
  EXPECT_EQ(window.Text(form6::kPowerResult), "");
  EXPECT_EQ(window.Text(form6::kEnergyResult), "");
  EXPECT_TRUE(window.Checked("Option1"));
  EXPECT_TRUE(window.Checked("Option3"));

  window.SetText(form6::kPowerInput, "1");
  window.SelectPowerUnit(PowerUnit::kWatt);
  window.SelectEnergyUnit(EnergyUnit::kJoule);
  EXPECT_TRUE(window.Checked("Option2"));
  EXPECT_TRUE(window.Checked("Option4"));
  EXPECT_EQ(window.Text(form6::kPowerResult), "8.6000E-001 [kcal/h]");
  EXPECT_EQ(window.Text(form6::kEnergyResult), "0.00000E+000 [cal]");
  EXPECT_TRUE(platform.shown.empty());

  // Letters typed: silent, the results stay.
  window.SetText(form6::kPowerInput, "1a");
  window.SetText(form6::kEnergyInput, "b");
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(window.Text(form6::kPowerResult), "8.6000E-001 [kcal/h]");
  // Enter or a click on an option of the half: the message, once per half asked.
  window.EnterPressed(form6::kPowerInput);
  window.EnterPressed(form6::kEnergyInput);
  window.SelectPowerUnit(PowerUnit::kKcalPerHour);
  window.SelectEnergyUnit(EnergyUnit::kCalorie);
  EXPECT_EQ(platform.shown, std::vector<Message>(4, kCheck));
  // The halves stand apart: Enter in a readable one says nothing.
  platform.shown.clear();
  window.SetText(form6::kEnergyInput, "1");
  window.EnterPressed(form6::kEnergyInput);
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(window.Text(form6::kEnergyResult), "4.18605E+000 [J]");
  EXPECT_EQ(window.Text(form6::kPowerResult), "8.6000E-001 [kcal/h]");
}

}  // namespace
}  // namespace toluvek
