#include "common/palm/PmRepeatText.h"

#include <cstring>
#include <ctime>
#include <limits>
#include <string_view>

#include "platform/clock/Clock.h"

namespace {

constexpr std::size_t kNumberLimit = 9;
constexpr std::size_t kEndLimit = 31;

struct Number {
    std::int32_t value = 0;
    bool fromEnd = false;  // written as "1-": counted from the end
};

// The number at `pos`: the run up to the next blank or "+", at most nine
// characters, read as a decimal integer (its leading digits, with a sign).
Number ReadNumber(std::string_view text, std::size_t pos) {
    Number n;
    if (pos >= text.size()) return n;
    std::size_t end = pos;
    while (end < text.size() && end - pos < kNumberLimit && text[end] != ' ' && text[end] != '+') ++end;
    const std::string_view run = text.substr(pos, end - pos);
    std::size_t i = 0;
    bool negative = false;
    if (i < run.size() && (run[i] == '-' || run[i] == '+')) negative = run[i++] == '-';
    const std::size_t digits = i;
    std::int32_t value = 0;
    for (; i < run.size() && run[i] >= '0' && run[i] <= '9'; ++i) value = value * 10 + (run[i] - '0');
    n.value = negative ? -value : value;
    n.fromEnd = i > digits && i < run.size() && run[i] == '-';
    return n;
}

// The number after the first blank; 0 when the text has none.
Number NumberAfterFirstBlank(std::string_view text) {
    const std::size_t blank = text.find(' ');
    return blank == std::string_view::npos ? Number{} : ReadNumber(text, blank + 1);
}

// Bit 0 Sunday to bit 6 Saturday, for each weekday named as a word of the
// text.
std::uint8_t DayMask(std::string_view text) {
    static const char* const kDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    std::uint8_t mask = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(pos, end - pos);
        for (int day = 0; day < 7; ++day)
            if (word == kDays[day]) mask = static_cast<std::uint8_t>(mask | (1u << day));
        pos = end + 1;
    }
    return mask;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int Digits(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Local midnight of the day "yyyymmdd" that begins the end text (it may go
// on with "T" and a time); the no-end date when the text is "#0", missing,
// or no valid date in the range of the member.
std::int32_t EndDate(std::string_view text) {
    const std::size_t blank = text.rfind(' ');
    if (blank == std::string_view::npos) return kPmRepeatNoEnd;
    std::string_view end = text.substr(blank + 1);
    if (end == "#0") return kPmRepeatNoEnd;
    end = end.substr(0, kEndLimit);
    end = end.substr(0, end.find('T'));
    const int year = Digits(end, 0, 4);
    const int month = Digits(end, 4, 2);
    const int day = Digits(end, 6, 2);
    static const int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) return kPmRepeatNoEnd;
    if (day > kDaysInMonth[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0)) return kPmRepeatNoEnd;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1) || t < std::numeric_limits<std::int32_t>::min() ||
        t > std::numeric_limits<std::int32_t>::max())
        return kPmRepeatNoEnd;
    return static_cast<std::int32_t>(t);
}

}  // namespace

void PmParseRepeatText(const char* text, PmRepeatInfo& repeat, PmRepeatForm form, std::int32_t startTime) {
    std::memset(&repeat, 0, sizeof repeat);
    if (text == nullptr) return;
    const std::string_view rule(text);
    if (rule.empty()) return;

    if (rule.starts_with("MP")) {
        repeat.RepeatKind = 3;
        repeat.Interval = ReadNumber(rule, 2).value;
        const Number week = NumberAfterFirstBlank(rule);
        // "1-" is the last week of the month, which Palm counts as week 4.
        repeat.WeekIndex = week.fromEnd && week.value == 1 ? 4 : week.value - 1;
        repeat.DayMask = DayMask(rule);
    } else if (rule.starts_with("MD")) {
        repeat.RepeatKind = 4;
        repeat.Interval = ReadNumber(rule, 2).value;
        repeat.DayNumber = NumberAfterFirstBlank(rule).value;
    } else if (rule[0] == 'D') {
        repeat.RepeatKind = 1;
        repeat.Interval = ReadNumber(rule, 1).value;
    } else if (rule[0] == 'W') {
        repeat.RepeatKind = 2;
        repeat.Interval = ReadNumber(rule, 1).value;
        repeat.DayMask = DayMask(rule);
    } else if (rule[0] == 'Y' && form == PmRepeatForm::Calendar) {
        repeat.RepeatKind = 5;
        repeat.Interval = ReadNumber(rule, 2).value;
        std::tm start{};
        const bool haveStart = platform::ToLocalTm(static_cast<std::time_t>(startTime), start);
        const std::int32_t month = NumberAfterFirstBlank(rule).value;
        // A month the text does not give is the start's month.
        repeat.MonthIndex = month >= 1 && month <= 12 ? month - 1 : (haveStart ? start.tm_mon : 0);
        repeat.DayNumber = haveStart ? start.tm_mday : 0;
    } else {
        return;
    }
    repeat.EndDate = EndDate(rule);
}
