// The Palm Desktop calendar, task and memo windows: the fields of the three
// generations of each kind, as one table per kind.
#include <algorithm>
#include <string>

#include "app/wizard/DetailLayouts.h"
#include "app/wizard/DetailSources.h"
#include "app/wizard/PalmDetailTexts.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmRecordEntry.h"

namespace detail {
namespace {

using palm::DateText;
using palm::Text;
using palm::TimeText;

// What an event of any generation holds; what a generation lacks stays
// empty.
struct EventFields {
    std::string description, note, location, category, timeZone, rule;
    std::int32_t start = 0, end = 0;
    bool untimed = false, alarm = false, isPrivate = false;
    std::int32_t advance = 0, unit = 0;
    const PmRepeatInfo* repeat = nullptr;
};

// The fields common to the .dat generations of an event.
template <class Rec>
void DatEvent(const Rec& r, EventFields& f) {
    f.description = Text(r.Description);
    f.note = Text(r.Note);
    f.start = r.StartDate;
    f.end = r.EndDate;
    f.untimed = r.Untimed != 0;
    f.alarm = r.AlarmSet != 0;
    f.advance = r.AlarmAdvance;
    f.unit = r.AlarmAdvanceUnit;
    f.repeat = &r.Repeat;
}

EventFields FieldsOf(const PmDateEntry& e) {
    EventFields f;
    if (e.Generation == kPmGenEarly) {
        DatEvent(e.Record.Early, f);
    } else if (e.Generation == kPmGenEx) {
        const PmDateExRec& r = e.Record.Ex;
        DatEvent(r, f);
        f.location = Text(r.Location);
        f.category = palm::Category(r.CategoryID, r.CategoryName);
    } else if (e.Generation == kPmGenEx2) {
        const PmDateEx2Rec& r = e.Record.Ex2;
        f.description = Text(r.Summary);
        f.note = Text(r.Note);
        f.location = Text(r.Location);
        f.category = palm::Category(r.CategoryID, r.CategoryName);
        f.timeZone = Text(r.TimeZone);
        f.rule = Text(r.RepeatedEvent);
        f.start = r.StartTime;
        f.end = r.EndTime;
        f.untimed = r.Untimed != 0;
        f.alarm = r.Alarm != 0;
        f.isPrivate = r.Private != 0;
        f.advance = r.AlarmAdvance;
        f.unit = r.AlarmUnit;
        f.repeat = &r.Repeat;
    }
    return f;
}

// "15 minutes", "2 hours", "1 days" before the event.
std::string AdvanceText(std::int32_t advance, std::int32_t unit) {
    const char* units[] = {"minutes", "hours", "days"};
    return std::to_string(advance) + " " + units[unit >= 0 && unit <= 2 ? unit : 0];
}

// The Palm repeat rule as the window shows it. Palm Desktop keeps "no end"
// as a date in 2031 or later.
DetailRecurrence RepeatOf(const PmRepeatInfo& in, std::int32_t start, bool untimed) {
    DetailRecurrence out;
    switch (in.RepeatKind) {
    case 1: out.type = RepeatView::Daily; break;
    case 2: out.type = RepeatView::Weekly; break;
    case 3: out.type = RepeatView::Monthly, out.monthlyByDate = false; break;
    case 4: out.type = RepeatView::Monthly; break;
    case 5:
    case 6: out.type = RepeatView::Yearly; break;
    default: return out;
    }
    out.interval = in.Interval;
    out.dayMask = in.DayMask & 0x7F;
    out.start = palm::DateValue(start, untimed);
    SYSTEMTIME end;
    if (in.EndDate > 0 && PmDateToSystemTime(in.EndDate, end) && end.wYear <= kPmLastEndYear)
        out.end = CxDateTime(end).GetVariantTime();
    return out;
}

}  // namespace

DetailView DescribePDDate(const void* native, AppAdapter&) {
    DetailView view = CalendarLayout("Palm Desktop Calendar Record Details",
                                     "View detail information of the Palm Desktop Calendar record.");
    if (native == nullptr) return view;
    const EventFields f = FieldsOf(*static_cast<const PmDateEntry*>(native));
    SetText(view, "edtDescription", f.description);
    SetText(view, "edtDate", DateText(f.start, f.untimed));
    // An untimed event is a whole day: it has no times to show.
    SetText(view, "edtStartTime", f.untimed ? std::string() : TimeText(f.start));
    SetText(view, "edtEndTime", f.untimed ? std::string() : TimeText(f.end));
    SetText(view, "edtLocation", f.location);
    SetText(view, "edtCategory", f.category);
    SetText(view, "memNotes", f.note);
    SetCheck(view, "cbAlarm", f.alarm);
    SetCheck(view, "cbPrivate", f.isPrivate);
    SetCheck(view, "cbAllDay", f.untimed);
    SetRepeat(view, f.repeat != nullptr ? RepeatOf(*f.repeat, f.start, f.untimed) : DetailRecurrence{});
    AddRow(view, "lvMisc", "Alarm Advance", f.alarm ? AdvanceText(f.advance, f.unit) : std::string());
    AddRow(view, "lvMisc", "End Date", f.untimed ? DateText(f.end) : std::string());
    AddRow(view, "lvMisc", "Time Zone", f.timeZone);
    AddRow(view, "lvMisc", "Repeated Event", f.rule);
    return view;
}

namespace {

// What a to-do of any generation holds.
struct TodoFields {
    std::string description, note, category;
    std::int32_t due = 0, completeDate = 0, priority = 0;
    bool completed = false, isPrivate = false;
};

template <class Rec>
TodoFields TodoOf(const Rec& r) {
    TodoFields f;
    f.description = Text(r.Description);
    f.note = Text(r.Note);
    f.category = palm::Category(r.CategoryID, r.CategoryName);
    f.due = r.DueDate;
    f.priority = r.Priority;
    f.completed = r.Completed != 0;
    f.isPrivate = r.Private != 0;
    if constexpr (requires { r.CompleteDate; }) f.completeDate = r.CompleteDate;
    return f;
}

TodoFields FieldsOf(const PmTodoEntry& e) {
    switch (e.Generation) {
    case kPmGenEarly: return TodoOf(e.Record.Early);
    case kPmGenEx: return TodoOf(e.Record.Ex);
    case kPmGenEx2: return TodoOf(e.Record.Ex2);
    default: return {};
    }
}

}  // namespace

DetailView DescribePDTask(const void* native, AppAdapter&) {
    DetailView view =
        TaskLayout("Palm Desktop Task Record Details", "View detail information of the Palm Desktop Task record.");
    if (native == nullptr) return view;
    const TodoFields f = FieldsOf(*static_cast<const PmTodoEntry*>(native));
    SetText(view, "edtDescription", f.description);
    // Palm priorities run from 1 (highest) to 5.
    SetText(view, "edtPriority", std::to_string(f.priority));
    SetText(view, "edtDueDate", DateText(f.due));
    SetText(view, "edtCategory", f.category);
    SetText(view, "memNotes", f.note);
    SetCheck(view, "cbCompleted", f.completed);
    SetCheck(view, "cbPrivate", f.isPrivate);
    AddRow(view, "lvMisc", "Complete Date", DateText(f.completeDate));
    return view;
}

DetailView DescribePDNote(const void* native, AppAdapter&) {
    DetailView view =
        NoteLayout("Palm Desktop Memo Record Details", "View detail information of the Palm Desktop Memo record.");
    if (native == nullptr) return view;
    const auto& e = *static_cast<const PmMemoEntry*>(native);
    std::string text, category;
    bool isPrivate = false;
    if (e.Generation == kPmGenEarly) {
        text = Text(e.Record.Early.Text);
        isPrivate = e.Record.Early.Private != 0;
    } else if (e.Generation == kPmGenEx) {
        text = Text(e.Record.Ex.Text);
        isPrivate = e.Record.Ex.Private != 0;
        category = palm::Category(e.Record.Ex.CategoryID, e.Record.Ex.CategoryName);
    } else if (e.Generation == kPmGenEx2) {
        const PmMemoEx2Rec& r = e.Record.Ex2;
        text.assign(r.Note, static_cast<std::size_t>(std::clamp<std::int32_t>(r.NoteLength, 0, sizeof r.Note)));
        text = std::string(text.c_str());  // up to the terminator, should the length say more
        isPrivate = r.Private != 0;
        category = palm::Category(r.CategoryID, r.CategoryName);
    }
    SetText(view, "memNotes", text);
    AddRow(view, "lvMisc", "Private", YesNo(isPrivate));
    AddRow(view, "lvMisc", "Category", category);
    return view;
}

}  // namespace detail
