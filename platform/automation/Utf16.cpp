#include "platform/automation/Utf16.h"

#include <algorithm>

#include "platform/text/Utf8.h"

namespace platform {

std::u16string Utf8ToUtf16(std::string_view text, std::size_t maxUnits) {
    std::u16string out;
    out.reserve(text.size() < maxUnits ? text.size() : maxUnits);
    std::size_t i = 0;
    while (i < text.size()) {
        // A run of ASCII, the most of most texts, in one step.
        std::size_t run = i;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80) ++run;
        if (run > i) {
            const std::size_t n = std::min(run - i, maxUnits - out.size());
            const std::size_t at = out.size();
            out.resize(at + n);
            for (std::size_t k = 0; k < n; ++k) out[at + k] = static_cast<char16_t>(text[i + k]);
            i += n;
            if (i < run) break;  // no room left
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
            std::size_t run = i + 1;
            while (run < text.size() && text[run] < 0x80) ++run;
            const std::size_t at = out.size();
            out.resize(at + (run - i));
            for (std::size_t k = i; k < run; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
            i = run - 1;
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
