#include "common/palm/PmConvert.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "common/misc/CxDateTime.h"
#include "common/palm/PmDesktop.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteSubject.h"
#include "platform/clock/Clock.h"
#include "platform/text/TextCopy.h"

bool PmDateToSystemTime(std::int32_t seconds, SYSTEMTIME& out) {
    out = SYSTEMTIME{};
    if (!TimeTToSystemTime(static_cast<std::time_t>(seconds), out)) {
        out = SYSTEMTIME{};
        return false;
    }
    out.wMilliseconds = 0;
    return true;
}

namespace {

constexpr std::int32_t kSecondsPerDay = 24 * 60 * 60;

// The UTC calendar date of a day count since 1970-01-01 (proleptic
// Gregorian calendar).
void CivilFromDays(std::int64_t days, std::tm& tm) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    tm.tm_year = static_cast<int>(year - 1900);
    tm.tm_mon = static_cast<int>(month - 1);
    tm.tm_mday = static_cast<int>(day);
}

// The calendar day a Palm date value stands for: a value on a UTC midnight
// was written as a date alone (time 00:00:00); any other value is an
// instant whose local date and time are meant.
bool PalmDay(std::int32_t seconds, SYSTEMTIME& day) {
    day = SYSTEMTIME{};
    if (PmIsNoDate(seconds)) return false;
    std::tm tm{};
    if (seconds % kSecondsPerDay == 0)
        CivilFromDays(seconds / kSecondsPerDay, tm);
    else if (!platform::ToLocalTm(seconds, tm))
        return false;
    day.wYear = static_cast<std::uint16_t>(tm.tm_year + 1900);
    day.wMonth = static_cast<std::uint16_t>(tm.tm_mon + 1);
    day.wDay = static_cast<std::uint16_t>(tm.tm_mday);
    // The day of the week comes with the date through the date value.
    SYSTEMTIME date = day;
    if (!AddDays(date, 0)) return false;
    day.wDayOfWeek = date.wDayOfWeek;
    day.wHour = static_cast<std::uint16_t>(tm.tm_hour);
    day.wMinute = static_cast<std::uint16_t>(tm.tm_min);
    day.wSecond = static_cast<std::uint16_t>(tm.tm_sec);
    return true;
}

}  // namespace

std::time_t PmDayToLocalMidnight(std::int32_t seconds) {
    SYSTEMTIME day{};
    if (!PalmDay(seconds, day)) return static_cast<std::time_t>(-1);
    day.wHour = day.wMinute = day.wSecond = 0;
    return SystemTimeToTimeT(day);
}

bool PmDayToSystemTime(std::int32_t seconds, SYSTEMTIME& out) {
    if (PalmDay(seconds, out)) return true;
    out = SYSTEMTIME{};
    return false;
}

void PmConvertRepeat(const PmRepeatInfo& in, int generation, CommRepeatInfo& out) {
    out = CommRepeatInfo{};
    switch (in.RepeatKind) {
    case 1:
        // Every interval days; the day index of a daily rule names no weekday.
        out.Type = CommRepeatDaily;
        out.Interval = in.Interval;
        break;
    case 2:
        out.Type = CommRepeatWeekly;
        out.Interval = in.Interval;
        out.DayOfWeekMask = in.DayMask & 0x7F;
        out.Instance = 1;
        break;
    case 3:
        out.Type = CommRepeatMonthlyByDay;
        out.Interval = in.Interval;
        if (generation == kPmGenEx2)
            out.DayOfWeekMask = in.DayMask & 0x7F;
        else if (in.DayIndex >= 0 && in.DayIndex <= 6)
            out.DayOfWeekMask = 1 << in.DayIndex;
        if (in.WeekIndex >= 0 && in.WeekIndex <= 4) out.Instance = in.WeekIndex + 1;
        break;
    case 4:
        out.Type = CommRepeatMonthlyByDate;
        out.Interval = in.Interval;
        out.DayOfMonth = in.DayNumber;
        break;
    case 5:
        out.Type = CommRepeatYearlyByDate;
        out.Interval = in.Interval;
        out.DayOfMonth = in.DayNumber;
        out.MonthOfYear = in.MonthIndex + 1;
        break;
    default:
        // 0 (no repeat), 6 (yearly by day, stored without its members) and
        // unknown kinds repeat nothing.
        return;
    }
    // A rule without an end date (0, or a date before 1970) never ends; an
    // end in the far future is Palm's "no end".
    SYSTEMTIME end{};
    if (in.EndDate > 0 && PmDateToSystemTime(in.EndDate, end)) {
        out.EndDate = end;
        out.HasEnd = end.wYear <= kPmLastEndYear ? 1 : 0;
    }
}

std::int32_t PmReminderUnit(std::int32_t palmUnit) {
    switch (palmUnit) {
    case 1: return CommUnitHours;
    case 2: return CommUnitDays;
    default: return CommUnitMinutes;
    }
}

std::int32_t PmTaskPriority(std::int32_t palmPriority) {
    if (palmPriority == 1) return CommPriorityHigh;
    if (palmPriority == 5) return CommPriorityLow;
    return CommPriorityNormal;
}

DATE PmPackedDateToOle(std::uint32_t packed) {
    if (packed == 0) return 0.0;
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(packed >> 16);
    st.wMonth = static_cast<std::uint16_t>((packed >> 8) & 0xFFu);
    st.wDay = static_cast<std::uint16_t>(packed & 0xFFu);
    DATE date = 0.0;
    return platform::SystemTimeToVariantTime(st, date) ? date : 0.0;
}

DATE PmPackedDateToOle(double packed) {
    if (!std::isfinite(packed) || packed < 1.0 || packed > 4294967295.0) return 0.0;
    return PmPackedDateToOle(static_cast<std::uint32_t>(packed));
}

void PmMemoSubject(const char* text, char* subject, std::size_t capacity) { CommNoteSubject(text, subject, capacity); }

const char* PmCategoryOf(std::int32_t id, const char* name) {
    if (id == 0 || name == nullptr || name[0] == '\0') return nullptr;
    char number[16];
    std::snprintf(number, sizeof number, "%d", static_cast<int>(id));
    return std::strcmp(number, name) == 0 ? nullptr : name;
}
