#include "common/ACT/CxACTNoteUtil.h"

#include "common/bridge/CxExchangeRead.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteSubject.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kNoteTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading ACT! Notes.";
    t.reading = "Start loading ACT! Notes information from temperary file: %s";
    t.openFailure = "Cannot load ACT! Notes records from temperary file: %s";
    t.success = "Load ACT! Notes information successfully.";
    t.failure = "Failed to load ACT! Notes information.";
    t.startBeforeClear = true;
    return t;
}();

}  // namespace

CxACTNoteUtil::CxACTNoteUtil() : CxHelperKindBridge(kHelperACTNote) {}

bool CxACTNoteUtil::Load() { return LoadWithTexts_(kNoteTexts); }

bool CxACTNoteUtil::LoadRecFromFile_(CxFile& file, ACTNoteRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.CreateUser);
    ReadText(file, r.EditUser);
    ReadText(file, r.ManageUser);
    ReadText(file, r.Text);
    ReadFlag(file, r.Private);
    ReadDate(file, r.CreateTime);
    ReadDate(file, r.EditTime);
    return true;
}

void CxACTNoteUtil::ConvertRecord_(const ACTNoteRec& r, CommNoteRec& rec) {
    const CommTextCopier copy(CommKindNote, "ACT! note", static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Note, r.Text, "Note");
    // ACT! keeps no subject; the first line is what Outlook shows as one and
    // what the note is matched by on the next run.
    CommNoteSubject(rec.Note, rec.Subject, sizeof rec.Subject);
    rec.CreationTime = r.CreateTime;
    rec.LastModificationTime = r.EditTime;
    rec.SourceType = CommSourceAct;
}
