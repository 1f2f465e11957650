#include "platform/text/TextCopy.h"

#include <cstring>

namespace platform {

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t n = maxBytes;
    // Step back over continuation bytes to the start of the character that
    // the cut falls into; that character is left out when it does not fit.
    std::size_t start = n;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    if (start == n) return n;  // the cut is at a character boundary
    const unsigned char lead = static_cast<unsigned char>(text[start]);
    std::size_t len = 1;
    if ((lead & 0xE0) == 0xC0)
        len = 2;
    else if ((lead & 0xF0) == 0xE0)
        len = 3;
    else if ((lead & 0xF8) == 0xF0)
        len = 4;
    else
        return n;                    // not a lead byte: not UTF-8 here, cut where asked
    if (start + len <= n) return n;  // stray continuation bytes: keep as they are
    return start;
}

std::size_t CopyText(char* dst, std::size_t cap, std::string_view src) {
    if (dst == nullptr || cap == 0) return 0;
    // A text ends at its first NUL, as it would in its fixed-size member.
    const std::size_t nul = src.find('\0');
    if (nul != std::string_view::npos) src = src.substr(0, nul);
    const std::size_t n = Utf8PrefixLength(src, cap - 1);
    if (n > 0) std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
    return n;
}

std::size_t CopyText(char* dst, std::size_t cap, const char* src) {
    return CopyText(dst, cap, src ? std::string_view(src) : std::string_view());
}

}  // namespace platform
