#include "common/records/CommNoteMgr.h"

#include "common/records/CommCompare.h"

namespace {
constexpr std::size_t kSubjectChars = 255;
constexpr std::size_t kNoteChars = 20479;
}  // namespace

bool CommNoteRules::FieldEqual(const CommNoteRec& a, const CommNoteRec& b, int fieldId) {
    switch (fieldId) {
    case 2: return EqualNoCase(a.Subject, b.Subject, kSubjectChars);
    case 3: return EqualNoCase(a.Note, b.Note, kNoteChars);
    default: return false;
    }
}

void CommNoteRules::AppendFieldKey(std::string& key, const CommNoteRec& rec, int fieldId) {
    if (fieldId == 2) AppendNoCaseKey(key, rec.Subject, kSubjectChars);
    if (fieldId == 3) AppendNoCaseKey(key, rec.Note, kNoteChars);
}
