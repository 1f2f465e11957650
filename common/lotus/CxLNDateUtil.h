#pragma once
// Lotus Notes calendar entries: the raw record of "LNDate.dat" and the
// bridge that runs the calendar helper and turns its entries into common
// calendar records.
#include <cstdint>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/lotus/CxLNCommon.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommDateRec.h"

// One record of "LNDate.dat", in file order. Every text keeps one
// character less than its array; the repeat fields are decimal texts.
struct LNDateRec {
    std::int32_t Header[2];
    char RecordID[64];  // kept, not interpreted
    char Subject[256];
    char Location[256];
    char Body[20480];
    char Repeats[10];  // "1" when the entry repeats
    char Resources[256];
    char StartTimeZone[64];
    char EndTimeZone[70];
    double DisplayStart;  // what the detail window shows
    double DisplayEnd;
    double KeptDates[2];  // kept, not interpreted
    double Start;         // what the conversion takes
    double End;
    char RepeatUnit[10];  // "D", "W", "MD", "MP" or "Y"
    char RepeatInterval[10];
    char RepeatOn[10];  // weekday mask ("W", "MP") or day of the month ("MD")
    char KeptText1[10];
    double KeptDate1;
    char KeptText2[16];
    double RepeatUntil;
    char KeptText3[10];
    std::int32_t KeptValue;
    char KeptText4[16];
    double KeptDate2;
    char KeptTexts[2][10];
    std::int32_t Private;
};

class CxLNDateUtil : public CxHelperKindBridge<CxLNBaseUtil, LNDateRec, CommDateRec, CommDateMgr> {
public:
    CxLNDateUtil();
    bool Load() override;

protected:
    bool LoadRecFromFile_(CxFile& file, LNDateRec& rec) override;
    void ConvertRecord_(const LNDateRec& raw, CommDateRec& rec) override;
};
