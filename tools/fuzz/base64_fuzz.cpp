// Base64: decode anything; whatever is encoded decodes back to itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/misc/Base64.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string decoded;
    Base64Decode(input, decoded);
    std::string again;
    const bool ok = Base64Decode(Base64Encode(input), again);
    if (ok != !input.empty() || again != input) __builtin_trap();
    return 0;
}
