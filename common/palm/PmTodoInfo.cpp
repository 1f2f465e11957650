#include "common/palm/PmTodoInfo.h"

#include "common/palm/PmConvert.h"
#include "common/records/CommKinds.h"

const PmInfoLines PmTodoTraits::kLines = {
    CommKindTask,
    "Load Palm Desktop Tasks by user: %d",
    "Unknown Palm Desktop version.",
    "Failed to load Palm Desktop Tasks database by User: %d",
    true,
    false,
    "Load Palm Desktop Tasks by file: %s",
    "Failed to load Palm Desktop Tasks file (%s)",
    false,
    "Tasks",
    "Task",
    "Failed to check Palm Desktop Tasks file type: (%s)",
};

namespace {

template <class Rec>
void CopyCommon(const Rec& r, CommTaskRec& rec) {
    const PmTextCopier copy(CommKindTask, r.RecordID);
    copy(rec.Subject, r.Description, "Description");
    copy(rec.Note, r.Note, "Note");
    // The earlier format looks no category name up; its member stays empty.
    if (const char* category = PmCategoryOf(r.CategoryID, r.CategoryName)) copy(rec.Category, category, "Category");
    rec.Completed = r.Completed != 0 ? 1 : 0;
    rec.Private = r.Private != 0 ? 1 : 0;
    // A due date is a day; Palm's "no date" is no due date.
    const std::time_t due = PmDayToLocalMidnight(r.DueDate);
    rec.DueDate = due == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int32_t>(due);
    rec.Priority = PmTaskPriority(r.Priority);
    rec.Status = r.Status;
    rec.IdNumber = r.RecordID;
}

}  // namespace

void PmConvertTask(const PmTodoEntry& entry, CommTaskRec& rec) {
    switch (entry.Generation) {
    case kPmGenEarly:
        CopyCommon(entry.Record.Early, rec);
        rec.SourceType = CommSourcePalm;
        break;
    case kPmGenEx:
        CopyCommon(entry.Record.Ex, rec);
        rec.Alarm = rec.ReminderSet = entry.Record.Ex.AlarmSet != 0 ? 1 : 0;
        PmConvertRepeat(entry.Record.Ex.Repeat, kPmGenEx, rec.Repeat);
        rec.SourceType = CommSourcePalm412;
        break;
    case kPmGenEx2:
        CopyCommon(entry.Record.Ex2, rec);
        rec.Alarm = rec.ReminderSet = entry.Record.Ex2.AlarmSet != 0 ? 1 : 0;
        PmConvertRepeat(entry.Record.Ex2.Repeat, kPmGenEx2, rec.Repeat);
        rec.SourceType = CommSourcePalm6;
        break;
    default: return;
    }
    rec.IsRecurring = rec.Repeat.Type != CommRepeatNone ? 1 : 0;
    if (rec.Private) rec.Sensitivity = 2;
}
