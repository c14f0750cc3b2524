#pragma once
// Messages that more than one window shows.

#include "main/platform.hpp"

namespace toluvek::messages {

// Any failure inside a command that has no message of its own.
inline const Message kCheckInput{"入力値を確認下さい。"};
// The checks of the duct's dimensions.
inline const Message kDivisionByZero{"0で割りました!"};
inline const Message kInputNegative{"入力値が負です!"};

}  // namespace toluvek::messages
