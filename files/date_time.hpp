#pragma once
// A local date and time as a person reads it off a clock, without a time zone: the time stamp
// of composition files.

namespace toluvek {

struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

}  // namespace toluvek
