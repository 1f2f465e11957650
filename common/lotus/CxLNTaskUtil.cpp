#include "common/lotus/CxLNTaskUtil.h"

#include <ctime>

#include "common/bridge/CxExchangeRead.h"
#include "common/misc/CxDateTime.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kTaskTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading Lotus Notes Tasks.";
    t.reading = "Start loading Lotus Notes Tasks from temperary file: %s";
    t.count = "There are %d Task records in total.";
    t.afterReading = "Load Lotus Notes Tasks information from file successfully.";
    t.success = "Load Lotus Notes Tasks information successfully.";
    t.failure = "Failed to load Lotus Notes Tasks information.";
    return t;
}();

std::int32_t PriorityOf(std::int32_t notesPriority) {
    if (notesPriority == 0) return CommPriorityHigh;
    if (notesPriority == 2) return CommPriorityLow;
    return CommPriorityNormal;
}

// A to-do is done when it was completed by now: a completion date still
// ahead is a plan, not a fact.
bool CompletedBy(double completion, double now) { return completion > 0.0 && completion <= now; }

}  // namespace

CxLNTaskUtil::CxLNTaskUtil() : CxHelperKindBridge(kHelperLNTask) {}

bool CxLNTaskUtil::Load() { return LoadWithTexts_(kTaskTexts); }

bool CxLNTaskUtil::LoadRecFromFile_(CxFile& file, LNTaskRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.Subject);
    ReadText(file, r.Body);
    ReadText(file, r.KeptText1);
    ReadText(file, r.Category);
    ReadInt(file, r.Priority);
    ReadFlag(file, r.Private);
    ReadText(file, r.KeptText2);
    ReadDate(file, r.DueDate);
    ReadDate(file, r.KeptDate);
    ReadDate(file, r.CompletionDate);
    ReadInts(file, r.KeptValues);
    ReadText(file, r.KeptText3);
    ReadText(file, r.KeptText4);
    ReadText(file, r.KeptText5);
    ReadInt(file, r.KeptValue);
    ReadText(file, r.KeptText6);
    return true;
}

void CxLNTaskUtil::ConvertRecord_(const LNTaskRec& r, CommTaskRec& rec) {
    const CommTextCopier copy(CommKindTask, "Lotus Notes to-do", static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Subject, r.Subject, "Subject");
    copy(rec.Note, r.Body, "Body");
    rec.Priority = PriorityOf(r.Priority);
    rec.DueDate = r.DueDate != 0.0 ? VariantTimeToEpoch32(r.DueDate) : 0;
    rec.Private = r.Private != 0 ? 1 : 0;
    DATE now = 0.0;
    if (!TimeTToVariantTime(std::time(nullptr), now)) now = 0.0;
    rec.Completed = CompletedBy(r.CompletionDate, now) ? 1 : 0;
    rec.SourceType = CommSourceDomino;
}
