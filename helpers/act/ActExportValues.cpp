#include "helpers/act/ActExportValues.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#include "helpers/pim/CsvReader.h"
#include "platform/clock/SystemTime.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/AsciiSpace.h"
#include "platform/text/Utf8.h"

namespace act {

namespace {

// 0x80 to 0x9F of windows-1252; the five bytes it leaves undefined are
// kept as the C1 controls of the same value.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The numbers of a date text and the separators between them.
struct Pieces {
    std::vector<int> numbers;
    std::string separators;
    bool pm = false, am = false;
};

bool Split(std::string_view text, Pieces& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            long value = 0;
            std::size_t digits = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                if (++digits > 4) return false;
                value = value * 10 + (text[i++] - '0');
            }
            out.numbers.push_back(static_cast<int>(value));
            continue;
        }
        if (c == 'A' || c == 'a' || c == 'P' || c == 'p') {
            const std::string_view rest = text.substr(i);
            if (!platform::EqualsNoCase(rest, "AM") && !platform::EqualsNoCase(rest, "PM") &&
                !platform::EqualsNoCase(rest, "A") && !platform::EqualsNoCase(rest, "P"))
                return false;
            (c == 'A' || c == 'a' ? out.am : out.pm) = true;
            break;
        }
        if (c == '/' || c == '-' || c == '.' || c == ':' || c == ' ' || c == 'T') {
            if (out.separators.size() < out.numbers.size()) out.separators.push_back(c == 'T' ? ' ' : c);
            ++i;
            continue;
        }
        return false;
    }
    return !out.numbers.empty();
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // Eight ASCII bytes at a time: most exports are mostly ASCII.
        std::uint64_t word = 0;
        while (text.size() - i >= 8 && (std::memcpy(&word, text.data() + i, 8), (word & 0x8080808080808080u) == 0))
            i += 8;
        if (i == text.size()) break;
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t at = i;
        if (platform::DecodeUtf8(text, i) == 0xFFFD && text.substr(at, 3) != "\xEF\xBF\xBD") return false;
    }
    return true;
}

std::string ExportTextAsUtf8(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return pim::CsvTextAsUtf8(bytes);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        // Marked as UTF-8: a broken sequence is a broken character.
        bytes.remove_prefix(3);
        if (IsValidUtf8(bytes)) return std::string(bytes);
        std::string out;
        out.reserve(bytes.size());
        for (std::size_t i = 0; i < bytes.size();) platform::AppendUtf8(out, platform::DecodeUtf8(bytes, i));
        return out;
    }
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out.push_back(ch);
        else if (c < 0xA0)
            platform::AppendUtf8(out, kHigh1252[c - 0x80]);
        else
            platform::AppendUtf8(out, c);
    }
    return out;
}

double ParseExportDate(std::string_view text, bool& ok) {
    ok = true;
    text = platform::TrimAsciiSpace(text);
    if (text.empty()) return 0;
    Pieces p;
    ok = false;
    if (!Split(text, p) || p.numbers.size() < 3 || p.numbers.size() > 6) return 0;
    const char sep = p.separators.empty() ? '\0' : p.separators[0];
    int year = 0, month = 0, day = 0;
    if (sep == '-' && p.numbers[0] >= 100) {  // ISO
        year = p.numbers[0];
        month = p.numbers[1];
        day = p.numbers[2];
    } else if (sep == '.') {
        day = p.numbers[0];
        month = p.numbers[1];
        year = p.numbers[2];
    } else if (sep == '/' || sep == '-') {
        month = p.numbers[0];
        day = p.numbers[1];
        year = p.numbers[2];
        if (month > 12 && day <= 12) std::swap(month, day);
    } else {
        return 0;
    }
    if (year < 100) year += year < 30 ? 2000 : 1900;
    int hour = p.numbers.size() > 3 ? p.numbers[3] : 0;
    const int minute = p.numbers.size() > 4 ? p.numbers[4] : 0;
    const int second = p.numbers.size() > 5 ? p.numbers[5] : 0;
    if (p.am || p.pm) {
        if (hour < 1 || hour > 12) return 0;
        hour = hour % 12 + (p.pm ? 12 : 0);
    }
    double out = 0;
    if (!platform::WallClockToVariantTime(year, month, day, hour, minute, second, out)) return 0;
    ok = true;
    return out;
}

bool ParseExportFlag(std::string_view text) {
    text = platform::TrimAsciiSpace(text);
    for (const char* yes : {"yes", "y", "true", "1", "x", "on", "checked", "-1", "private"})
        if (platform::EqualsNoCase(text, yes)) return true;
    return false;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace act
