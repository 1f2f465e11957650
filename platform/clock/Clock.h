#pragma once
// Local time and thread identity, as the debug log and the date utility
// need them.
#include <cstdint>
#include <ctime>

namespace platform {

struct LocalTime {
    int year = 0, month = 0, day = 0, dayOfWeek = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The current local date and time.
LocalTime LocalNow();

// The identifier of the calling thread (the kernel's thread id).
std::uint32_t CurrentThreadId();

// Thread-safe local-time conversion; false when the value cannot be
// converted.
bool ToLocalTm(std::time_t t, std::tm& out);

}  // namespace platform
