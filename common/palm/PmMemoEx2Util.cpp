#include "common/palm/PmMemoEx2Util.h"

#include <iterator>
#include <string>
#include <type_traits>

#include "common/palm/PmValueCuts.h"
#include "common/records/CommKinds.h"
#include "platform/text/TextCopy.h"

namespace {

#define COL(name, read, member) PM_COLUMN(PmMemoEx2Rec, name, read, member)

constexpr std::size_t kCategoryColumn = 4;

const PmColumn kColumns[] = {
    COL("Record ID", Long, RecordID), COL("Status", Long, Status), COL("Placement", Long, Placement),
    COL("Private", Bool, Private),    PM_SKIP("Category"),         COL("Note", Text, Note),
};
#undef COL
static_assert(std::size(kColumns) == 6);

static_assert(std::is_trivially_copyable_v<PmMemoEx2Rec>);

}  // namespace

const PmEx2Kind PmMemoEx2Util::kKind = {
    4,
    "Memo",
    "Loading Palm Desktop Notes: %s",
    "Open Palm Desktop Memos database failed: %s",
    "Invalid Palm Desktop Notes database name.",
    kColumns,
    std::size(kColumns),
};

PmMemoEx2Util::PmMemoEx2Util() : PmEx2Reader(kKind) {}

PmMemoEx2Util::PmMemoEx2Util(const char* path) : PmEx2Reader(kKind) { LoadFile(path); }

void PmMemoEx2Util::CompleteRecord(const PmRowValues& row) {
    PmMemoEx2Rec& rec = WorkRecord();
    rec.NoteLength = static_cast<std::int32_t>(platform::TextLength(rec.Note));
    if (row.size() != std::size(kColumns)) return;
    const PmRowValue& category = row[kCategoryColumn];
    std::string text;
    if (category.kind == platform::jet::ValueKind::Text)
        text = category.text;
    else if (category.kind == platform::jet::ValueKind::Integer)
        text = std::to_string(category.integer);
    else
        return;
    GetLongValue(PmRowValue::Text(text), rec.CategoryID);
    platform::CopyText(rec.CategoryName, text);
    if (CopyCategoryName(rec.CategoryID, rec.CategoryName, sizeof rec.CategoryName))
        PmReportCategoryCut(CommKindNote, rec, GetCategoryMgr().FindByID(rec.CategoryID)->GetName());
}
