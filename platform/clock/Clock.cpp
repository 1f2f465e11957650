#include "platform/clock/Clock.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

namespace platform {

LocalTime LocalNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    LocalTime lt;
    if (!ToLocalTm(t, tm)) return lt;
    lt.year = tm.tm_year + 1900;
    lt.month = tm.tm_mon + 1;
    lt.day = tm.tm_mday;
    lt.dayOfWeek = tm.tm_wday;
    lt.hour = tm.tm_hour;
    lt.minute = tm.tm_min;
    lt.second = tm.tm_sec;
    lt.millisecond = static_cast<int>(ms);
    return lt;
}

std::uint32_t CurrentThreadId() { return static_cast<std::uint32_t>(::syscall(SYS_gettid)); }

bool ToLocalTm(std::time_t t, std::tm& out) { return ::localtime_r(&t, &out) != nullptr; }

}  // namespace platform
