#include "common/outlook/OlNote.h"

#include <cstddef>

#include "common/outlook/OlProps.h"
#include "platform/text/TextCopy.h"

namespace {

const OlKindTexts kTexts = {
    "Failed to get the name of the folder. hr=0x%x",
    "Got the name of the Notes folder: %s",
    nullptr,
    nullptr,
    "Failed to get the \"Items\" property of the Notes folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Notes folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Notes folder. hr=0x%x",
    "Failed to call the \"Add\" method to add notes item. hr=0x%x",
    "Failed to get the notes item by index: %d. hr=0x%x",
    nullptr,
    nullptr,
};

#define P(member, kind, writable) OL_PROP(OlNoteRecord, member, kind, writable)

const OlProp kRead[] = {
    P(EntryID, Text, false),    P(Subject, Text, false),      P(Body, Text, false),
    P(Categories, Text, false), P(CreationTime, Date, false), P(LastModificationTime, Date, false),
    P(Saved, Flag, false),      P(Color, Int, false),
};
const OlProp kWrite[] = {P(Body, Text, true), P(Categories, Text, true), P(Color, Int, true)};

#undef P

}  // namespace

const OlKindTexts& OlNoteUtil::Texts() { return kTexts; }

std::span<const OlClearable> OlNoteUtil::Clearables() {
    static const OlClearable members[] = {
        OL_CLEARABLE(OlNoteRecord, Body, Text, CommNoteRec, Note),
        OL_CLEARABLE(OlNoteRecord, Categories, Text, CommNoteRec, Category),
    };
    return members;
}

bool OlNoteUtil::ReadItem(CDispCmd& item, OlNoteRecord& rec) {
    OlReadProps(item, &rec, kRead, m_propIds);
    return true;
}

HRESULT OlNoteUtil::WriteItem(CDispCmd& item, OlNoteRecord& rec) {
    OlWriteProps(item, &rec, kWrite, m_propIds);
    return item.CallMethod(u"Save", nullptr, 0, nullptr);
}

void OlNoteUtil::ToOutlookRecord(const CommNoteRec& in, OlNoteRecord& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Categories, sizeof out.Categories, in.Category, sizeof in.Category);
    OlCopyText(out.Body, sizeof out.Body, in.Note, sizeof in.Note);
    out.Color = in.Color;
}

void OlNoteUtil::ToCommonRecord(const OlNoteRecord& in, CommNoteRec& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Category, sizeof out.Category, in.Categories, sizeof in.Categories);
    OlCopyText(out.Note, sizeof out.Note, in.Body, sizeof in.Body);
    out.Color = in.Color;
    out.CreationTime = in.CreationTime;
    out.LastModificationTime = in.LastModificationTime;
    OlCopyText(out.IdText, 31, in.EntryID, sizeof in.EntryID);
    out.SourceType = CommSourceOutlook;
}
