#include "common/ACT/CxACTTaskUtil.h"

#include "common/bridge/CxExchangeRead.h"
#include "common/misc/CxDateTime.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kTaskTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading ACT! Todos and Opportunities.";
    t.reading = "Start loading ACT! Todos and Opportunities information from temperary file: %s";
    t.count = "There are %d records in total.";
    t.success = "Load ACT! Todos and Opportunities information successfully.";
    t.failure = "Failed to load ACT! Todos and Opportunities information.";
    t.startBeforeClear = true;
    return t;
}();

std::int32_t PriorityOf(std::int32_t actPriority) {
    if (actPriority == 0) return CommPriorityHigh;
    if (actPriority == 2) return CommPriorityLow;
    return CommPriorityNormal;
}

}  // namespace

CxACTTaskUtil::CxACTTaskUtil() : CxHelperKindBridge(kHelperACTTask) {}

bool CxACTTaskUtil::Load() { return LoadWithTexts_(kTaskTexts); }

bool CxACTTaskUtil::LoadRecFromFile_(CxFile& file, ACTTaskRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.Description);
    ReadText(file, r.Regarding);
    ReadText(file, r.Notes);
    ReadDate(file, r.CreateTime);
    ReadDate(file, r.EditDate);
    ReadInt(file, r.Priority);
    ReadInts(file, r.Kept);
    ReadDate(file, r.KeptDate);
    ReadFlag(file, r.Private);
    ReadDate(file, r.DueDate);
    ReadFlag(file, r.Completed);
    return true;
}

void CxACTTaskUtil::ConvertRecord_(const ACTTaskRec& r, CommTaskRec& rec) {
    const CommTextCopier copy(CommKindTask, "ACT! to-do", static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Subject, r.Description, "Description");
    copy(rec.Note, r.Notes, "Notes");
    rec.Priority = PriorityOf(r.Priority);
    rec.DueDate = VariantTimeToEpoch32(r.DueDate);
    rec.Private = r.Private != 0 ? 1 : 0;
    rec.Completed = r.Completed != 0 ? 1 : 0;
    rec.SourceType = CommSourceAct;
}
