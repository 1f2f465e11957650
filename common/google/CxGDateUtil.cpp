#include "common/google/CxGDateUtil.h"

#include <cstdio>
#include <string>

#include "common/bridge/CxExchangeRead.h"
#include "common/google/CxGRecurText.h"
#include "common/google/CxGTextCopier.h"
#include "common/misc/CxDateTime.h"
#include "common/records/CommKinds.h"

namespace {

constexpr CxLoadTexts kEventTexts = [] {
    CxLoadTexts t;
    t.reading = "Start loading Calendar events information from file: %s";
    t.count = "There are %d event records in total";
    t.afterReading = "Load Calendar events information from file successfully.";
    return t;
}();

// A missing date (0) stays an empty time.
SYSTEMTIME TimeOf(double date) {
    SYSTEMTIME st{};
    if (date != 0.0 && !platform::VariantTimeToSystemTime(date, st)) st = SYSTEMTIME{};
    return st;
}

std::int32_t ReminderUnit(std::int32_t code) {
    switch (code) {
    case 1: return CommUnitHours;
    case 2: return CommUnitDays;
    case 3: return CommUnitWeeks;
    default: return CommUnitMinutes;
    }
}

// A file name given to a load replaces the bridge's own while it reads.
class DataFileNameScope {
public:
    DataFileNameScope(CxHelperBridge& bridge, void (CxHelperBridge::*set)(const char*), const char* name)
        : m_bridge(bridge), m_set(set), m_saved(bridge.GetDataFileName()), m_active(name != nullptr && *name != '\0') {
        if (m_active) (m_bridge.*m_set)(name);
    }
    ~DataFileNameScope() {
        if (m_active) (m_bridge.*m_set)(m_saved.c_str());
    }
    DataFileNameScope(const DataFileNameScope&) = delete;
    DataFileNameScope& operator=(const DataFileNameScope&) = delete;

private:
    CxHelperBridge& m_bridge;
    void (CxHelperBridge::*m_set)(const char*);
    std::string m_saved;
    bool m_active;
};

}  // namespace

CxGDateUtil::CxGDateUtil() : CxHelperKindBridge(kHelperGDate) {}

void CxGDateUtil::Clear() {
    m_calendars.clear();
    CxHelperKindBridge::Clear();
}

bool CxGDateUtil::Load() {
    Clear();
    CX_LOG(kLogDetail, "Start loading Google Calendar.");
    m_operation = 1;
    if (!InvokeHelper_()) return false;
    if (!LoadEvents(nullptr)) {
        CX_LOG(kLogCritical, "Failed to load Calendar events information from file.");
        return false;
    }
    if (!LoadCalendars(nullptr)) {
        CX_LOG(kLogCritical, "Failed to load Calendar definition information from file.");
        return false;
    }
    CX_LOG(kLogDetail, "Load Google Calendar successfully.");
    return true;
}

bool CxGDateUtil::LoadEvents(const char* fileName) {
    DataFileNameScope scope(*this, &CxHelperBridge::SetDataFileName, fileName);
    return LoadDataFile_(kEventTexts);
}

bool CxGDateUtil::LoadCalendars(const char* fileName) {
    const std::string name = fileName != nullptr && *fileName != '\0' ? fileName : kGoogleCalendarsFile;
    CX_LOG(kLogDetail, "Start loading Calendar definition information from file: %s", name.c_str());
    m_calendars.clear();
    const std::string path = ExchangePath_(name.c_str());
    CxFile file;
    if (!file.Open(path.c_str(), "rb")) {
        CX_LOG(kLogCritical, "Failed to open file: %s", path.c_str());
        if (!HasError()) {
            char text[kErrorCapacity];
            std::snprintf(text, sizeof text, "The helper program %s left no calendars file: %s", GetHelperKind().helper,
                          path.c_str());
            SetError_(text);
        }
        return false;
    }
    std::int32_t count = 0;
    file.ReadInt(count);
    if (!file.HadShortRead()) CX_LOG(kLogDetail, "There are %d calendars in total.", static_cast<int>(count));
    for (std::int32_t i = 0; i < count && !file.HadShortRead(); ++i) {
        auto cal = std::make_unique<GCalRec>();
        cxexchange::ReadText(file, cal->Name);
        cxexchange::ReadText(file, cal->CalendarID);
        cxexchange::ReadText(file, cal->Description);
        cxexchange::ReadText(file, cal->TimeZone);
        if (!file.HadShortRead()) m_calendars.push_back(std::move(cal));
    }
    const bool cut = file.HadShortRead();
    file.Close();
    if (cut) {
        char text[kErrorCapacity];
        std::snprintf(text, sizeof text, "The calendars file %s ends before its last calendar.", path.c_str());
        CX_LOG(kLogCritical, "%s", text);
        SetError_(text);
        return false;
    }
    CX_LOG(kLogDetail, "Load Calendar definition information successfully.");
    return true;
}

