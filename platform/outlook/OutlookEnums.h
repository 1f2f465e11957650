#pragma once
// The enumerations of Outlook's object model, with the names and values of
// its type library. Declarations only: the adapters in the core use them
// without linking the Outlook stand-in.
#include <cstdint>

// Folders of NameSpace.GetDefaultFolder.
enum OlDefaultFolders : std::int32_t {
    olFolderDeletedItems = 3,
    olFolderOutbox = 4,
    olFolderSentMail = 5,
    olFolderInbox = 6,
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderJournal = 11,
    olFolderNotes = 12,
    olFolderTasks = 13,
    olFolderDrafts = 16,
};

// Item types of Items.Add and Folder.DefaultItemType.
enum OlItemType : std::int32_t {
    olMailItem = 0,
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
    olJournalItem = 4,
    olNoteItem = 5,
    olPostItem = 6,
    olDistributionListItem = 7,
};

// The Class property of an item.
enum OlObjectClass : std::int32_t {
    olAppointment = 26,
    olContact = 40,
    olJournal = 42,
    olMail = 43,
    olNote = 44,
    olTask = 48,
};

// RecurrencePattern.RecurrenceType; 4 is not used.
enum OlRecurrenceType : std::int32_t {
    olRecursDaily = 0,
    olRecursWeekly = 1,
    olRecursMonthly = 2,
    olRecursMonthNth = 3,
    olRecursYearly = 5,
    olRecursYearNth = 6,
};

// RecurrencePattern.DayOfWeekMask: one bit a day, Sunday first.
enum OlDaysOfWeek : std::int32_t {
    olSunday = 1,
    olMonday = 2,
    olTuesday = 4,
    olWednesday = 8,
    olThursday = 16,
    olFriday = 32,
    olSaturday = 64,
};
inline constexpr std::int32_t kOlAllDaysOfWeek = 0x7F;

enum OlImportance : std::int32_t {
    olImportanceLow = 0,
    olImportanceNormal = 1,
    olImportanceHigh = 2,
};

enum OlSensitivity : std::int32_t {
    olNormal = 0,
    olPersonal = 1,
    olPrivate = 2,
    olConfidential = 3,
};

enum OlTaskStatus : std::int32_t {
    olTaskNotStarted = 0,
    olTaskInProgress = 1,
    olTaskComplete = 2,
    olTaskWaiting = 3,
    olTaskDeferred = 4,
};

// TaskItem.ResponseState.
enum OlTaskResponse : std::int32_t {
    olTaskSimple = 0,
    olTaskAssign = 1,
    olTaskAccept = 2,
    olTaskDecline = 3,
};

// AppointmentItem.BusyStatus.
enum OlBusyStatus : std::int32_t {
    olFree = 0,
    olTentative = 1,
    olBusy = 2,
    olOutOfOffice = 3,
    olWorkingElsewhere = 4,
};

// NoteItem.Color.
enum OlNoteColor : std::int32_t {
    olBlue = 0,
    olGreen = 1,
    olPink = 2,
    olYellow = 3,
    olWhite = 4,
};

// ContactItem.Gender.
enum OlGender : std::int32_t {
    olUnspecified = 0,
    olFemale = 1,
    olMale = 2,
};

// UserProperties.Add and UserProperty.Type.
enum OlUserPropertyType : std::int32_t {
    olOutlookInternal = 0,
    olText = 1,
    olNumber = 3,
    olDateTime = 5,
    olYesNo = 6,
    olDuration = 7,
    olKeywords = 11,
    olPercent = 12,
    olCurrency = 14,
    olFormula = 18,
    olCombination = 19,
    olInteger = 20,
};

// The display format of a text user property (UserProperties.Add).
enum OlFormatText : std::int32_t {
    olFormatTextText = 1,
};
