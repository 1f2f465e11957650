#include "platform/process/Environment.h"

#include <cstdlib>

namespace platform {

bool SetEnvironmentValue(const std::string& name, const std::string& value, bool replace) {
    if (name.empty() || name.find('=') != std::string::npos) return false;
    return ::setenv(name.c_str(), value.c_str(), replace ? 1 : 0) == 0;
}

std::string EnvironmentValue(const std::string& name) {
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace platform
