#pragma once
// The Outlook adapter for tasks.
#include <cstdint>
#include <span>

#include "common/outlook/OlItemUtil.h"
#include "common/outlook/OlProps.h"
#include "common/records/CommTaskMgr.h"

// The Outlook side of a task, attached to each loaded CommTaskRec.
struct OlTaskRecord {
    char Body[20479];
    char CardData[256];
    std::uint8_t Complete;
    DATE DueDate;
    char EntryID[1023];
    std::int32_t Importance;  // 0 low, 1 normal, 2 high
    std::uint8_t IsRecurring;
    char Mileage[255];
    std::int32_t Ordinal;
    std::int32_t PercentComplete;
    std::uint8_t ReminderOverrideDefault;
    std::uint8_t ReminderPlaySound;
    std::uint8_t ReminderSet;
    char ReminderSoundFile[260];
    DATE ReminderTime;
    std::int32_t ResponseState;
    char Role[32];
    std::int32_t Sensitivity;
    DATE StartDate;
    std::int32_t Status;
    char Subject[256];
    std::uint8_t TeamTask;
    std::int32_t TotalWork;
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

class OlTaskUtil : public OlItemUtil<OlTaskUtil, CommTaskRec, CommTaskMgr, OlTaskRecord> {
public:
    static constexpr OlDefaultFolders kFolder = olFolderTasks;
    static constexpr OlItemType kItemType = olTaskItem;
    static constexpr bool kReadsStoreId = false;
    static constexpr bool kUpdateFromLoaded = true;
    static constexpr CommRecordKind kKind = CommKindTask;
    // The members an update may empty or keep (see OlApplyUpdate).
    static std::span<const OlClearable> Clearables();
    static const OlKindTexts& Texts();

    OlTaskUtil() = default;

    bool ReadItem(CDispCmd& item, OlTaskRecord& rec);
    HRESULT WriteItem(CDispCmd& item, OlTaskRecord& rec);
    void ToCommonRecord(const OlTaskRecord& in, CommTaskRec& out);
    void ToOutlookRecord(const CommTaskRec& in, OlTaskRecord& out);

    // A due date is written unless it is unset or the far-future value
    // that stands for "no date" (the year 2031 or later).
    static bool IsRealDueDate(DATE date);
};
