#pragma once
// Wine registry files as tests write them: texts with their backslashes
// doubled, one key with one string value per block, and the local machine's
// and the current user's file of a prefix.
#include <string>

#include "tests/support/TempDir.h"

namespace fwtest {

inline std::string RegistryEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

inline std::string RegistryKey(const std::string& key, const std::string& value, const std::string& data) {
    return "[" + RegistryEscape(key) + "] 1\n\"" + value + "\"=\"" + RegistryEscape(data) + "\"\n\n";
}

// "<prefix>system.reg" and "<prefix>user.reg" (the prefix ends with a separator).
inline void WriteWineRegistry(const std::string& prefix, const std::string& machine, const std::string& user) {
    WriteFile(prefix + "system.reg", "WINE REGISTRY Version 2\n\n" + machine);
    WriteFile(prefix + "user.reg", "WINE REGISTRY Version 2\n\n" + user);
}

}  // namespace fwtest
