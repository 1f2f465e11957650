#include "common/palm/PmTodoEx2Util.h"

#include <iterator>
#include <type_traits>

#include "common/palm/PmRepeatText.h"
#include "common/palm/PmValueCuts.h"
#include "common/records/CommKinds.h"

namespace {

#define COL(name, read, member) PM_COLUMN(PmTodoEx2Rec, name, read, member)

const PmColumn kColumns[] = {
    COL("Record ID", Long, RecordID),
    COL("Status", Long, Status),
    COL("Placement", Long, Placement),
    COL("Private", Bool, Private),
    COL("Category", Long, CategoryID),
    COL("Note", Text, Note),
    COL("Description", Text, Description),
    COL("Due Date", Long, DueDate),
    COL("Completed", Bool, Completed),
    COL("Priority", Long, Priority),
    COL("Repeat On Complete Date", Bool, RepeatOnCompleteDate),
    COL("Complete Date", Long, CompleteDate),
    COL("Alarm Set", Bool, AlarmSet),
    COL("Alarm Time", Long, AlarmTime),
    COL("Alarm Advance", Long, AlarmAdvance),
    COL("Repeat Start Date", Long, RepeatStartDate),
    COL("Repeat Info", Text, RepeatInfo),
};
#undef COL
static_assert(std::size(kColumns) == 17);

static_assert(std::is_trivially_copyable_v<PmTodoEx2Rec>);

}  // namespace

const PmEx2Kind PmTodoEx2Util::kKind = {
    3,
    "Task",
    "Loading Palm Desktop Tasks: %s",
    "Open Palm Desktop Tasks database failed: %s",
    "Invalid Palm Desktop Task database file name.",
    kColumns,
    std::size(kColumns),
};

PmTodoEx2Util::PmTodoEx2Util() : PmEx2Reader(kKind) {}

PmTodoEx2Util::PmTodoEx2Util(const char* path) : PmEx2Reader(kKind) { LoadFile(path); }

void PmTodoEx2Util::ParseRepeatText(PmTodoEx2Rec& rec) {
    PmParseRepeatText(rec.RepeatInfo, rec.Repeat, PmRepeatForm::Task, rec.DueDate);
}

void PmTodoEx2Util::CompleteRecord(const PmRowValues&) {
    PmTodoEx2Rec& rec = WorkRecord();
    ParseRepeatText(rec);
    if (CopyCategoryName(rec.CategoryID, rec.CategoryName, sizeof rec.CategoryName))
        PmReportCategoryCut(CommKindTask, rec, GetCategoryMgr().FindByID(rec.CategoryID)->GetName());
}
