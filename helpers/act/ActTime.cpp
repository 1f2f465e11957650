#include "helpers/act/ActTime.h"

#include <ctime>

#include "common/misc/CxDateTime.h"
#include "platform/clock/SystemTime.h"

namespace act {

namespace {

struct Parsed {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    long offsetSeconds = 0;  // east of UTC
};

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& out) {
    if (at + count > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

// "YYYY-MM-DD", optionally "THH:MM[:SS[.fff]]" and "Z" or "+HH:MM"/"-HHMM".
bool Parse(std::string_view text, Parsed& p) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!Digits(text, 0, 4, p.year) || text.size() < 10 || text[4] != '-' || !Digits(text, 5, 2, p.month) ||
        text[7] != '-' || !Digits(text, 8, 2, p.day))
        return false;
    std::size_t i = 10;
    if (i < text.size() && (text[i] == 'T' || text[i] == 't' || text[i] == ' ')) {
        if (!Digits(text, i + 1, 2, p.hour) || i + 3 >= text.size() || text[i + 3] != ':' ||
            !Digits(text, i + 4, 2, p.minute))
            return false;
        i += 6;
        if (i < text.size() && text[i] == ':') {
            if (!Digits(text, i + 1, 2, p.second)) return false;
            i += 3;
            if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
                ++i;
                while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
            }
        }
    }
    if (i < text.size()) {
        if ((text[i] == 'Z' || text[i] == 'z') && i + 1 == text.size()) {
            // UTC
        } else if (text[i] == '+' || text[i] == '-') {
            int hours = 0, minutes = 0;
            if (!Digits(text, i + 1, 2, hours)) return false;
            std::size_t j = i + 3;
            if (j < text.size() && text[j] == ':') ++j;
            if (j < text.size() && !Digits(text, j, 2, minutes)) return false;
            if (j < text.size()) j += 2;
            if (j != text.size() || hours > 23 || minutes > 59) return false;
            p.offsetSeconds = (text[i] == '-' ? -1L : 1L) * (hours * 3600L + minutes * 60L);
        } else {
            return false;
        }
    }
    return p.month >= 1 && p.month <= 12 && p.day >= 1 && p.day <= 31 && p.hour <= 23 && p.minute <= 59 &&
           p.second <= 60;
}

}  // namespace

bool ApiTimeToLocal(std::string_view text, double& out) {
    out = 0;
    Parsed p;
    if (!Parse(text, p) || p.year < 1800) return false;
    const long long seconds =
        platform::DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) * 86400LL +
        p.hour * 3600LL + p.minute * 60LL + p.second - p.offsetSeconds;
    DATE date = 0;
    if (!TimeTToVariantTime(static_cast<std::time_t>(seconds), date)) return false;
    out = date;
    return true;
}

bool ApiDayToDate(std::string_view text, double& out) {
    out = 0;
    Parsed p;
    if (!Parse(text, p) || p.year < 1800) return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(p.year);
    st.wMonth = static_cast<std::uint16_t>(p.month);
    st.wDay = static_cast<std::uint16_t>(p.day);
    DATE date = 0;
    if (!platform::SystemTimeToVariantTime(st, date)) return false;
    out = date;
    return true;
}

}  // namespace act