bool CxGDateUtil::SaveEvents(const char*) {
    CX_LOG(kLogDetail, "Saving Google Calendar events is not offered.");
    return false;
}

bool CxGDateUtil::SaveCalendars(const char*) {
    CX_LOG(kLogDetail, "Saving Google calendars is not offered.");
    return false;
}

bool CxGDateUtil::LoadRecFromFile_(CxFile& file, GDateRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.EventID);
    ReadText(file, r.Title);
    ReadText(file, r.Location);
    ReadDate(file, r.Start);
    ReadDate(file, r.End);
    ReadInt(file, r.AllDay);
    ReadInt(file, r.Visibility);
    ReadInt(file, r.Transparency);
    ReadInt(file, r.ReminderCount);
    ReadInts(file, r.ReminderMethod);
    ReadInts(file, r.ReminderOffset);
    ReadInts(file, r.ReminderUnit);
    ReadText(file, r.Recurrence);
    ReadInt(file, r.RecurrenceType);
    ReadInt(file, r.RecurrenceHasEnd);
    ReadDate(file, r.RecurrenceStart);
    ReadDate(file, r.RecurrenceEnd);
    ReadInt(file, r.Interval);
    ReadInt(file, r.DayOfWeekMask);
    ReadInt(file, r.DayOfMonth);
    ReadInt(file, r.MonthOfYear);
    ReadInt(file, r.Instance);
    ReadText(file, r.Extra);
    ReadText(file, r.CalendarID);
    ReadText(file, r.Description);
    ReadText(file, r.Category);
    ReadDate(file, r.CreationTime);
    ReadDate(file, r.LastModificationTime);
    return true;
}

void CxGDateUtil::ConvertRecord_(const GDateRec& r, CommDateRec& rec) {
    const CxGTextCopier copy(CommKindDate, r.Header[0]);
    copy(rec.Subject, r.Title, "Title");
    copy(rec.Location, r.Location, "Location");
    rec.Start = TimeOf(r.Start);
    rec.End = TimeOf(r.End);
    rec.Visibility = r.Visibility == 1 || r.Visibility == 2 ? r.Visibility : 0;
    rec.Transparency = r.Transparency == 1 || r.Transparency == 2 ? r.Transparency : 0;

    CommRepeatInfo& repeat = rec.Repeat;
    repeat.Type = r.RecurrenceType >= CommRepeatNone && r.RecurrenceType <= CommRepeatYearlyByDate ? r.RecurrenceType
                                                                                                   : CommRepeatNone;
    repeat.HasEnd = r.RecurrenceHasEnd != 0 ? 1 : 0;
    repeat.StartDate = TimeOf(r.RecurrenceStart);
    repeat.EndDate = TimeOf(r.RecurrenceEnd);
    repeat.Interval = r.Interval;
    repeat.DayOfWeekMask = r.DayOfWeekMask;
    repeat.DayOfMonth = r.DayOfMonth;
    repeat.MonthOfYear = r.MonthOfYear;
    repeat.Instance = r.Instance;
    CxGApplyRecurrenceText(r.Recurrence, rec);

    // An all-day event covers whole days, as every all-day event here does.
    rec.AllDay = r.AllDay != 0 ? 1 : 0;
    if (rec.AllDay) SpanWholeDays(rec.Start, rec.End);

    rec.ReminderCount = r.ReminderCount < 0 ? 0 : (r.ReminderCount > 3 ? 3 : r.ReminderCount);
    for (std::int32_t i = 0; i < rec.ReminderCount; ++i) {
        rec.Reminders[i].Method = r.ReminderMethod[i] == 1 ? 1 : 2;
        rec.Reminders[i].Amount = r.ReminderOffset[i];
        rec.Reminders[i].Unit = ReminderUnit(r.ReminderUnit[i]);
    }
    // A reminder is set when the event has one, so that it reaches Outlook.
    rec.Alarm = rec.ReminderCount > 0 ? 1 : 0;

    copy(rec.Note, r.Description, "Description");
    copy(rec.Category, r.Category, "Category");
    rec.SourceType = CommSourceGoogle;
}
