#pragma once
// Form15, the start-up picture: shown while the program starts, then closed after half a second
// spent in the event loop (the processor stays idle meanwhile).

#include <chrono>

namespace toluvek {

inline constexpr std::chrono::milliseconds kStartupPictureTime{500};

// Shows the picture, paints it at once, keeps it up for `time` and closes it. Returns the time
// it waited.
std::chrono::nanoseconds ShowStartupPicture(std::chrono::milliseconds time = kStartupPictureTime);

}  // namespace toluvek
