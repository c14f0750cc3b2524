#pragma once
// Form15, the start-up picture: shown while the program starts, then closed after half a second
// spent in the event loop (the processor stays idle meanwhile, once the work given to do while
// it is up is done).

#include <chrono>
#include <functional>

namespace toluvek {

inline constexpr std::chrono::milliseconds kStartupPictureTime{500};

// Shows the picture and paints it at once, then runs `meanwhile` (the building of the main
// window, so that it is ready the moment the picture goes), keeps the picture up until `time`
// has passed since it was painted and closes it. Work that takes longer than `time` keeps the
// picture up until it ends. Returns how long the picture stood.
std::chrono::nanoseconds ShowStartupPicture(std::chrono::milliseconds time = kStartupPictureTime,
                                            const std::function<void()>& meanwhile = {});

}  // namespace toluvek
