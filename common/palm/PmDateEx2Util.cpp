#include "common/palm/PmDateEx2Util.h"

#include <iterator>
#include <type_traits>

#include "common/palm/PmRepeatText.h"
#include "common/palm/PmValueCuts.h"
#include "common/records/CommKinds.h"

namespace {

#define COL(name, read, member) PM_COLUMN(PmDateEx2Rec, name, read, member)

const PmColumn kColumns[] = {
    COL("Record ID", Long, RecordID),   COL("Status", Long, Status),
    COL("Placement", Long, Placement),  COL("Private", Bool, Private),
    COL("Category", Long, CategoryID),  COL("Note", Text, Note),
    COL("Start Time", Long, StartTime), COL("End Time", Long, EndTime),
    COL("Untimed", Bool, Untimed),      COL("Time Zone", Text, TimeZone),
    COL("Location", Text, Location),    COL("Summary", Text, Summary),
    COL("Alarm", Bool, Alarm),          COL("Alarm Advance", Long, AlarmAdvance),
    COL("Alarm Unit", Long, AlarmUnit), COL("Repeated Event", Text, RepeatedEvent),
};
#undef COL
static_assert(std::size(kColumns) == 16);

static_assert(std::is_trivially_copyable_v<PmDateEx2Rec>);

}  // namespace

const PmEx2Kind PmDateEx2Util::kKind = {
    2,
    "Calendar",
    "Loading Palm Desktop Calendar: %s",
    "Open Palm Desktop Calendar database failed: %s",
    nullptr,
    kColumns,
    std::size(kColumns),
};

PmDateEx2Util::PmDateEx2Util() : PmEx2Reader(kKind) {}

PmDateEx2Util::PmDateEx2Util(const char* path) : PmEx2Reader(kKind) { LoadFile(path); }

void PmDateEx2Util::ParseRepeatText(PmDateEx2Rec& rec) {
    PmParseRepeatText(rec.RepeatedEvent, rec.Repeat, PmRepeatForm::Calendar, rec.StartTime);
}

void PmDateEx2Util::CompleteRecord(const PmRowValues&) {
    PmDateEx2Rec& rec = WorkRecord();
    ParseRepeatText(rec);
    if (CopyCategoryName(rec.CategoryID, rec.CategoryName, sizeof rec.CategoryName))
        PmReportCategoryCut(CommKindDate, rec, GetCategoryMgr().FindByID(rec.CategoryID)->GetName());
}
