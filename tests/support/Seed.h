#pragma once
// The seed of a randomised test: $FW_SEED when set, else the fallback. The
// test prints it, so that a failing run can be repeated.
#include <cstdlib>

namespace fwtest {

inline unsigned SeedFromEnvironment(unsigned fallback) {
    const char* text = std::getenv("FW_SEED");
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

}  // namespace fwtest
