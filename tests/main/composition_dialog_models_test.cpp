// The composition chooser and the two dialogs as windows: where the dialogs open, their field's
// starting "0", and that a failure keeps the dialog open and the main window as it was. The
// arithmetic is tested in composition_dialogs_test.cpp.

#include "main/composition_dialog_models.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

const Message kCheck{"入力値を確認下さい。"};

TEST(CompositionChooser, OpensEachDialogAtItsRightEdgeThenCloses) {
  FakePlatform platform;
  FakeMainWindow main;
  main.at = {2000, 1500};
  const struct {
    const char* name;
    bool moved;  // the chooser was moved and is wider than its client area
    bool air;
    Twips expected;
  } kCases[] = {
      {"air where it opened", false, true, {1000 + 1320, 1000}},
      {"total after a move", true, false, {5000 + 1440 - 2000, 4000 + 375 - 1500}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    platform.opened.clear();
    CompositionChooserModel chooser(main, platform);
    if (c.moved) chooser.SetFrame({5000, 4000}, 1440);
    std::vector<std::size_t> opened_before_close;
    chooser.AddRequestObserver([&](WindowRequest request) {
      EXPECT_EQ(request, WindowRequest::kUnload);
      opened_before_close.push_back(platform.opened.size());
    });
    c.air ? chooser.OpenAirDialog() : chooser.OpenTotalDialog();
    const ToolWindow dialog = c.air ? ToolWindow::kAirDialog : ToolWindow::kTotalDialog;
    EXPECT_EQ(platform.opened, (std::vector<FakePlatform::Opened>{{dialog, c.expected}}));
    EXPECT_EQ(opened_before_close, std::vector<std::size_t>{1});
  }
}

class CompositionDialog : public testing::Test {
 protected:
  // Counts the dialog's requests to close.
  void CountCloses(CompositionDialogModel& dialog) {
    dialog.AddRequestObserver([this](WindowRequest request) {
      if (request == WindowRequest::kUnload) ++closes_;
    });
  }
  SpeciesTexts Amounts() const {
    SpeciesTexts texts;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = main_.Text(form1::kAmount[i]);
    return texts;
  }

  FakePlatform platform_;
  MainWindowModel main_{platform_.Services()};
  int closes_ = 0;
};

// OK at once: no air, but O2 and N2 rewritten in the display pattern, as edits of the main
// window's fields (its "計算" is enabled again); or every amount set to 0.
TEST_F(CompositionDialog, StartsAtZeroAndOkRewritesTheMainWindowAsAnEditThenCloses) {
  for (const auto kind : {CompositionDialogKind::kAddAir, CompositionDialogKind::kTotal}) {
    main_.Clear();
    main_.WriteField(form1::kAmount[kO2], "21");
    main_.WriteField(form1::kAmount[kN2], "79");
    ASSERT_TRUE(main_.Calculate());
    ASSERT_FALSE(main_.Enabled(form1::kCalculate));
    closes_ = 0;
    CompositionDialogModel dialog(kind, main_, platform_);
    CountCloses(dialog);
    EXPECT_EQ(dialog.Text(form13::kAmount), "0");
    dialog.Apply();
    SpeciesTexts expected;
    if (kind == CompositionDialogKind::kAddAir) {
      expected.fill("0");
      expected[kO2] = "2.100E+001";
      expected[kN2] = "7.900E+001";
    } else {
      expected.fill("0.000E+000");
    }
    EXPECT_EQ(Amounts(), expected);
    EXPECT_TRUE(main_.Enabled(form1::kCalculate));
    EXPECT_EQ(closes_, 1);
    EXPECT_TRUE(platform_.shown.empty());
  }
}

// Every failure shows the one message, writes nothing and leaves the dialog open; the
// corrected input then goes through.
TEST_F(CompositionDialog, FailureKeepsTheDialogOpenAndTheMainWindowAsItWas) {
  const struct {
    const char* name;
    CompositionDialogKind kind;
    SpeciesIndex empty;  // the main-window amount left empty (kH2O: none)
    bool zero_sum;
    bool fails;
  } kCases[] = {
      {"air, O2 empty", CompositionDialogKind::kAddAir, kO2, false, true},
      {"air, N2 empty", CompositionDialogKind::kAddAir, kN2, false, true},
      {"air, CH4 empty", CompositionDialogKind::kAddAir, kCH4, false, false},
      {"total, CH4 empty", CompositionDialogKind::kTotal, kCH4, false, true},
      {"total, N2 empty", CompositionDialogKind::kTotal, kN2, false, true},
      {"total, zero sum", CompositionDialogKind::kTotal, kH2O, true, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    main_.Clear();
    if (!c.zero_sum) {
      main_.WriteField(form1::kAmount[kO2], "21");
      main_.WriteField(form1::kAmount[kN2], "79");
      main_.WriteField(form1::kAmount[c.empty], "");
    }
    const SpeciesTexts before = Amounts();
    platform_.shown.clear();
    closes_ = 0;
    CompositionDialogModel dialog(c.kind, main_, platform_);
    CountCloses(dialog);
    dialog.SetText(form13::kAmount, "100");
    dialog.Apply();
    if (!c.fails) {
      EXPECT_EQ(closes_, 1);
      EXPECT_EQ(Amounts()[c.empty], "");
      continue;
    }
    EXPECT_EQ(platform_.shown, std::vector<Message>{kCheck});
    EXPECT_EQ(Amounts(), before);
    EXPECT_EQ(closes_, 0);
    EXPECT_EQ(dialog.Text(form13::kAmount), "100");
    // The correction in the main window, then OK again.
    main_.WriteField(form1::kAmount[c.zero_sum ? kCH4 : c.empty], "1");
    dialog.Apply();
    EXPECT_EQ(closes_, 1);
    EXPECT_EQ(platform_.shown.size(), 1u);
  }
}

}  // namespace
}  // namespace toluvek
