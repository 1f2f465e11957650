#include "platform/automation/Utf16.h"

#include "platform/text/Utf8.h"

namespace platform {

std::u16string Utf8ToUtf16(std::string_view text, std::size_t maxUnits) {
    std::u16string out;
    out.reserve(text.size() < maxUnits ? text.size() : maxUnits);
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {  // ASCII, the most of most texts
            if (out.size() + 1 > maxUnits) break;
            out += static_cast<char16_t>(text[i++]);
            continue;
        }
        const char32_t cp = DecodeUtf8(text, i);
        if (cp >= 0x10000) {
            if (out.size() + 2 > maxUnits) break;
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            if (out.size() + 1 > maxUnits) break;
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace platform
