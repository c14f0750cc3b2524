#pragma once
// Messages, in one convention: those that more than one window shows are here, in
// `messages`; a window's own are in its model's header, in `<window>_messages`; and where a
// calculation's outcome decides what a window shows, one function gives the boxes in the
// order shown, as a std::vector<Message> that is empty when none is shown.

#include <string>
#include <string_view>
#include <utility>

#include "main/platform.hpp"

namespace toluvek::messages {

// The box of an input or a calculation that cannot go on: the title "エラーメッセージ" and the
// critical-stop icon.
inline Message ErrorBox(std::string text, std::string_view code) {
  return {.text = std::move(text),
          .title = "エラーメッセージ",
          .icon = MessageIcon::kCritical,
          .code = code};
}

// Any failure inside a command that has no message of its own.
inline const Message kCheckInput{.text = "入力値を確認下さい。", .code = "check_input"};

// The calculate command's checks, which every calculation of a mixture state makes.
inline const Message kPressureAndTemperatureNegative =
    ErrorBox("圧力，温度が負です!!", "negative_pressure_and_temperature");
inline const Message kTemperatureNegative = ErrorBox("絶対温度が負です!!", "negative_temperature");
inline const Message kPressureNegative = ErrorBox("圧力が負です!!", "negative_pressure");
inline const Message kAmountEmpty = ErrorBox("数値が入っていません!!", "empty_amount");
inline const Message kAmountNegative = ErrorBox("負のモル体積があります!!", "negative_amount");
inline const Message kAmountsAllZero{.text = "mol体積が全て０です！！",
                                     .title = "入力値エラー",
                                     .icon = MessageIcon::kExclamation,
                                     .code = "all_zero_composition"};

}  // namespace toluvek::messages
