#include "helpers/lotus/DxlItems.h"

#include <ctime>

#include "common/misc/CxDateTime.h"
#include "helpers/lotus/DxlMime.h"
#include "helpers/pim/JoinText.h"
#include "platform/clock/SystemTime.h"
#include "platform/text/AsciiSpace.h"

namespace lotus_helper {

namespace {

// Reads `count` digits at `at`; false when they are not all digits.
bool Digits(std::string_view text, std::size_t& at, std::size_t count, int& out) {
    if (text.size() - at < count) return false;
    int v = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    at += count;
    out = v;
    return true;
}

bool ParseZone(std::string_view z, DxlTime& t) {
    if (z.empty()) return true;
    if (z == "Z" || z == "z") {
        t.hasZone = true;
        return true;
    }
    if (z[0] != '+' && z[0] != '-') return false;
    std::size_t at = 1;
    int hours = 0, minutes = 0;
    if (!Digits(z, at, 2, hours)) return false;
    if (at < z.size() && z[at] == ':') ++at;
    if (at < z.size() && !Digits(z, at, 2, minutes)) return false;
    if (at != z.size() || hours > 14 || minutes > 59) return false;
    t.hasZone = true;
    t.offsetMinutes = (z[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
    return true;
}

std::optional<double> LocalWallClock(int y, int mo, int d, int h, int mi, int s) {
    double out = 0.0;
    if (!platform::WallClockToVariantTime(y, mo, d, h, mi, s, out)) return std::nullopt;
    return out;
}

}  // namespace

std::string DxlLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

const DxlItem* DxlDocument::Find(std::string_view name) const {
    const auto it = items.find(DxlLower(name));
    return it == items.end() ? nullptr : &it->second;
}

std::string DxlDocument::Text(std::string_view name) const {
    const DxlItem* item = Find(name);
    return item ? pim::JoinNonEmpty(item->values, ", ") : std::string();
}

std::string DxlDocument::Lines(std::string_view name) const {
    const DxlItem* item = Find(name);
    if (!item) return {};
    // Line breaks inside a value as the program keeps them: CR LF.
    const std::string joined = item->values.empty() && !item->mimeParts.empty() ? MimePartsText(item->mimeParts)
                                                                                : pim::JoinNonEmpty(item->values, "\n");
    std::string out;
    out.reserve(joined.size() + 8);
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '\r' && i + 1 < joined.size() && joined[i + 1] == '\n') continue;
        if (joined[i] == '\n' || joined[i] == '\r')
            out += "\r\n";
        else
            out += joined[i];
    }
    return out;
}

std::string DxlDocument::First(std::string_view name) const {
    const DxlItem* item = Find(name);
    if (item)
        for (const std::string& v : item->values)
            if (!v.empty()) return v;
    return {};
}

std::vector<std::string> DxlDocument::List(std::string_view name) const {
    const DxlItem* item = Find(name);
    std::vector<std::string> out;
    if (item)
        for (const std::string& v : item->values)
            if (!v.empty()) out.push_back(v);
    return out;
}

std::vector<std::string> DxlDocument::Times(std::string_view name) const {
    const DxlItem* item = Find(name);
    return item ? item->times : std::vector<std::string>();
}

std::optional<DxlTime> ParseDxlTime(std::string_view text) {
    text = platform::TrimAsciiSpace(text);
    DxlTime t;
    std::size_t at = 0;
    if (!text.empty() && text[0] != 'T' && text[0] != 't') {
        if (!Digits(text, at, 4, t.year) || !Digits(text, at, 2, t.month) || !Digits(text, at, 2, t.day))
            return std::nullopt;
        if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
        t.hasDate = true;
    }
    if (at < text.size() && (text[at] == 'T' || text[at] == 't')) {
        ++at;
        if (!Digits(text, at, 2, t.hour) || !Digits(text, at, 2, t.minute)) return std::nullopt;
        if (at < text.size() && text[at] >= '0' && text[at] <= '9' && !Digits(text, at, 2, t.second))
            return std::nullopt;
        if (at < text.size() && (text[at] == ',' || text[at] == '.')) {
            ++at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        }
        if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
        t.hasTime = true;
    }
    if (!t.hasDate && !t.hasTime) return std::nullopt;
    if (!ParseZone(text.substr(at), t)) return std::nullopt;
    return t;
}

std::optional<double> DxlTimeToLocal(const DxlTime& t) {
    if (!t.hasDate) return std::nullopt;
    if (!t.hasTime) return DxlDayToLocal(t);
    if (!t.hasZone) return LocalWallClock(t.year, t.month, t.day, t.hour, t.minute, t.second);
    const std::int64_t seconds =
        platform::DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) * 86400 +
        t.hour * 3600 + t.minute * 60 + t.second - static_cast<std::int64_t>(t.offsetMinutes) * 60;
    double out = 0.0;
    if (!TimeTToVariantTime(static_cast<std::time_t>(seconds), out)) return std::nullopt;
    return out;
}

std::optional<double> DxlDayToLocal(const DxlTime& t) {
    if (!t.hasDate) return std::nullopt;
    return LocalWallClock(t.year, t.month, t.day, 0, 0, 0);
}

std::optional<double> LocalTimeOf(const DxlDocument& doc, std::string_view name) {
    for (const std::string& text : doc.Times(name))
        if (auto t = ParseDxlTime(text)) return DxlTimeToLocal(*t);
    return std::nullopt;
}

std::optional<double> LocalDayOf(const DxlDocument& doc, std::string_view name) {
    for (const std::string& text : doc.Times(name))
        if (auto t = ParseDxlTime(text)) return DxlDayToLocal(*t);
    return std::nullopt;
}

}  // namespace lotus_helper
