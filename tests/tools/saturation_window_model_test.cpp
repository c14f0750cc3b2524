// The saturation pop-up's model: what it reads from the main window, its labels or its messages
// in order, and what its loss of the focus does, alone and behind a real main window. The
// search itself is tested in saturation_test.cpp.

#include "tools/water/saturation_window_model.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

const std::string kWater(form1::kMoleFraction[kH2O]);
const std::string kPressure(form1::kPressure);

std::vector<std::string> Texts(const std::vector<Message>& shown) {
  std::vector<std::string> texts;
  for (const Message& m : shown) texts.push_back(m.text);
  return texts;
}

struct PopUpCase {
  const char* name;
  PressureUnit unit;
  const char* pressure;
  const char* water;
  const char* label1;
  const char* label2;
  std::vector<std::string> messages;
};

TEST(SaturationWindow, OpensWithTheMainWindowsPressureInItsUnit) {
  const PopUpCase cases[] = {
      {"atm", PressureUnit::kAtm, "1", "5.000E-001", "380.0mmHg →", "81.7℃", {}},
      {"pascal", PressureUnit::kPa, "1.01325E+005", "1.000E+000", "760.0mmHg →", "100.0℃", {}},
      {"kgf/cm2", PressureUnit::kKgfCm2, "1", "1.000E+000", "735.6mmHg →", "99.1℃", {}},
      // A root outside water's liquid range is no dew point.
      {"no solution",
       PressureUnit::kAtm,
       "1",
       "1.316E-003",
       "Label1",
       "Label2",
       {"解が見つかりません!", "エラー!"}},
      {"overflow", PressureUnit::kPa, "1e300", "1e300", "Label1", "Label2", {"エラー!"}},
  };
  for (const PopUpCase& c : cases) {
    FakeMainWindow main;
    FakePlatform platform;
    main.pressure = c.unit;
    main.fields[kPressure] = c.pressure;
    main.fields[kWater] = c.water;
    SaturationWindowModel popup(main, platform);
    EXPECT_EQ(popup.Text(form5::kPartialPressure), c.label1) << c.name;
    EXPECT_EQ(popup.Text(form5::kTemperature), c.label2) << c.name;
    EXPECT_EQ(Texts(platform.shown), c.messages) << c.name;
    for (const Message& m : platform.shown) {
      EXPECT_EQ(m.title, "Toluvek") << c.name;
      EXPECT_EQ(m.icon, MessageIcon::kNone) << c.name;
    }
  }
}

TEST(SaturationWindow, LosingTheFocusUnloadsOnceAndTurnsTheWaterFractionAqua) {
  FakeMainWindow main;
  FakePlatform platform;
  main.fields[kPressure] = "1.01325E+005";
  main.fields[kWater] = "5.000E-001";
  SaturationWindowModel popup(main, platform);
  std::vector<WindowRequest> requests;
  popup.AddRequestObserver([&](WindowRequest r) { requests.push_back(r); });
  EXPECT_TRUE(main.backgrounds.empty());
  popup.FocusLost();
  popup.FocusLost();
  EXPECT_EQ(requests, std::vector<WindowRequest>{WindowRequest::kUnload});
  EXPECT_EQ(main.backgrounds[kWater], kCyan);
}

// Opens the pop-up on the main window as the real opener does, and unloads it on request.
class PopUpOpener : public WindowOpener {
 public:
  void Open(ToolWindow window, Twips /*offset*/) override {
    if (window != ToolWindow::kSaturation) return;
    ++openings;
    popup = std::make_unique<SaturationWindowModel>(*main, *messages);
    popup->AddRequestObserver([this](WindowRequest) { ++unloads; });
  }
  MainWindowAccess* main = nullptr;
  MessageService* messages = nullptr;
  std::unique_ptr<SaturationWindowModel> popup;
  int openings = 0;
  int unloads = 0;
};

TEST(SaturationWindow, MainWindowMarksTheWaterFractionPinkWhileTheDewPointIsUp) {
  FakePlatform platform;
  PopUpOpener opener;
  MainWindowModel window{{platform, platform, opener, platform, platform}};
  opener.main = &window;
  opener.messages = &platform;

  // The default air holds no water: the message, no pop-up.
  window.SaturationTemperature();
  EXPECT_EQ(Texts(platform.shown), std::vector<std::string>{"水分が含まれていません!"});
  EXPECT_EQ(opener.openings, 0);

  // 5 parts of water in 105 at 1 atm: the pop-up reads the fraction the calculation just wrote.
  platform.shown.clear();
  window.SetText(form1::kAmount[kH2O], "5");
  window.SaturationTemperature();
  ASSERT_EQ(opener.openings, 1);
  EXPECT_EQ(window.Text(kWater), "4.762E-002");
  EXPECT_EQ(opener.popup->Text(form5::kPartialPressure), "36.2mmHg →");
  EXPECT_EQ(opener.popup->Text(form5::kTemperature), "32.2℃");
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(window.Background(kWater), kMoistureMagenta);

  opener.popup->FocusLost();
  EXPECT_EQ(opener.unloads, 1);
  EXPECT_EQ(window.Background(kWater), kCyan);
}

}  // namespace
}  // namespace toluvek
