#pragma once
// ACT! calendar activities: the raw record of "ACTDate.dat" and the bridge
// that runs the calendar helper and turns its activities into common
// calendar records.
#include <cstdint>

#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommDateRec.h"

// One record of "ACTDate.dat", in file order. Every text keeps one
// character less than its array.
struct ACTDateRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char Description[256];
    char Location[256];
    char Notes[8192];
    std::int32_t ActivityType;  // 0 appointment, 1 meeting, 2 call, 3 to-do
    double Start;
    double End;
    double CreateTime;
    double EditDate;
    std::int32_t Kept;      // kept, not interpreted
    std::int32_t DayValue;  // weekday mask, or the day of the month on a date
    std::int32_t OnDate;    // 1: monthly or yearly on a date; else on a weekday
    std::int32_t Interval;
    std::int32_t Instance;  // the week of the month
    std::int32_t MonthOfYear;
    std::int32_t Recurrence;  // 0 none, 1 daily, 2 weekly, 3 monthly, 4 yearly
    double RecurrenceEnd;
    std::int32_t Private;
    std::int32_t AllDay;
};

class CxACTDateUtil : public CxHelperKindBridge<CxACTBaseUtil, ACTDateRec, CommDateRec, CommDateMgr> {
public:
    CxACTDateUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, ACTDateRec& rec) override;
    void ConvertRecord_(const ACTDateRec& raw, CommDateRec& rec) override;
};
