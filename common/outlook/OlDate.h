#pragma once
// The Outlook adapter for calendar items.
#include <cstdint>
#include <span>

#include "common/outlook/OlItemUtil.h"
#include "common/outlook/OlProps.h"
#include "common/records/CommDateMgr.h"

// The Outlook side of an appointment, attached to each loaded CommDateRec.
struct OlDateRecord {
    std::uint8_t AllDayEvent;
    std::int32_t Duration;  // minutes
    DATE End;
    char EntryID[1024];
    char StoreID[1024];
    std::uint8_t IsRecurring;
    char Location[256];
    std::uint8_t ReminderSet;
    DATE ReminderTime;                        // version classes 0 to 3
    std::int32_t ReminderMinutesBeforeStart;  // version classes 4 to 6
    DATE Start;
    char Subject[256];
    char Body[20480];
    std::int32_t RecurrenceType;  // -1: not recurring
    std::int32_t Interval;
    std::int32_t DayOfWeekMask;
    std::int32_t DayOfMonth;
    std::int32_t Instance;
    std::int32_t MonthOfYear;
    DATE PatternEndDate;
    char FolderName[32];
    char Categories[256];
    DATE CreationTime;
    DATE LastModificationTime;
    IDispatch* ItemRef;  // always null: the record is copied as bytes and holds no reference
};

class OlDateUtil : public OlItemUtil<OlDateUtil, CommDateRec, CommDateMgr, OlDateRecord> {
public:
    static constexpr OlDefaultFolders kFolder = olFolderCalendar;
    static constexpr OlItemType kItemType = olAppointmentItem;
    static constexpr bool kReadsStoreId = true;
    static constexpr bool kUpdateFromLoaded = false;
    static constexpr CommRecordKind kKind = CommKindDate;
    // The members an update may empty or keep (see OlApplyUpdate).
    static std::span<const OlClearable> Clearables();
    static const OlKindTexts& Texts();

    OlDateUtil() = default;

    bool ReadItem(CDispCmd& item, OlDateRecord& rec);
    HRESULT WriteItem(CDispCmd& item, OlDateRecord& rec);
    void ToCommonRecord(const OlDateRecord& in, CommDateRec& out);
    void ToOutlookRecord(const CommDateRec& in, OlDateRecord& out);

    // The minutes an event lasts: its full span from start to end; for an
    // all-day event 1440 for each day it touches.
    static std::int32_t EventDuration(const CommDateRec& rec);
};

// Recurrence pattern translation shared with tasks.
struct CommRepeatInfo;
void OlRepeatToPattern(const CommRepeatInfo& repeat, std::int32_t& type, std::int32_t& interval, std::int32_t& mask,
                       std::int32_t& dayOfMonth, std::int32_t& instance, std::int32_t& monthOfYear, DATE& end);
void OlPatternToRepeat(std::int32_t type, std::int32_t interval, std::int32_t mask, std::int32_t dayOfMonth,
                       std::int32_t instance, std::int32_t monthOfYear, DATE end, CommRepeatInfo& repeat);
// The six numbers of a recurrence pattern, in the order RecurrenceType,
// Interval, DayOfWeekMask, DayOfMonth, Instance, MonthOfYear.
using OlPatternFields = std::int32_t* const[6];
// Reads the pattern of a recurring item, and writes one (RecurrenceType
// always, the other numbers when above 0, the end date when above 1.0).
void OlReadPattern(CDispCmd& item, OlPatternFields fields, DATE& end);
void OlWritePattern(CDispCmd& item, OlPatternFields fields, DATE end);
// Removes the pattern of an item that has one.
void OlClearPattern(CDispCmd& item);
// The pattern members of an Outlook record.
template <class Rec>
void OlPatternOf(Rec& rec, std::int32_t* (&fields)[6]) {
    std::int32_t* list[6] = {&rec.RecurrenceType, &rec.Interval, &rec.DayOfWeekMask,
                             &rec.DayOfMonth,     &rec.Instance, &rec.MonthOfYear};
    for (int i = 0; i < 6; ++i) fields[i] = list[i];
}

// Writes the pattern of a record, or removes the item's pattern when the
// record has none, so that an item written for a single event or task does
// not keep repeating.
template <class Rec>
void OlWriteRecurrence(CDispCmd& item, Rec& rec) {
    if (rec.RecurrenceType < 0) {
        OlClearPattern(item);
        return;
    }
    std::int32_t* fields[6];
    OlPatternOf(rec, fields);
    OlWritePattern(item, fields, rec.PatternEndDate);
}
