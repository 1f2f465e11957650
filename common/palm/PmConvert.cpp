#include "common/palm/PmConvert.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "common/misc/CxDateTime.h"
#include "common/palm/PmDesktop.h"
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
    if (palmPriority == 1) return 1;
    if (palmPriority == 5) return 2;
    return 0;
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

void PmMemoSubject(const char* text, char* subject, std::size_t capacity) {
    if (text == nullptr) {
        platform::CopyText(subject, capacity, "");
        return;
    }
    const std::size_t line = std::strcspn(text, "\r\n");
    platform::CopyText(subject, capacity, std::string_view(text, line));
}
