// Calendar entries from appointment documents: the times moved from their
// zone offsets into local time, whole days for all-day entries, and the
// repeat rule of a series in the form the data file holds.
#include <algorithm>
#include <cmath>

#include "helpers/lotus/DxlRecords.h"
#include "helpers/lotus/DxlRepeat.h"
#include "platform/clock/SystemTime.h"

namespace lotus_helper {

namespace {

// AppointmentType values of the calendar documents.
constexpr const char* kAnniversary = "1";
constexpr const char* kAllDayEvent = "2";
constexpr const char* kReminder = "4";

std::vector<DxlTime> TimesOf(const DxlDocument& doc, std::string_view name) {
    std::vector<DxlTime> out;
    for (const std::string& text : doc.Times(name))
        if (auto t = ParseDxlTime(text); t && t->hasDate) out.push_back(*t);
    return out;
}

struct Span {
    double start = 0.0, end = 0.0;
};

// The local start and end of one occurrence.
std::optional<Span> SpanOf(const DxlTime& start, const DxlTime& end, const std::string& type) {
    Span s;
    if (type == kAnniversary || type == kAllDayEvent) {
        // Whole days: from the midnight of the first day as written to the
        // midnight after the last one.
        const auto first = DxlDayToLocal(start);
        if (!first) return std::nullopt;
        double last = *first;
        if (type == kAllDayEvent)
            if (auto e = DxlDayToLocal(end); e && *e > last) last = *e;
        s.start = *first;
        s.end = last + 1.0;
        return s;
    }
    const auto first = DxlTimeToLocal(start);
    if (!first) return std::nullopt;
    s.start = s.end = *first;
    if (type != kReminder)
        if (auto e = DxlTimeToLocal(end); e && *e > s.start) s.end = *e;
    return s;
}

int DayOfWeek(double date) {
    SYSTEMTIME st{};
    return platform::VariantTimeToSystemTime(std::floor(date), st) ? st.wDayOfWeek : -1;
}

int DayOfMonth(double date) {
    SYSTEMTIME st{};
    return platform::VariantTimeToSystemTime(std::floor(date), st) ? st.wDay : 0;
}

bool IsDecimal(const std::string& s) {
    if (s.empty() || s.size() > 4) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The rule of a series as unit, interval and repeat-on; false when the
// data file cannot hold it (custom dates, several days of the month, a
// weekday of the month other than the start's).
bool RuleOf(const DxlDocument& doc, const DxlTime& firstStart, double localStart, LnEntry& e) {
    const std::string unit = doc.First("RepeatUnit");
    const std::vector<std::string> adjust = doc.List("RepeatAdjust");
    std::string interval = doc.First("RepeatInterval");
    while (interval.size() > 1 && interval[0] == '0') interval.erase(0, 1);
    if (interval.empty() || interval == "0") interval = "1";
    if (!IsDecimal(interval)) return false;
    // A start that falls on another day here than where it was made moves
    // the weekdays and days of the rule: only its dates can say which.
    const auto writtenDay = DxlDayToLocal(firstStart);
    const bool sameDay = writtenDay && *writtenDay == std::floor(localStart);
    if (unit == "D") {
        e.unit = "D";
    } else if (unit == "W") {
        if (!sameDay) return false;
        int mask = 0;
        for (const std::string& a : adjust)
            if (a.size() == 1 && a[0] >= '0' && a[0] <= '6') mask |= 1 << (a[0] - '0');
        if (mask == 0 && DayOfWeek(localStart) >= 0) mask = 1 << DayOfWeek(localStart);
        if (mask == 0) return false;
        e.unit = "W";
        e.repeatOn = std::to_string(mask);
    } else if (unit == "MD") {
        if (!sameDay || adjust.size() > 1) return false;
        const int day = DayOfMonth(localStart);
        if (!adjust.empty() && adjust[0] != std::to_string(day)) return false;
        e.unit = "MD";
        e.repeatOn = std::to_string(day);
    } else if (unit == "MP") {
        if (!sameDay || adjust.size() > 1) return false;
        const int weekday = DayOfWeek(localStart);
        const int week = (DayOfMonth(localStart) - 1) / 7 + 1;
        if (weekday < 0) return false;
        if (!adjust.empty() && adjust[0] != std::to_string(week) + "." + std::to_string(weekday)) return false;
        e.unit = "MP";
        e.repeatOn = std::to_string(1 << weekday);
    } else if (unit == "YD" || unit == "Y") {
        if (!sameDay) return false;
        e.unit = "Y";
    } else {
        return false;
    }
    e.interval = interval;
    e.repeats = "1";
    return true;
}

// Whether the rule gives the days of the instances, no more and no fewer.
bool SameDays(const std::optional<std::vector<int>>& ruleDays, const std::vector<DxlTime>& dates, bool allDay) {
    if (!ruleDays) return false;
    std::vector<int> days;
    for (const DxlTime& d : dates) {
        const auto local = allDay ? DxlDayToLocal(d) : DxlTimeToLocal(d);
        if (!local) return false;
        days.push_back(static_cast<int>(std::floor(*local)));
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days == *ruleDays;
}

// Whether every instance starts at the time of day of the first, as written
// in its own zone (so that a change of daylight-saving time is no change).
bool SameTimes(const std::vector<DxlTime>& dates) {
    for (const DxlTime& d : dates)
        if (d.hour != dates[0].hour || d.minute != dates[0].minute || d.second != dates[0].second) return false;
    return true;
}

}  // namespace

std::vector<LnEntry> EntriesOf(const DxlDocument& doc) {
    LnEntry base;
    base.id = doc.unid;
    base.subject = doc.Text("Subject");
    base.location = doc.Text("Location");
    if (base.location.empty()) base.location = doc.Text("Room");
    base.body = doc.Lines("Body");
    base.resources = doc.Text("Resources");
    base.startZone = doc.First("StartTimeZone");
    base.endZone = doc.First("EndTimeZone");
    base.isPrivate = doc.First("OrgConfidential") == "1";
    const std::string type = doc.First("AppointmentType");
    const bool allDay = type == kAnniversary || type == kAllDayEvent;

    std::vector<DxlTime> starts = TimesOf(doc, "StartDateTime");
    if (starts.empty()) starts = TimesOf(doc, "CalendarDateTime");
    const std::vector<DxlTime> ends = TimesOf(doc, "EndDateTime");
    if (starts.empty()) return {};
    const DxlTime& firstEnd = ends.empty() ? starts[0] : ends[0];
    const auto first = SpanOf(starts[0], firstEnd, type);
    if (!first) return {};
    base.start = base.displayStart = first->start;
    base.end = base.displayEnd = first->end;

    const bool series = doc.First("Repeats") == "1" && doc.First("$REF").empty();
    if (!series) return {base};

    // The instances as they are now (a parent lists every start, moved ones
    // included), else as they were made.
    std::vector<DxlTime> dates = starts.size() > 1 ? starts : TimesOf(doc, "RepeatInstanceDates");
    if (dates.empty()) dates = TimesOf(doc, "CalendarDateTime");
    if (dates.empty()) dates = TimesOf(doc, "RepeatDates");
    // Dates without their time take the time and zone of the first start.
    for (DxlTime& d : dates)
        if (!d.hasTime && starts[0].hasTime) {
            d.hour = starts[0].hour;
            d.minute = starts[0].minute;
            d.second = starts[0].second;
            d.hasTime = true;
            d.hasZone = starts[0].hasZone;
            d.offsetMinutes = starts[0].offsetMinutes;
        }

    LnEntry ruled = base;
    if (RuleOf(doc, starts[0], first->start, ruled)) {
        std::optional<double> last;
        for (const DxlTime& d : dates)
            if (auto local = allDay ? DxlDayToLocal(d) : DxlTimeToLocal(d); local && (!last || *local > *last))
                last = local;
        if (!last) last = LocalDayOf(doc, "RepeatUntil");
        if (last) ruled.until = std::floor(*last);
        if (dates.size() < 2 ||
            (SameDays(RuleDays(ruled, dates.size()), dates, allDay) && (allDay || SameTimes(dates))))
            return {ruled};
    }
    // Dates without a rule the data file holds, or that their rule would
    // not give: one entry for each, each as long as the first.
    if (dates.size() < 2) return {base};
    std::vector<LnEntry> out;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const DxlTime& d = dates[i];
        const DxlTime& end = i < ends.size() && ends.size() == dates.size() ? ends[i] : d;
        LnEntry e = base;
        e.id = base.id + "-" + std::to_string(i + 1);
        if (auto span = SpanOf(d, end, type)) {
            e.start = e.displayStart = span->start;
            e.end = e.displayEnd = ends.size() == dates.size() ? span->end : span->start + (first->end - first->start);
            out.push_back(std::move(e));
        }
    }
    return out;
}

}  // namespace lotus_helper
