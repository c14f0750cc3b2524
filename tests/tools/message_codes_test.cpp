// The codes scripts match instead of the message texts: one per message, unique, ASCII, and
// the same from release to release.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "main/combustion.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"
#include "tools/converters/converter_window_models.hpp"
#include "tools/duct/duct_window_model.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "tools/water/saturation_window_model.hpp"

namespace toluvek {
namespace {

TEST(MessageCodes, EveryMessageHasItsOwnStableCode) {
  const struct {
    Message message;
    const char* code;
  } cases[] = {
      {messages::kCheckInput, "check_input"},
      {messages::kPressureAndTemperatureNegative, "negative_pressure_and_temperature"},
      {messages::kTemperatureNegative, "negative_temperature"},
      {messages::kPressureNegative, "negative_pressure"},
      {messages::kAmountEmpty, "empty_amount"},
      {messages::kAmountNegative, "negative_amount"},
      {messages::kAmountsAllZero, "all_zero_composition"},
      {main_window_messages::kNoMoisture, "no_water"},
      {main_window_messages::kFileSelectionFailed, "file_selection_failed"},
      {main_window_messages::kFileUnreadable, "file_unreadable"},
      {main_window_messages::kFileNotSaved, "file_not_saved"},
      {mixing_messages::kNoSolution, "no_mixing_solution"},
      {enthalpy_messages::kCalculatorNotFound, "calculator_not_found"},
      {enthalpy_messages::kFlowNegative, "negative_flow"},
      {saturation_messages::kNoSolution, "no_saturation_solution"},
      {saturation_messages::kError, "saturation_error"},
      {converter_messages::kError, "conversion_error"},
      {converter_messages::kBelowAbsoluteZero, "below_absolute_zero"},
      {duct_messages::kDivisionByZero, "division_by_zero"},
      {duct_messages::kInputNegative, "negative_input"},
      {CombustionFailureMessage(CombustionFailure::kOxygenShort), "oxygen_short"},
      {CombustionFailureMessage(CombustionFailure::kDoesNotBurn), "does_not_burn"},
      {CombustionFailureMessage(CombustionFailure::kInvalidInput), "invalid_combustion_input"},
      {CombustionFailureMessage(CombustionFailure::kNoSolution), "no_combustion_solution"},
  };
  std::set<std::string> seen;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(c.message.code, c.code);
    EXPECT_TRUE(seen.insert(std::string(c.message.code)).second) << "a code used twice";
    for (const char ch : c.message.code) EXPECT_TRUE((ch >= 'a' && ch <= 'z') || ch == '_');
  }
}

}  // namespace
}  // namespace toluvek
