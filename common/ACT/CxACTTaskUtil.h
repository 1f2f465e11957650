#pragma once
// ACT! to-dos and opportunities: the raw record of "ACTTask.dat" and the
// bridge that runs the tasks helper and turns its records into common
// tasks. The two opportunity switches of the base go to the helper.
#include <cstdint>

#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/records/CommTaskMgr.h"
#include "common/records/CommTaskRec.h"

// One record of "ACTTask.dat", in file order. Every text keeps one
// character less than its array.
struct ACTTaskRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char Description[256];
    char Regarding[256];  // kept, not interpreted
    char Notes[8192];
    double CreateTime;
    double EditDate;
    std::int32_t Priority;  // 0 high, 2 low, else normal
    std::int32_t Kept[6];   // kept, not interpreted
    double KeptDate;        // kept, not interpreted
    std::int32_t Private;
    double DueDate;
    std::int32_t Completed;
};

class CxACTTaskUtil : public CxHelperKindBridge<CxACTBaseUtil, ACTTaskRec, CommTaskRec, CommTaskMgr> {
public:
    CxACTTaskUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, ACTTaskRec& rec) override;
    void ConvertRecord_(const ACTTaskRec& raw, CommTaskRec& rec) override;
};
