#include "common/lotus/CxLNNoteUtil.h"

#include "common/bridge/CxExchangeRead.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

// The notebook logs only a data file it cannot open; the driver reports
// the failure.
constexpr CxLoadTexts kNoteTexts = [] {
    CxLoadTexts t;
    t.openFailure = "Cannot load Lotus Notes Note records from temperary file: %s";
    return t;
}();

}  // namespace

CxLNNoteUtil::CxLNNoteUtil() : CxHelperKindBridge(kHelperLNNote) {}

bool CxLNNoteUtil::Load() { return LoadWithTexts_(kNoteTexts); }

bool CxLNNoteUtil::LoadRecFromFile_(CxFile& file, LNNoteRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.Subject);
    ReadText(file, r.Body);
    ReadText(file, r.KeptText);
    ReadInt(file, r.KeptValue);
    ReadDates(file, r.KeptDates);
    return true;
}

void CxLNNoteUtil::ConvertRecord_(const LNNoteRec& r, CommNoteRec& rec) {
    const CommTextCopier copy(CommKindNote, "Lotus Notes document", static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Subject, r.Subject, "Subject");
    copy(rec.Note, r.Body, "Body");
    rec.SourceType = CommSourceDomino;
}
