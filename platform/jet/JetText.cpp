#include "platform/jet/JetText.h"

#include "platform/text/Utf8.h"

#include <vector>

namespace platform::jet {

namespace {

std::string Utf16ToUtf8(const std::vector<char16_t>& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u - 0xD800) << 10) | (units[i + 1] - 0xDC00)));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace

std::string DecodeJetText(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> units;
    if (data == nullptr) return {};
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        units.reserve(size - 2);
        bool compressed = true;
        std::size_t i = 2;
        while (i < size) {
            if (data[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                units.push_back(data[i]);
                ++i;
            } else if (i + 1 < size) {
                units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        units.reserve(size / 2);
        for (std::size_t i = 0; i + 1 < size; i += 2)
            units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return Utf16ToUtf8(units);
}

}  // namespace platform::jet
