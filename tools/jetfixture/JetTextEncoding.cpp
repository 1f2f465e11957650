#include "tools/jetfixture/JetTextEncoding.h"

#include "platform/text/LittleEndianWriter.h"

namespace jetfixture {

bool Utf8ToUtf16(std::string_view text, std::u16string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (lead < 0x80) {
            cp = lead;
            len = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            len = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            len = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            len = 4;
        } else {
            return false;
        }
        if (i + len > text.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return true;
}

std::vector<std::uint8_t> EncodeJetText(std::u16string_view text, bool compress) {
    std::vector<std::uint8_t> plain;
    plain.reserve(text.size() * 2);
    bool compressible = compress;
    for (char16_t u : text) {
        platform::AppendLE16(plain, u);
        if ((u & 0xFF) == 0) compressible = false;
    }
    if (!compressible || text.empty()) return plain;

    std::vector<std::uint8_t> packed{0xFF, 0xFE};
    bool oneByte = true;
    for (char16_t u : text) {
        const bool fits = u < 0x100;
        if (fits != oneByte) {
            packed.push_back(0x00);
            oneByte = fits;
        }
        packed.push_back(static_cast<std::uint8_t>(u & 0xFF));
        if (!oneByte) packed.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return packed.size() < plain.size() ? packed : plain;
}

}  // namespace jetfixture
