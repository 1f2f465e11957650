#pragma once
// Lotus Notes to-dos: the raw record of "LNTask.dat" and the bridge that
// runs the tasks helper and turns its records into common tasks.
#include <cstdint>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/lotus/CxLNCommon.h"
#include "common/records/CommTaskMgr.h"
#include "common/records/CommTaskRec.h"

// One record of "LNTask.dat", in file order. Every text keeps one
// character less than its array.
struct LNTaskRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char Subject[256];
    char Body[8192];
    char KeptText1[256];  // kept, not interpreted
    char Category[256];
    std::int32_t Priority;  // 0 high, 2 low, else normal
    std::int32_t Private;
    char KeptText2[36];
    double DueDate;
    double KeptDate;
    double CompletionDate;
    std::int32_t KeptValues[2];
    char KeptText3[16];
    char KeptText4[256];
    char KeptText5[256];
    std::int32_t KeptValue;
    char KeptText6[390];
};

class CxLNTaskUtil : public CxHelperKindBridge<CxLNBaseUtil, LNTaskRec, CommTaskRec, CommTaskMgr> {
public:
    CxLNTaskUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, LNTaskRec& rec) override;
    void ConvertRecord_(const LNTaskRec& raw, CommTaskRec& rec) override;
};
