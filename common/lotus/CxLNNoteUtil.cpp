#include "common/lotus/CxLNNoteUtil.h"

#include <string>
#include "common/bridge/CxExchangeRead.h"

#include "common/records/CommKinds.h"
#include "common/records/CommNoteSubject.h"
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
    // An Outlook note has no subject of its own: it shows the first line of
    // its text as one. The document's subject therefore leads the text,
    // unless the body already begins with it, so that it reaches Outlook
    // and the note is found the same on the next run.
    char firstLine[sizeof rec.Subject];
    CommNoteSubject(r.Body, firstLine, sizeof firstLine);
    std::string text = r.Body;
    if (r.Subject[0] != '\0' && std::string(r.Subject) != firstLine)
        text = text.empty() ? std::string(r.Subject) : std::string(r.Subject) + "\r\n" + text;
    copy(rec.Note, text, "Body");
    CommNoteSubject(rec.Note, rec.Subject, sizeof rec.Subject);
    rec.SourceType = CommSourceDomino;
}
