#include "common/palm/PmMemoInfo.h"

#include "common/palm/PmConvert.h"
#include "common/records/CommKinds.h"

const PmInfoLines PmMemoTraits::kLines = {
    CommKindNote,
    "Load Palm Desktop Memos by user: %d",
    "Unknown Palm Desktop version.",
    "Failed to load Palm Desktop Memo database by User: %d",
    true,
    false,
    "Load Palm Desktop Memos by file: %s",
    "Failed to load Palm Desktop Memos data file (%s)",
    false,
    "Memos",
    "Memos",
    "Failed to check Palm Desktop Memos data file type (%s)",
};

namespace {

void Fill(CommNoteRec& rec, const char* text, std::int32_t isPrivate, std::int32_t status, std::int32_t id,
          const char* category) {
    const PmTextCopier copy(CommKindNote, id);
    copy(rec.Note, text, "Note");
    if (category != nullptr) copy(rec.Category, category, "Category");
    PmMemoSubject(text, rec.Subject, sizeof rec.Subject);
    rec.Private = isPrivate != 0 ? 1 : 0;
    rec.Status = status;
    rec.IdNumber = id;
    rec.SourceType = CommSourcePalm;
}

}  // namespace

void PmConvertMemo(const PmMemoEntry& entry, CommNoteRec& rec) {
    switch (entry.Generation) {
    case kPmGenEarly: {
        const PmMemoRec& r = entry.Record.Early;
        Fill(rec, r.Text, r.Private, r.Status, r.RecordID, nullptr);
        break;
    }
    case kPmGenEx: {
        const PmMemoExRec& r = entry.Record.Ex;
        Fill(rec, r.Text, r.Private, r.Status, r.RecordID, PmCategoryOf(r.CategoryID, r.CategoryName));
        break;
    }
    case kPmGenEx2: {
        const PmMemoEx2Rec& r = entry.Record.Ex2;
        Fill(rec, r.Note, r.Private, r.Status, r.RecordID, PmCategoryOf(r.CategoryID, r.CategoryName));
        break;
    }
    default: break;
    }
}
