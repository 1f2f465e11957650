#include "common/outlook/OlTask.h"

#include <cstddef>

#include "common/misc/CxDateTime.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlProps.h"

namespace {

const OlKindTexts kTexts = {
    "Failed to get the name of the folder. hr=0x%x",
    "Got the name of the Task folder: %s",
    nullptr,
    nullptr,
    "Failed to get the \"Items\" property of the Task folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Task folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Task folder. hr=0x%x",
    "Failed to call the \"Add\" method. hr=0x%x",
    "Failed to get the item by index: %d. hr=0x%x",
    nullptr,
    nullptr,
};

#define P(member, kind) OL_PROP(OlTaskRecord, member, kind, true)

const OlProp kReadFirst[] = {
    P(Body, Text),
    P(CardData, Text),
    P(Complete, Flag),
    P(DueDate, Date),
    P(EntryID, Text),
    P(Importance, Int),
    P(IsRecurring, Flag),
    P(Mileage, Text),
    P(Ordinal, Int),
    P(PercentComplete, Int),
    P(ReminderOverrideDefault, Flag),
    P(ReminderPlaySound, Flag),
    P(ReminderSet, Flag),
    P(ReminderSoundFile, Text),
    P(ReminderTime, Date),
    P(ResponseState, Int),
    P(Role, Text),
    P(Sensitivity, Int),
    P(StartDate, Date),
    P(Status, Int),
    P(Subject, Text),
    P(TeamTask, Flag),
    P(TotalWork, Int),
    P(IsRecurring, Flag),
};
const OlProp kReadLast[] = {P(Categories, Text), P(CreationTime, Date), P(LastModificationTime, Date)};

const OlProp kWriteFirst[] = {
    P(Body, Text),        P(CardData, Text), P(Complete, Flag), P(DueDate, Date),        P(Importance, Int),
    P(IsRecurring, Flag), P(Mileage, Text),  P(Ordinal, Int),   P(PercentComplete, Int), P(ReminderSet, Flag),
};
const OlProp kWriteReminder[] = {
    P(ReminderOverrideDefault, Flag),
    P(ReminderPlaySound, Flag),
    P(ReminderSoundFile, Text),
    P(ReminderTime, Date),
};
const OlProp kWriteLast[] = {
    P(ResponseState, Int), P(Role, Text),     P(Sensitivity, Int), P(StartDate, Date),  P(Status, Int),
    P(Subject, Text),      P(TeamTask, Flag), P(TotalWork, Int),   P(Categories, Text),
};

#undef P

DATE EpochToDate(std::int32_t t) {
    DATE d = 0;
    return t != 0 && TimeTToVariantTime(static_cast<std::time_t>(t), d) ? d : 0.0;
}

// Dates outside what the record's 32-bit epoch time holds count as unset.
std::int32_t DateToEpoch(DATE d) { return VariantTimeToEpoch32(d); }

std::int32_t InRange(std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high ? v : 0; }

}  // namespace

const OlKindTexts& OlTaskUtil::Texts() { return kTexts; }

std::span<const OlClearable> OlTaskUtil::Clearables() {
    static const OlClearable members[] = {
        OL_CLEARABLE(OlTaskRecord, Body, Text, CommTaskRec, Note),
        OL_CLEARABLE(OlTaskRecord, CardData, Text, CommTaskRec, CardData),
        OL_CLEARABLE(OlTaskRecord, DueDate, Date, CommTaskRec, DueDate),
        OL_CLEARABLE(OlTaskRecord, Mileage, Text, CommTaskRec, Mileage),
        OL_CLEARABLE(OlTaskRecord, ReminderSoundFile, Text, CommTaskRec, ReminderSoundFile),
        OL_CLEARABLE(OlTaskRecord, ReminderTime, Date, CommTaskRec, ReminderTime),
        OL_CLEARABLE(OlTaskRecord, Role, Text, CommTaskRec, Role),
        OL_CLEARABLE(OlTaskRecord, StartDate, Date, CommTaskRec, StartDate),
        OL_CLEARABLE(OlTaskRecord, Subject, Text, CommTaskRec, Subject),
        OL_CLEARABLE(OlTaskRecord, Categories, Text, CommTaskRec, Category),
    };
    return members;
}

bool OlTaskUtil::IsRealDueDate(DATE date) {
    SYSTEMTIME st{};
    return date != 0.0 && platform::VariantTimeToSystemTime(date, st) && st.wYear < 2031;
}

bool OlTaskUtil::ReadItem(CDispCmd& item, OlTaskRecord& rec) {
    OlReadProps(item, &rec, kReadFirst, m_propIds);
    if (rec.IsRecurring) {
        std::int32_t* fields[6];
        OlPatternOf(rec, fields);
        OlReadPattern(item, fields, rec.PatternEndDate);
    } else {
        rec.RecurrenceType = -1;
    }
    OlReadProps(item, &rec, kReadLast, m_propIds);
    return true;
}

