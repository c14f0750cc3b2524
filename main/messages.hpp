#pragma once
// Messages, in one convention: those that more than one window shows are here, in
// `messages`; a window's own are in its model's header, in `<window>_messages`; and where a
// calculation's outcome decides what a window shows, one function gives the boxes in the
// order shown, as a std::vector<Message> that is empty when none is shown.

#include "main/platform.hpp"

namespace toluvek::messages {

// Any failure inside a command that has no message of its own.
inline const Message kCheckInput{.text = "入力値を確認下さい。", .code = "check_input"};

// The calculate command's checks, which every calculation of a mixture state makes.
inline const Message kPressureAndTemperatureNegative{.text = "圧力，温度が負です!!",
                                                     .title = "エラーメッセージ",
                                                     .icon = MessageIcon::kCritical,
                                                     .code = "negative_pressure_and_temperature"};
inline const Message kTemperatureNegative{.text = "絶対温度が負です!!",
                                          .title = "エラーメッセージ",
                                          .icon = MessageIcon::kCritical,
                                          .code = "negative_temperature"};
inline const Message kPressureNegative{.text = "圧力が負です!!",
                                       .title = "エラーメッセージ",
                                       .icon = MessageIcon::kCritical,
                                       .code = "negative_pressure"};
inline const Message kAmountEmpty{.text = "数値が入っていません!!",
                                  .title = "エラーメッセージ",
                                  .icon = MessageIcon::kCritical,
                                  .code = "empty_amount"};
inline const Message kAmountNegative{.text = "負のモル体積があります!!",
                                     .title = "エラーメッセージ",
                                     .icon = MessageIcon::kCritical,
                                     .code = "negative_amount"};
inline const Message kAmountsAllZero{.text = "mol体積が全て０です！！",
                                     .title = "入力値エラー",
                                     .icon = MessageIcon::kExclamation,
                                     .code = "all_zero_composition"};

}  // namespace toluvek::messages
