#pragma once
// ACT! notes: the raw record of "ACTNote.dat" and the bridge that runs the
// notes helper and turns its notes into common notes.
#include <cstdint>

#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommNoteRec.h"

// One record of "ACTNote.dat", in file order. Every text keeps one
// character less than its array.
struct ACTNoteRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char CreateUser[64];
    char EditUser[64];
    char ManageUser[64];
    char Text[8192];
    std::int32_t Private;
    double CreateTime;
    double EditTime;
};

class CxACTNoteUtil : public CxHelperKindBridge<CxACTBaseUtil, ACTNoteRec, CommNoteRec, CommNoteMgr> {
public:
    CxACTNoteUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, ACTNoteRec& rec) override;
    void ConvertRecord_(const ACTNoteRec& raw, CommNoteRec& rec) override;
};