HRESULT OlTaskUtil::WriteItem(CDispCmd& item, OlTaskRecord& rec) {
    OlWriteProps(item, &rec, kWriteFirst, m_propIds);
    if (rec.ReminderSet) OlWriteProps(item, &rec, kWriteReminder, m_propIds);
    OlWriteProps(item, &rec, kWriteLast, m_propIds);
    OlWriteRecurrence(item, rec);
    return item.CallMethod(u"Save", nullptr, 0, nullptr);
}

void OlTaskUtil::ToOutlookRecord(const CommTaskRec& in, OlTaskRecord& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Role, sizeof out.Role, in.Role, sizeof in.Role);
    OlCopyText(out.Mileage, sizeof out.Mileage, in.Mileage, sizeof in.Mileage);
    OlCopyText(out.ReminderSoundFile, sizeof out.ReminderSoundFile, in.ReminderSoundFile, sizeof in.ReminderSoundFile);
    OlCopyText(out.CardData, sizeof out.CardData, in.CardData, sizeof in.CardData);
    OlCopyText(out.Categories, sizeof out.Categories, in.Category, sizeof in.Category);
    OlCopyText(out.Body, sizeof out.Body, in.Note, sizeof in.Note);
    out.ReminderSet = (in.ReminderSet || in.Alarm) ? 1 : 0;
    out.ReminderOverrideDefault = in.ReminderOverrideDefault;
    out.ReminderPlaySound = in.ReminderPlaySound;
    out.Complete = in.Completed;
    out.IsRecurring = in.IsRecurring;
    out.Ordinal = in.Ordinal;
    out.PercentComplete = in.PercentComplete;
    out.TeamTask = in.TeamTask;
    out.TotalWork = in.TotalWork;
    out.ReminderTime = EpochToDate(in.ReminderTime);
    out.DueDate = EpochToDate(in.DueDate);
    out.StartDate = EpochToDate(in.StartDate);
    if (!IsRealDueDate(out.DueDate)) out.DueDate = 0.0;
    out.Importance = in.Priority == CommPriorityHigh  ? olImportanceHigh
                     : in.Priority == CommPriorityLow ? olImportanceLow
                                                      : olImportanceNormal;
    out.Sensitivity = InRange(in.Sensitivity, olPersonal, olConfidential);
    if (out.Sensitivity == olNormal && in.Private == 1) out.Sensitivity = olPrivate;
    out.Status = InRange(in.TaskStatus, olTaskInProgress, olTaskDeferred);
    // A completed task is complete in every member Outlook derives from it;
    // an open one is not reported complete.
    if (out.Complete) {
        out.Status = olTaskComplete;
        out.PercentComplete = 100;
    } else if (out.Status == olTaskComplete) {
        out.Status = olTaskNotStarted;
    }
    out.ResponseState = InRange(in.ResponseState, olTaskAssign, olTaskDecline);
    OlRepeatToPattern(in.Repeat, out.RecurrenceType, out.Interval, out.DayOfWeekMask, out.DayOfMonth, out.Instance,
                      out.MonthOfYear, out.PatternEndDate);
}

void OlTaskUtil::ToCommonRecord(const OlTaskRecord& in, CommTaskRec& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Role, sizeof out.Role, in.Role, sizeof in.Role);
    OlCopyText(out.Mileage, sizeof out.Mileage, in.Mileage, sizeof in.Mileage);
    OlCopyText(out.ReminderSoundFile, sizeof out.ReminderSoundFile, in.ReminderSoundFile, sizeof in.ReminderSoundFile);
    OlCopyText(out.CardData, sizeof out.CardData, in.CardData, sizeof in.CardData);
    OlCopyText(out.Category, sizeof out.Category, in.Categories, sizeof in.Categories);
    OlCopyText(out.Note, sizeof out.Note, in.Body, sizeof in.Body);
    out.ReminderSet = in.ReminderSet;
    out.Alarm = in.ReminderSet;
    out.ReminderOverrideDefault = in.ReminderOverrideDefault;
    out.ReminderPlaySound = in.ReminderPlaySound;
    out.Completed = in.Complete;
    out.IsRecurring = in.IsRecurring;
    out.Ordinal = in.Ordinal;
    out.PercentComplete = in.PercentComplete;
    out.TeamTask = in.TeamTask;
    out.TotalWork = in.TotalWork;
    out.ReminderTime = DateToEpoch(in.ReminderTime);
    out.DueDate = DateToEpoch(in.DueDate);
    out.StartDate = DateToEpoch(in.StartDate);
    out.Priority = in.Importance == olImportanceHigh  ? CommPriorityHigh
                   : in.Importance == olImportanceLow ? CommPriorityLow
                                                      : CommPriorityNormal;
    out.Sensitivity = InRange(in.Sensitivity, olPersonal, olConfidential);
    out.Private = out.Sensitivity != olNormal ? 1 : 0;
    out.TaskStatus = InRange(in.Status, olTaskInProgress, olTaskDeferred);
    out.ResponseState = InRange(in.ResponseState, olTaskAssign, olTaskDecline);
    out.CreationTime = in.CreationTime;
    out.LastModificationTime = in.LastModificationTime;
    out.SourceType = CommSourceOutlook;
}
