#include "tools/mixing/stream_mixing.hpp"
#include "tools/mixing/mixing_window_model.hpp"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace toluvek {
namespace {

using Amounts = SpeciesTexts;

// Amounts with the named species set and every other "0".
Amounts With(std::initializer_list<std::pair<SpeciesIndex, const char*>> set) {
  Amounts amounts;
  amounts.fill("0");
  for (const auto& [species, text] : set) amounts[species] = text;
  return amounts;
}

const Amounts kNitrogen = With({{kN2, "1"}});
const Amounts kAir = With({{kO2, "0.21"}, {kN2, "0.79"}});

std::map<std::string, std::string> Shown(const MixingResult& result) {
  std::map<std::string, std::string> shown;
  for (const MixingText& write : result.display)
    shown[std::string(MixingControl(write))] = write.text;
  return shown;
}

struct WorkedMixing {
  const char* name;
  MixingStream a;
  MixingStream b;
  std::map<std::string, std::string> expected;  // fields not listed show 0.000E+000
};

// Shown in test listings instead of the case's raw bytes.
void PrintTo(const WorkedMixing& c, std::ostream* os) {
  *os << c.name;
}

class StreamMixingWorkedTest : public testing::TestWithParam<WorkedMixing> {};

TEST_P(StreamMixingWorkedTest, ShowsNormalisedStreamsMixedStreamAndTemperature) {
  const WorkedMixing& c = GetParam();
  const MixingResult result = StreamMixing(c.a, c.b);
  ASSERT_EQ(result.status, MixingStatus::kSolved);
  EXPECT_TRUE(MixingStopMessages(result.status).empty());
  const auto shown = Shown(result);
  ASSERT_EQ(result.display.size(), 2 * kSpeciesCount + 1 + kSpeciesCount + 1);
  for (const MixingText& write : result.display) {
    const std::string field(MixingControl(write));
    const auto expected = c.expected.find(field);
    EXPECT_EQ(write.text, expected == c.expected.end() ? "0.000E+000" : expected->second) << field;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, StreamMixingWorkedTest,
    testing::Values(
        // The accepted temperature is the first candidate within 0.1 % of the target, not the
        // exact balance at 50.29 ℃.
        WorkedMixing{"HotAndColdNitrogen",
                     {"100", "1", kNitrogen},
                     {"0", "1", kNitrogen},
                     {{"Text5", "1.000E+000"},
                      {"Text19", "1.000E+000"},
                      {"Label17", "2.000E+000"},
                      {"Label20", "1.000E+000"},
                      {"Label16", "50.30"}}},
        WorkedMixing{"MethaneIntoHotAir",
                     {"25", "1", With({{kCH4, "1"}})},
                     {"500", "10", kAir},
                     {{"Text10", "1.000E+000"},
                      {"Text18", "2.100E-001"},
                      {"Text19", "7.900E-001"},
                      {"Label17", "1.100E+001"},
                      {"Label19", "1.909E-001"},
                      {"Label20", "7.182E-001"},
                      {"Label25", "9.091E-002"},
                      {"Label16", "438.25"}}},
        WorkedMixing{"FlueGasWithColdAir",
                     {"1000", "2", With({{kCO2, "1"}, {kH2O, "2"}, {kN2, "7.52"}})},
                     {"20", "1", kAir},
                     {{"Text5", "7.148E-001"},
                      {"Text7", "9.506E-002"},
                      {"Text8", "1.901E-001"},
                      {"Text18", "2.100E-001"},
                      {"Text19", "7.900E-001"},
                      {"Label17", "3.000E+000"},
                      {"Label19", "7.000E-002"},
                      {"Label20", "7.399E-001"},
                      {"Label22", "6.337E-002"},
                      {"Label23", "1.267E-001"},
                      {"Label16", "710.90"}}}),
    [](const testing::TestParamInfo<WorkedMixing>& info) { return info.param.name; });

TEST(StreamMixingTest, DisplayFollowsStreamAThenBThenFlowThenMixedThenTemperature) {
  const MixingResult result = StreamMixing({"100", "1", kNitrogen}, {"0", "1", kNitrogen});
  std::vector<std::string_view> order;
  for (const MixingText& write : result.display) order.push_back(MixingControl(write));
  std::vector<std::string_view> expected(mixing_fields::kAmountA.begin(),
                                         mixing_fields::kAmountA.end());
  expected.insert(expected.end(), mixing_fields::kAmountB.begin(), mixing_fields::kAmountB.end());
  expected.push_back(mixing_fields::kTotalFlow);
  expected.insert(expected.end(), mixing_fields::kMixedFraction.begin(),
                  mixing_fields::kMixedFraction.end());
  expected.push_back(mixing_fields::kMixedTemperature);
  EXPECT_EQ(order, expected);
}

TEST(StreamMixingTest, StreamsAtOneTemperatureKeepItWithoutSearching) {
  const MixingResult result = StreamMixing({"25", "1", With({{kCH4, "1"}})}, {"25", "10", kAir});
  EXPECT_EQ(result.status, MixingStatus::kSolved);
  EXPECT_EQ(result.search_steps, 0);
  EXPECT_DOUBLE_EQ(result.mixed_temperature, 25);
  EXPECT_EQ(result.display.back().text, "25.00");
}

TEST(StreamMixingTest, StreamWithoutFlowLeavesTheOtherStream) {
  const MixingResult result = StreamMixing({"25", "0", With({{kCH4, "1"}})}, {"500", "10", kAir});
  ASSERT_EQ(result.status, MixingStatus::kSolved);
  EXPECT_EQ(result.mixed_composition, result.composition_b);
  EXPECT_NEAR(result.mixed_temperature, 500, 1);
}

TEST(StreamMixingTest, TemperatureTextWithLettersReadsAsZeroCelsius) {
  const MixingResult result = StreamMixing({"abc", "1", kNitrogen}, {"100", "1", kNitrogen});
  ASSERT_EQ(result.status, MixingStatus::kSolved);
  EXPECT_EQ(result.display.back().text, "50.30");
}

TEST(StreamMixingTest, UnreadableAmountStopsAfterTheFractionsAlreadyShown) {
  const struct {
    MixingStream a;
    MixingStream b;
    std::size_t shown;  // display texts produced before the stop
  } cases[] = {
      {{"25", "1", With({{kN2, "1"}, {kCO2, "abc"}})}, {"25", "1", kAir}, kCO2},
      {{"25", "1", kAir}, {"25", "1", With({{kO2, "1"}, {kN2, ""}})}, kSpeciesCount + kN2},
      // Stream B as the window opens: all amounts 0.
      {{"25", "", kAir}, {"25", "0", With({})}, kSpeciesCount},
  };
  for (const auto& c : cases) {
    const MixingResult result = StreamMixing(c.a, c.b);
    EXPECT_EQ(result.status, MixingStatus::kInputError);
    EXPECT_EQ(MixingStopMessages(result.status), std::vector<Message>{messages::kCheckInput});
    EXPECT_EQ(result.display.size(), c.shown);
  }
}

TEST(StreamMixingTest, ZeroTotalFlowStopsAfterShowingIt) {
  const MixingResult result = StreamMixing({"25", "1", kAir}, {"100", "-1", kNitrogen});
  EXPECT_EQ(result.status, MixingStatus::kInputError);
  ASSERT_EQ(result.display.size(), 2 * kSpeciesCount + 1);
  EXPECT_EQ(MixingControl(result.display.back()), mixing_fields::kTotalFlow);
  EXPECT_EQ(result.display.back().text, "0.000E+000");
}

TEST(StreamMixingTest, ZeroEnergyTargetIsAnInputError) {
  // Species flows of half the smallest subnormal round to zero: the target is exactly 0.
  const Amounts half = With({{kO2, "1"}, {kN2, "1"}});
  const MixingResult result = StreamMixing({"100", "5E-324", half}, {"0", "5E-324", half});
  EXPECT_EQ(result.status, MixingStatus::kInputError);
  EXPECT_EQ(result.search_steps, 1);
  EXPECT_EQ(result.display.size(), 3 * kSpeciesCount + 1);
}

TEST(StreamMixingTest, OverflowIsAnInputError) {
  const struct {
    MixingStream a;
    const char* flow_b;
    std::size_t shown;
  } cases[] = {
      {{"25", "1", With({{kO2, "1E+308"}, {kN2, "1E+308"}})}, "1", 0},  // the sum of amounts
      {{"25", "1E+308", kAir}, "1E+308", 2 * kSpeciesCount},            // the total flow
      {{"1E+300", "1", kAir}, "1", 3 * kSpeciesCount + 1},  // the enthalpy at 1E+300 ℃
  };
  for (const auto& c : cases) {
    const MixingResult result = StreamMixing(c.a, {"0", c.flow_b, kNitrogen});
    EXPECT_EQ(result.status, MixingStatus::kInputError);
    EXPECT_EQ(result.display.size(), c.shown);
  }
}

TEST(StreamMixingTest, SearchPastTenThousandKelvinHasNoSolution) {
  // A negative flow takes the target beyond any enthalpy below 10000 K.
  const MixingResult result = StreamMixing({"3000", "10", kNitrogen}, {"0", "-9", kNitrogen});
  EXPECT_EQ(result.status, MixingStatus::kNoSolution);
  EXPECT_EQ(MixingStopMessages(result.status), std::vector<Message>{mixing_messages::kNoSolution});
  EXPECT_EQ(result.display.size(), 3 * kSpeciesCount + 1);  // no mixed temperature
}

TEST(StreamMixingTest, TargetNearZeroEndsWhenTheStepNoLongerMovesTheTemperature) {
  // About 3E-11 J: no representable temperature near 25 ℃ meets 0.1 % of it.
  const MixingResult result =
      StreamMixing({"100", "1", kNitrogen}, {"0", "2.9357451781844", kNitrogen});
  EXPECT_EQ(result.status, MixingStatus::kNoSolution);
  EXPECT_EQ(MixingStopMessages(result.status), std::vector<Message>{mixing_messages::kNoSolution});
  EXPECT_LT(result.search_steps, 1000);
}

TEST(StreamMixingTest, SearchNeedingMillionsOfStepsStopsAtTheLimit) {
  // A span of 1E-6 K gives steps of 1E-7 K; the balance of these flows lies about 1 K above
  // the hotter stream.
  const MixingResult result =
      StreamMixing({"100", "1000001", kNitrogen}, {"99.999999", "-1000000", kNitrogen});
  EXPECT_EQ(result.status, MixingStatus::kNoSolution);
  EXPECT_EQ(result.search_steps, kMixingSearchLimit);
}

}  // namespace
}  // namespace toluvek
