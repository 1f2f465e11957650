#pragma once
// The list manager of notes.
#include <string>

#include "common/records/CommNoteRec.h"
#include "common/records/CommRecordMgr.h"

struct CommNoteRules {
    // Subject.
    static constexpr int kKeyFields[] = {2};
    // Note text.
    static constexpr int kCompareFields[] = {3};
    static bool FieldEqual(const CommNoteRec& a, const CommNoteRec& b, int fieldId);
    static void AppendFieldKey(std::string& key, const CommNoteRec& rec, int fieldId);
};

class CommNoteMgr : public CommRecordMgr<CommNoteRec, CommNoteRules> {
public:
    virtual ~CommNoteMgr() = default;
};
