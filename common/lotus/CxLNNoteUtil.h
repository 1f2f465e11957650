#pragma once
// Lotus Notes notebook documents: the raw record of "LNNote.dat" and the
// bridge that runs the notebook helper and turns its documents into common
// notes.
#include <cstdint>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/lotus/CxLNCommon.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommNoteRec.h"

// One record of "LNNote.dat", in file order. Every text keeps one
// character less than its array.
struct LNNoteRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char Subject[256];
    char Body[8192];
    char KeptText[256];  // kept, not interpreted
    std::int32_t KeptValue;
    double KeptDates[3];
};

class CxLNNoteUtil : public CxHelperKindBridge<CxLNBaseUtil, LNNoteRec, CommNoteRec, CommNoteMgr> {
public:
    CxLNNoteUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, LNNoteRec& rec) override;
    void ConvertRecord_(const LNNoteRec& raw, CommNoteRec& rec) override;
};
