// Palm Desktop's USERS.DAT: parse any bytes; every user found has a folder
// name that stays below the data root.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/palm/PalmUserLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<platform::PalmUser> users;
    platform::ParseUsersDat(bytes, users);
    for (const auto& u : users) {
        if (u.directory.empty() || u.directory == ".." || u.directory.find('/') != std::string::npos) __builtin_trap();
    }
    return 0;
}
