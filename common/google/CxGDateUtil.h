#pragma once
// Google calendar: the raw event record of "GDate.dat", the calendar record
// of "GCal.dat", and the bridge that runs the calendar helper and turns its
// events into common calendar records.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/google/CxGAppCommon.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommDateRec.h"

// One record of "GDate.dat", in file order. Every text keeps one character
// less than its array.
struct GDateRec {
    std::int32_t Header[3];  // record number, state, action
    char EventID[32];        // kept, not interpreted
    char Title[256];
    char Location[260];
    double Start;
    double End;
    std::int32_t AllDay;
    std::int32_t Visibility;     // 2 private
    std::int32_t Transparency;   // 0, 1 or 2
    std::int32_t ReminderCount;  // 0 to 3
    std::int32_t ReminderMethod[3];
    std::int32_t ReminderOffset[3];
    std::int32_t ReminderUnit[3];  // 0 minutes, 1 hours, 2 days, 3 weeks
    char Recurrence[4096];         // DTSTART, DTEND and RRULE lines
    std::int32_t RecurrenceType;   // CommRepeatType
    std::int32_t RecurrenceHasEnd;
    double RecurrenceStart;
    double RecurrenceEnd;
    std::int32_t Interval;
    std::int32_t DayOfWeekMask;
    std::int32_t DayOfMonth;
    std::int32_t MonthOfYear;
    std::int32_t Instance;
    char Extra[4096];  // kept, not interpreted
    char CalendarID[4096];
    char Description[10240];
    char Category[256];
    double CreationTime;
    double LastModificationTime;
};

// One record of "GCal.dat".
struct GCalRec {
    char Name[256];
    char CalendarID[1024];
    char Description[1024];
    char TimeZone[256];
};

class CxGDateUtil : public CxHelperKindBridge<CxGAppBaseUtil, GDateRec, CommDateRec, CommDateMgr> {
public:
    CxGDateUtil();

    // Runs the helper, then reads the events and the calendars.
    bool Load() override;
    void Clear() override;

    // An empty or null name reads the bridge's own file ("GDate.dat",
    // "GCal.dat"). Saving is not offered: both give false.
    virtual bool LoadEvents(const char* fileName);
    virtual bool SaveEvents(const char* fileName);
    virtual bool LoadCalendars(const char* fileName);
    virtual bool SaveCalendars(const char* fileName);

    std::size_t GetCalendarCount() const { return m_calendars.size(); }
    const GCalRec* GetCalendarAt(std::size_t index) const {
        return index < m_calendars.size() ? m_calendars[index].get() : nullptr;
    }

protected:
    bool LoadRecFromFile_(CxFile& file, GDateRec& rec) override;
    void ConvertRecord_(const GDateRec& raw, CommDateRec& rec) override;

private:
    std::vector<std::unique_ptr<GCalRec>> m_calendars;
};
