#include "main/composition_dialogs.hpp"

#include <gtest/gtest.h>

namespace toluvek {
namespace {

SpeciesTexts With(std::initializer_list<std::pair<SpeciesIndex, const char*>> texts,
                  const char* others = "0") {
  SpeciesTexts amounts;
  amounts.fill(others);
  for (const auto& [index, text] : texts) amounts[index] = text;
  return amounts;
}

struct DialogCase {
  const char* name;
  const char* dialog_text;
  SpeciesTexts amounts;
  SpeciesTexts expected;
};

TEST(CompositionDialogsTest, AddAirAddsOxygenAndNitrogenInFourFigures) {
  const DialogCase kCases[] = {
      {"to nothing", "1", With({{kO2, "0"}, {kN2, "0"}}),
       With({{kO2, "2.100E-001"}, {kN2, "7.900E-001"}})},
      {"to methane", "10", With({{kCH4, "1"}}),
       With({{kO2, "2.100E+000"}, {kN2, "7.900E+000"}, {kCH4, "1"}})},
      {"none, rewriting O2 and N2 in the display pattern", "0", With({{kO2, "21"}, {kN2, "79"}}),
       With({{kO2, "2.100E+001"}, {kN2, "7.900E+001"}})},
      {"to amounts that round", "1", With({{kO2, "0.123456"}, {kN2, "1e-9"}, {kH2, "x"}}),
       With({{kO2, "3.335E-001"}, {kN2, "7.900E-001"}, {kH2, "x"}})},
  };
  for (const DialogCase& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AddAir(c.dialog_text, c.amounts), c.expected);
  }
}

TEST(CompositionDialogsTest, RescaleKeepsTheSharesAtTheNewTotal) {
  const DialogCase kCases[] = {
      {"methane and oxygen to 100", "100", With({{kCH4, "1"}, {kO2, "1"}}),
       With({{kCH4, "5.000E+001"}, {kO2, "5.000E+001"}}, "0.000E+000")},
      {"air to 1", "1", With({{kO2, "21"}, {kN2, "79"}}),
       With({{kO2, "2.100E-001"}, {kN2, "7.900E-001"}}, "0.000E+000")},
      {"thirds", "1", With({{kH2, "1"}, {kCO, "1"}, {kCO2, "1"}}),
       With({{kH2, "3.333E-001"}, {kCO, "3.333E-001"}, {kCO2, "3.333E-001"}}, "0.000E+000")},
      {"the dialog's initial 0", "0", With({{kO2, "21"}, {kN2, "79"}}), With({}, "0.000E+000")},
  };
  for (const DialogCase& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RescaleToTotal(c.dialog_text, c.amounts), c.expected);
  }
}

// A failure is reported before any new text exists, so the main window is left exactly as it
// was: in particular air is never added to O2 when N2 cannot be read, so a corrected retry
// does not add it twice.
TEST(CompositionDialogsTest, AddAirFailsWholeWhenAnyTextItReadsIsNotANumber) {
  const struct {
    const char* name;
    const char* dialog_text;
    SpeciesTexts amounts;
  } kCases[] = {
      {"nitrogen empty", "1", With({{kO2, "21"}, {kN2, ""}})},
      {"nitrogen not a number", "1", With({{kO2, "21"}, {kN2, "79kg"}})},
      {"oxygen empty", "1", With({{kO2, ""}, {kN2, "79"}})},
      {"dialog empty", "", With({{kO2, "21"}, {kN2, "79"}})},
      {"dialog not a number", "1,5", With({{kO2, "21"}, {kN2, "79"}})},
      {"overflow", "1e308", With({{kO2, "1.7e308"}, {kN2, "79"}})},
      {"rounds beyond a double", "0", With({{kO2, "1.79769e308"}, {kN2, "79"}})},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AddAir(c.dialog_text, c.amounts), std::nullopt);
  }
}

TEST(CompositionDialogsTest, RescaleFailsWholeOnAnyUnreadableAmountOrZeroSum) {
  const struct {
    const char* name;
    const char* dialog_text;
    SpeciesTexts amounts;
  } kCases[] = {
      {"all zero", "100", With({})},
      {"summing to zero", "100", With({{kH2, "1"}, {kCO, "-1"}})},
      {"last amount empty", "100", With({{kO2, "21"}, {kN2, "79"}, {kIC4H10, ""}})},
      {"an amount not a number", "100", With({{kO2, "21"}, {kN2, "79"}, {kCO, "abc"}})},
      {"dialog not a number", "ten", With({{kO2, "21"}, {kN2, "79"}})},
      {"sum overflows", "1", With({{kO2, "1e308"}, {kN2, "1e308"}})},
      {"new amount overflows", "1e308", With({{kO2, "2"}, {kN2, "-1"}})},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RescaleToTotal(c.dialog_text, c.amounts), std::nullopt);
  }
}

}  // namespace
}  // namespace toluvek
