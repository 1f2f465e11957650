// File version resources: walk any bytes as a PE file or scan them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/version/FileVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::FixedFileVersion v;
    platform::ParseFileVersion(std::string(reinterpret_cast<const char*>(data), size), v);
    return 0;
}
