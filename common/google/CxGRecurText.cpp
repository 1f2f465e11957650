#include "common/google/CxGRecurText.h"

#include <optional>

#include "common/misc/CxDateTime.h"
#include "platform/text/AsciiCase.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

using platform::EqualsNoCase;

std::string_view LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// The value of the first content line called `name`: what follows the ":"
// that ends its name and parameters (a quoted parameter value may hold a
// ":"), up to the line end. Only a line's beginning starts a name, and the
// event's lines end where a time-zone block begins, so the start lines of
// the block's rules are not taken for the event's.
std::optional<std::string_view> LineValue(std::string_view text, std::string_view name) {
    for (std::size_t start = 0; start < text.size();) {
        const std::string_view line = LineAt(text, start);
        if (platform::StartsWithNoCase(line, "BEGIN:")) break;  // a time-zone block: none of the event's lines
        if (line.size() > name.size() && EqualsNoCase(line.substr(0, name.size()), name) &&
            (line[name.size()] == ':' || line[name.size()] == ';')) {
            bool quoted = false;
            for (std::size_t i = name.size(); i < line.size(); ++i) {
                if (line[i] == '"') quoted = !quoted;
                if (line[i] == ':' && !quoted) return line.substr(i + 1);
            }
            return std::nullopt;
        }
        const std::size_t next = text.find('\n', start);
        if (next == std::string_view::npos) break;
        start = next + 1;
    }
    return std::nullopt;
}

int Digits(std::string_view v, std::size_t at, std::size_t count) {
    int n = 0;
    for (std::size_t i = at; i < at + count; ++i) n = n * 10 + (v[i] - '0');
    return n;
}

bool AllDigits(std::string_view v, std::size_t at, std::size_t count) {
    if (v.size() < at + count) return false;
    for (std::size_t i = at; i < at + count; ++i)
        if (!IsDigit(v[i])) return false;
    return true;
}

// "YYYYMMDDThhmmss", or "YYYYMMDDT" for midnight, into `out`; anything
// else, or a day or time that does not exist, leaves it alone.
void ApplyDateTime(std::string_view v, SYSTEMTIME& out) {
    if (!AllDigits(v, 0, 8) || v.size() < 9 || v[8] != 'T') return;
    SYSTEMTIME st{};
    st.wYear = static_cast<unsigned short>(Digits(v, 0, 4));
    st.wMonth = static_cast<unsigned short>(Digits(v, 4, 2));
    st.wDay = static_cast<unsigned short>(Digits(v, 6, 2));
    if (v.size() > 9 && IsDigit(v[9])) {
        if (!AllDigits(v, 9, 6)) return;
        st.wHour = static_cast<unsigned short>(Digits(v, 9, 2));
        st.wMinute = static_cast<unsigned short>(Digits(v, 11, 2));
        st.wSecond = static_cast<unsigned short>(Digits(v, 13, 2));
    }
    if (st.wYear < 100 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59)
        return;
    DATE date = 0.0;
    SYSTEMTIME result{};
    if (!platform::SystemTimeToVariantTime(st, date) || !platform::VariantTimeToSystemTime(date, result)) return;
    out = result;
}

// Up to nine leading digits; a value of ten or more digits, or one that
// does not start with a digit, gives nothing.
std::optional<int> Number(std::string_view v) {
    std::size_t n = 0;
    while (n < v.size() && IsDigit(v[n])) ++n;
    if (n == 0 || n > 9) return std::nullopt;
    return Digits(v, 0, n);
}

struct RuleParts {
    std::optional<std::string_view> freq, interval, byMonthDay, byWeekNo, byMonth, byDay;
};

RuleParts SplitRule(std::string_view rule) {
    RuleParts parts;
    for (std::size_t start = 0; start <= rule.size();) {
        std::size_t end = rule.find(';', start);
        if (end == std::string_view::npos) end = rule.size();
        const std::string_view part = rule.substr(start, end - start);
        const std::size_t eq = part.find('=');
        if (eq != std::string_view::npos) {
            const std::string_view name = part.substr(0, eq);
            const std::string_view value = part.substr(eq + 1);
            auto set = [&](const char* key, std::optional<std::string_view>& field) {
                if (!field && EqualsNoCase(name, key)) field = value;
            };
            set("FREQ", parts.freq);
            set("INTERVAL", parts.interval);
            set("BYMONTHDAY", parts.byMonthDay);
            set("BYWEEKNO", parts.byWeekNo);
            set("BYMONTH", parts.byMonth);
            set("BYDAY", parts.byDay);
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

void CxGApplyRecurrenceText(std::string_view text, CommDateRec& rec) {
    if (text.empty()) {
        rec.Repeat.Type = CommRepeatNone;
        return;
    }
    if (auto v = LineValue(text, "DTSTART")) ApplyDateTime(*v, rec.Start);
    if (auto v = LineValue(text, "DTEND")) ApplyDateTime(*v, rec.End);
    const auto rule = LineValue(text, "RRULE");
    if (!rule) {
        rec.Repeat.Type = CommRepeatNone;
        return;
    }
    const RuleParts parts = SplitRule(*rule);
    if (!parts.freq) return;
    auto setInterval = [&] {
        if (!parts.interval) return;
        if (auto n = Number(*parts.interval)) rec.Repeat.Interval = *n;
    };
    const std::string_view freq = *parts.freq;
    if (EqualsNoCase(freq, "DAILY")) {
        rec.Repeat.Type = CommRepeatDaily;
        setInterval();
    } else if (EqualsNoCase(freq, "WEEKLY")) {
        rec.Repeat.Type = CommRepeatWeekly;
    } else if (EqualsNoCase(freq, "MONTHLY")) {
        setInterval();
        if (parts.byMonthDay)
            rec.Repeat.Type = CommRepeatMonthlyByDate;
        else if (parts.byWeekNo)
            rec.Repeat.Type = CommRepeatMonthlyByDay;
    } else if (EqualsNoCase(freq, "YEARLY")) {
        setInterval();
        // "Every second Tuesday of March" names its month too: a rule
        // with weekdays and without a day of the month is on a weekday.
        const bool onWeekday = parts.byDay && !parts.byMonthDay;
        rec.Repeat.Type = parts.byMonth && !onWeekday ? CommRepeatYearlyByDate : CommRepeatYearlyByDay;
    }
}
