#include "main/state_check.hpp"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "main/messages.hpp"

namespace toluvek {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameProperties(const MixtureProperties& a, const MixtureProperties& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Many states at once, each input given per state or shared: every state gets the message and
// the bits it gets alone, whatever the states around it did.
TEST(StateCheck, ManyStatesGiveWhatEachGivesAlone) {
  const SpeciesArray air = {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const SpeciesArray negative = {0, -21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const SpeciesArray zero{};
  const SpeciesArray fuel = {1, 0, 0, 2, 3, 0, 0, 4, 0, 0, 1, 0};
  const std::vector<double> pressures = {101325, -1, 101325, 0, 101325, kNaN, 2e5, 101325, 1e5};
  const std::vector<double> temperatures = {300, 300, -1, 300, 0, 300, 500, 300, 1200};
  const std::vector<SpeciesArray> amounts = {air, air, air, fuel, air, air, negative, zero, fuel};
  const std::size_t n = pressures.size();
  struct Shape {
    const char* name;
    bool shared_pressure;
    const SpeciesArray* shared_amounts;  // checked once for every state
  };
  for (const Shape shape :
       {Shape{"PerState", false, nullptr}, Shape{"SharedPressure", true, nullptr},
        Shape{"SharedAmounts", false, &fuel}, Shape{"SharedNegativeAmounts", false, &negative},
        Shape{"SharedZeroAmounts", true, &zero}}) {
    SCOPED_TRACE(shape.name);
    const std::vector<double> p = shape.shared_pressure ? std::vector<double>{2e5} : pressures;
    const std::vector<SpeciesArray> x =
        shape.shared_amounts ? std::vector<SpeciesArray>{*shape.shared_amounts} : amounts;
    std::vector<MixtureResult> results(n);
    std::vector<const Message*> messages(n);
    EvaluateStates(p, temperatures, x, AmountsInput::Status::kRead, results, messages);
    for (std::size_t k = 0; k < n; ++k) {
      SCOPED_TRACE(::testing::Message() << "state " << k);
      AmountsInput alone;
      alone.values = x[x.size() == 1 ? 0 : k];
      MixtureResult expected;
      const Message* message =
          EvaluateState(p[p.size() == 1 ? 0 : k], temperatures[k], alone, expected);
      EXPECT_EQ(messages[k], message);
      if (message == nullptr) {
        EXPECT_TRUE(SameProperties(results[k].properties, expected.properties));
      }
    }
  }
  // Amounts that were not read fail every state whose pressure and temperature pass.
  std::vector<MixtureResult> results(n);
  std::vector<const Message*> messages(n);
  EvaluateStates(pressures, temperatures, {&air, 1}, AmountsInput::Status::kEmpty, results,
                 messages);
  EXPECT_EQ(messages[0], &messages::kAmountEmpty);
  EXPECT_EQ(messages[1], &messages::kPressureNegative);

  EXPECT_THROW(EvaluateStates({pressures.data(), 2}, temperatures, amounts,
                              AmountsInput::Status::kRead, results, messages),
               std::invalid_argument);
  EXPECT_THROW(EvaluateStates(pressures, temperatures, amounts, AmountsInput::Status::kRead,
                              results, {messages.data(), 3}),
               std::invalid_argument);
}

}  // namespace
}  // namespace toluvek
