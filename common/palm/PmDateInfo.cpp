#include "common/palm/PmDateInfo.h"

#include "common/misc/CxDateTime.h"
#include "common/palm/PmConvert.h"
#include "common/records/CommKinds.h"

const PmInfoLines PmDateTraits::kLines = {
    CommKindDate,
    "Load Palm Desktop Calendar by user: %d",
    "Unknown Palm Desktop version.",
    "Failed to open Palm Desktop Calendar database by User: %d",
    false,
    false,
    nullptr,
    "Failed to load Palm Desktop Calendar data file: %s",
    true,
    "Calendar",
    "Calendar",
    "Failed to check Palm Desktop Calendar file type: (%s)",
};

namespace {

// The members every generation has, under their own names.
struct EventFields {
    std::int32_t id;
    const char* subject;
    const char* note;
    const char* location;  // null when the generation has none
    std::int32_t untimed;
    std::int32_t start;
    std::int32_t end;
    std::int32_t alarm;
    std::int32_t advance;
    std::int32_t unit;
    const PmRepeatInfo* repeat;
    const char* category;  // null when the generation names none
};

EventFields FieldsOf(const PmDateEntry& e) {
    switch (e.Generation) {
    case kPmGenEarly: {
        const PmDateRec& r = e.Record.Early;
        return {r.RecordID,     r.Description,      r.Note,    nullptr, r.Untimed, r.StartDate, r.EndDate, r.AlarmSet,
                r.AlarmAdvance, r.AlarmAdvanceUnit, &r.Repeat, nullptr};
    }
    case kPmGenEx: {
        const PmDateExRec& r = e.Record.Ex;
        return {r.RecordID,     r.Description,      r.Note,    r.Location,
                r.Untimed,      r.StartDate,        r.EndDate, r.AlarmSet,
                r.AlarmAdvance, r.AlarmAdvanceUnit, &r.Repeat, PmCategoryOf(r.CategoryID, r.CategoryName)};
    }
    default: {
        const PmDateEx2Rec& r = e.Record.Ex2;
        return {r.RecordID,     r.Summary,   r.Note,    r.Location,
                r.Untimed,      r.StartTime, r.EndTime, r.Alarm,
                r.AlarmAdvance, r.AlarmUnit, &r.Repeat, PmCategoryOf(r.CategoryID, r.CategoryName)};
    }
    }
}

}  // namespace

void PmConvertEvent(const PmDateEntry& entry, CommDateRec& rec) {
    if (entry.Generation != kPmGenEarly && entry.Generation != kPmGenEx && entry.Generation != kPmGenEx2) return;
    const EventFields f = FieldsOf(entry);
    const PmTextCopier copy(CommKindDate, f.id);
    copy(rec.Subject, f.subject, "Description");
    copy(rec.Note, f.note, "Note");
    if (f.location != nullptr) copy(rec.Location, f.location, "Location");
    if (f.category != nullptr) copy(rec.Category, f.category, "Category");
    rec.AllDay = f.untimed != 0 ? 1 : 0;
    if (rec.AllDay) {
        // An untimed event is a day, whatever time of day its value holds.
        PmDayToSystemTime(f.start, rec.Start);
        PmDayToSystemTime(f.end, rec.End);
        SpanWholeDays(rec.Start, rec.End);
    } else {
        PmDateToSystemTime(f.start, rec.Start);
        PmDateToSystemTime(f.end, rec.End);
    }
    if (f.alarm != 0) {
        rec.Alarm = 1;
        rec.ReminderCount = 1;
        rec.Reminders[0].Amount = f.advance;
        rec.Reminders[0].Unit = PmReminderUnit(f.unit);
    }
    PmConvertRepeat(*f.repeat, entry.Generation, rec.Repeat);
    rec.SourceType = CommSourcePalm;
}
