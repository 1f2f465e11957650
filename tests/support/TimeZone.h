#pragma once
// Runs a test under another local time zone and restores the one before.
// POSIX zone texts work without the zone database.
#include <ctime>
#include <memory>
#include <string>

#include "tests/support/TempDir.h"

namespace fwtest {

// Zones whose local times differ from UTC in both directions, one with
// daylight-saving time.
inline constexpr const char* kUtcZone = "UTC0";
inline constexpr const char* kNewYorkZone = "EST5EDT,M3.2.0,M11.1.0";
inline constexpr const char* kTokyoZone = "JST-9";

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) : m_env(std::make_unique<ScopedEnv>("TZ", zone)) { ::tzset(); }
    ~ScopedTimeZone() {
        m_env.reset();
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::unique_ptr<ScopedEnv> m_env;
};

}  // namespace fwtest
