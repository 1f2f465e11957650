#pragma once
// Byte builders for files as Windows programs write them.
#include <cstdint>
#include <string>

#include "platform/text/LittleEndianWriter.h"

namespace fwtest {

// A version resource's fixed file information (signature 0xFEEF04BD, 52
// bytes) with the file and product versions given as their high and low
// words (major << 16 | minor, build << 16 | revision).
inline std::string FixedFileInfo(std::uint32_t fileMS, std::uint32_t fileLS, std::uint32_t productMS,
                                 std::uint32_t productLS) {
    std::string b;
    for (std::uint32_t word : {0xFEEF04BDu, 0x00010000u, fileMS, fileLS, productMS, productLS})
        platform::AppendLE32(b, word);
    return b + std::string(28, '\0');
}

inline std::string FixedFileInfo(std::uint32_t ms, std::uint32_t ls) { return FixedFileInfo(ms, ls, ms, ls); }

}  // namespace fwtest
