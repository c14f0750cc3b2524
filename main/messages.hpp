#pragma once
// Messages, in one convention: those that more than one window shows are here, in
// `messages`; a window's own are in its model's header, in `<window>_messages`; and where a
// calculation's outcome decides what a window shows, one function gives the boxes in the
// order shown, as a std::vector<Message> that is empty when none is shown.

#include "main/platform.hpp"

namespace toluvek::messages {

// Any failure inside a command that has no message of its own.
inline const Message kCheckInput{"入力値を確認下さい。"};

// The calculate command's checks, which every calculation of a mixture state makes.
inline const Message kPressureAndTemperatureNegative{"圧力，温度が負です!!", "エラーメッセージ",
                                                     MessageIcon::kCritical};
inline const Message kTemperatureNegative{"絶対温度が負です!!", "エラーメッセージ",
                                          MessageIcon::kCritical};
inline const Message kPressureNegative{"圧力が負です!!", "エラーメッセージ",
                                       MessageIcon::kCritical};
inline const Message kAmountEmpty{"数値が入っていません!!", "エラーメッセージ",
                                  MessageIcon::kCritical};
inline const Message kAmountNegative{"負のモル体積があります!!", "エラーメッセージ",
                                     MessageIcon::kCritical};
inline const Message kAmountsAllZero{"mol体積が全て０です！！", "入力値エラー",
                                     MessageIcon::kExclamation};

}  // namespace toluvek::messages
