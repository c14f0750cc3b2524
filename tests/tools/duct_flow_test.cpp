#include "tools/duct/duct_flow.hpp"
#include "tools/duct/duct_window_model.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace toluvek {
namespace {

// Air at 101325 Pa and 0 ℃ as the main window shows it.
DuctFlowInput AirInput(DuctShape shape, const char* d1, const char* d2) {
  DuctFlowInput input;
  input.flow = "1";
  input.shape = shape;
  input.d1 = d1;
  input.d2 = d2;
  input.pressure = "1.01325E+005";
  input.temperature = "0";
  input.density = "1.293E+000";
  input.kinematic_viscosity = "1.333E-005";
  input.conductivity = "2.420E-002";
  input.prandtl = "7.150E-001";
  return input;
}

std::vector<std::string> Texts(const DuctFlowResult& result) {
  std::vector<std::string> texts;
  for (const DuctValue& value : result.published) texts.push_back(value.text);
  return texts;
}

TEST(DuctFlowTest, CircularPipePublishesAllSixValuesInOrder) {
  const DuctFlowResult result = ComputeDuctFlow(AirInput(DuctShape::kCircular, "0.01", "0"));
  ASSERT_TRUE(result.completed());
  EXPECT_EQ(result.stop, DuctStop::kNone);
  // Q = 1.6667E-5 m³/s; Re = 159 is laminar: h = 3.6·λ/Dh.
  EXPECT_EQ(Texts(result), (std::vector<std::string>{"7.8540E-005", "2.1221E-001", "1.0000E-002",
                                                     "1.5919E+002", "8.7120E+000", "2.7438E-001"}));
  std::vector<std::string_view> controls;
  for (const DuctValue& value : result.published) {
    controls.push_back(kDuctRows[static_cast<std::size_t>(value.quantity)].control);
  }
  EXPECT_EQ(controls, (std::vector<std::string_view>{"Label11", "Label15", "Label14", "Label13",
                                                     "Label12", "Label22"}));
  EXPECT_DOUBLE_EQ(result.published[0].value, 7.8539815e-5);
  EXPECT_NEAR(result.published[1].value, 0.21221, 5e-6);
}

struct ShapeCase {
  const char* name;
  DuctShape shape;
  const char* d1;
  const char* d2;
  DuctLengthUnit unit;
  double area;  // m²
  double dh;    // m
};

// Shown in test listings instead of the case's raw bytes.
void PrintTo(const ShapeCase& c, std::ostream* os) {
  *os << c.name;
}

class DuctShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(DuctShapeTest, GivesAreaAndHydraulicDiameter) {
  const ShapeCase& c = GetParam();
  DuctFlowInput input = AirInput(c.shape, c.d1, c.d2);
  input.length_unit = c.unit;
  const DuctFlowResult result = ComputeDuctFlow(input);
  ASSERT_TRUE(result.completed());
  EXPECT_NEAR(result.published[0].value, c.area, 1e-12 * c.area);
  EXPECT_NEAR(result.published[2].value, c.dh, 1e-12 * c.dh);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, DuctShapeTest,
    testing::Values(ShapeCase{"Circle", DuctShape::kCircular, "0.01", "0", DuctLengthUnit::kMetre,
                              7.8539815e-5, 0.01},
                    // The second dimension is not read for a circle.
                    ShapeCase{"CircleIgnoresD2", DuctShape::kCircular, "0.01", "abc",
                              DuctLengthUnit::kMetre, 7.8539815e-5, 0.01},
                    ShapeCase{"CircleInMillimetres", DuctShape::kCircular, "10", "0",
                              DuctLengthUnit::kMillimetre, 7.8539815e-5, 0.01},
                    ShapeCase{"Annulus", DuctShape::kDoublePipe, "0.02", "0.01",
                              DuctLengthUnit::kMetre, 2.35619445e-4, 0.01},
                    ShapeCase{"Rectangle", DuctShape::kRectangular, "0.01", "0.02",
                              DuctLengthUnit::kMetre, 2e-4, 0.013333333333333334},
                    ShapeCase{"RectangleInMillimetres", DuctShape::kRectangular, "10", "20",
                              DuctLengthUnit::kMillimetre, 2e-4, 0.013333333333333334}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

// A rectangle of 1 m by 1 m (area 1, Dh 1) with 2300 kg/s of a gas of density 1 and
// kinematic viscosity 1 has Re = 2300 exactly.
DuctFlowInput ExactReynolds(const char* flow) {
  DuctFlowInput input = AirInput(DuctShape::kRectangular, "1", "1");
  input.flow_unit = DuctFlowUnit::kKgPerSecond;
  input.flow = flow;
  input.density = "1";
  input.kinematic_viscosity = "1";
  input.conductivity = "1";
  input.prandtl = "2";
  return input;
}

TEST(DuctFlowTest, ReynoldsOfExactly2300IsLaminar) {
  const DuctFlowResult result = ComputeDuctFlow(ExactReynolds("2300"));
  ASSERT_TRUE(result.completed());
  EXPECT_EQ(result.published[3].value, 2300);
  EXPECT_EQ(result.published[4].text, "3.6000E+000");
}

TEST(DuctFlowTest, ReynoldsAbove2300UsesTheTurbulentCorrelation) {
  for (const char* flow : {"2300.0000001", "10000"}) {
    const DuctFlowResult result = ComputeDuctFlow(ExactReynolds(flow));
    ASSERT_TRUE(result.completed());
    const double re = result.published[3].value;
    ASSERT_GT(re, 2300);
    EXPECT_NEAR(result.published[4].value, 0.023 * std::pow(re, 0.8) * std::cbrt(2.0),
                1e-8 * result.published[4].value)
        << flow;
  }
}

TEST(DuctFlowTest, MassFlowUsesTheDensityForTheVolumeFlow) {
  DuctFlowInput input = AirInput(DuctShape::kCircular, "0.01", "0");
  input.flow_unit = DuctFlowUnit::kKgPerSecond;
  input.flow = "0.001293";
  const DuctFlowResult result = ComputeDuctFlow(input);
  ASSERT_TRUE(result.completed());
  // 1E-3 m³/s through 7.854E-5 m², and G = flow / area.
  EXPECT_EQ(result.published[1].text, "1.2732E+001");
  EXPECT_EQ(result.published[5].text, "1.6463E+001");
}

struct StopCase {
  const char* name;
  DuctFlowInput input;
  std::vector<std::string> messages;
  std::size_t published;
};

DuctFlowInput With(DuctFlowInput input, std::string DuctFlowInput::*field, const char* text) {
  input.*field = text;
  return input;
}

const std::string kZero = "0で割りました!";
const std::string kNegative = "入力値が負です!";
const std::string kCheck = "入力値を確認下さい。";

// Shown in test listings instead of the case's raw bytes.
void PrintTo(const StopCase& c, std::ostream* os) {
  *os << c.name;
}

class DuctStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(DuctStopTest, ShowsItsMessagesAndKeepsWhatWasPublished) {
  const StopCase& c = GetParam();
  const DuctFlowResult result = ComputeDuctFlow(c.input);
  EXPECT_FALSE(result.completed());
  std::vector<std::string> texts;
  for (const Message& message : DuctStopMessages(result.stop)) {
    texts.push_back(message.text);
    EXPECT_EQ(message.title, "Toluvek");
    EXPECT_EQ(message.icon, MessageIcon::kNone);
  }
  EXPECT_EQ(texts, c.messages);
  EXPECT_EQ(result.published.size(), c.published);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DuctStopTest,
    testing::Values(
        StopCase{"RectangleOneSideNegative",
                 AirInput(DuctShape::kRectangular, "-0.01", "0.02"),
                 {kNegative, kCheck},
                 0},
        StopCase{"RectangleBothSidesZero",
                 AirInput(DuctShape::kRectangular, "0", "0"),
                 {kZero, kCheck},
                 0},
        // The sign is checked before the sum.
        StopCase{"RectangleOppositeSides",
                 AirInput(DuctShape::kRectangular, "-1", "1"),
                 {kNegative, kCheck},
                 0},
        StopCase{"RectangleSideNotANumber",
                 AirInput(DuctShape::kRectangular, "0.01", "abc"),
                 {kCheck},
                 0},
        StopCase{"CircleEmptyDiameter", AirInput(DuctShape::kCircular, "", "0"), {kCheck}, 0},
        StopCase{
            "CircleZeroDiameter", AirInput(DuctShape::kCircular, "0", "0"), {kZero, kCheck}, 0},
        StopCase{"CircleNegativeDiameter",
                 AirInput(DuctShape::kCircular, "-0.01", "0"),
                 {kNegative, kCheck},
                 0},
        StopCase{"AnnulusSumZero",
                 AirInput(DuctShape::kDoublePipe, "0.01", "-0.01"),
                 {kZero, kCheck},
                 0},
        StopCase{"AnnulusOneNegative",
                 AirInput(DuctShape::kDoublePipe, "-0.02", "0.01"),
                 {kNegative, kCheck},
                 0},
        StopCase{"AnnulusInnerLargerThanOuter",
                 AirInput(DuctShape::kDoublePipe, "0.01", "0.02"),
                 {kCheck},
                 1},
        // Both negative pass the checks; the negative Reynolds number fails under the power.
        StopCase{
            "AnnulusBothNegative", AirInput(DuctShape::kDoublePipe, "-0.02", "-0.01"), {kCheck}, 4},
        StopCase{"ZeroPressure",
                 With(AirInput(DuctShape::kCircular, "0.01", "0"), &DuctFlowInput::pressure, "0"),
                 {kCheck},
                 0},
        StopCase{"ZeroKinematicViscosity",
                 With(AirInput(DuctShape::kCircular, "0.01", "0"),
                      &DuctFlowInput::kinematic_viscosity, "0"),
                 {kCheck},
                 3},
        StopCase{"EmptyKinematicViscosity",
                 With(AirInput(DuctShape::kCircular, "0.01", "0"),
                      &DuctFlowInput::kinematic_viscosity, ""),
                 {kCheck},
                 3},
        StopCase{"NegativePrandtl",
                 With(AirInput(DuctShape::kCircular, "0.01", "0"), &DuctFlowInput::prandtl, "-0.7"),
                 {kCheck},
                 4},
        // The Nl/min volume flow reads the density leniently, the mass velocity strictly.
        StopCase{
            "DensityNotANumber",
            With(AirInput(DuctShape::kCircular, "0.01", "0"), &DuctFlowInput::density, "1.293kg"),
            {kCheck},
            5},
        StopCase{
            "HugeDiameterOverflows", AirInput(DuctShape::kCircular, "1E+200", "0"), {kCheck}, 0}),
    [](const testing::TestParamInfo<StopCase>& info) { return info.param.name; });

}  // namespace
}  // namespace toluvek
