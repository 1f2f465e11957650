#include "app/wizard/RecordColumns.h"

#include <variant>

#include "common/misc/CxDateTime.h"
#include "common/records/CommAddrName.h"
#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"
#include "platform/text/TextCopy.h"

namespace {

constexpr RecordColumn kAddrColumns[] = {
    {"Display Name", 120}, {"Email", 120}, {"Primary Phone", 100}, {"Company", 100}, {"Title", 100},
};
constexpr RecordColumn kDateColumns[] = {
    {"Subject", 200}, {"Start Time", 80}, {"End Time", 80}, {"All Day Event", 100}, {"Location", 150},
};
constexpr RecordColumn kTaskColumns[] = {
    {"Subject", 200},
    {"Importance", 80},
    {"Due Date", 80},
    {"Body", 240},
};
constexpr RecordColumn kNoteColumns[] = {{"Notes", 600}};

// A list cell shows no more than this many bytes of a text.
constexpr std::size_t kListTextBytes = 255;

template <std::size_t N>
std::string Text(const char (&text)[N]) {
    return std::string(text, platform::TextLength(text));
}

template <std::size_t N>
std::string Beginning(const char (&text)[N]) {
    return ListText(std::string_view(text, platform::TextLength(text)));
}

std::vector<std::string> Columns(const CommAddrRec& r) {
    return {CommContactName(r), Text(r.Email), Text(r.PrimaryPhone), Text(r.Company), Text(r.Title)};
}

std::vector<std::string> Columns(const CommDateRec& r) {
    return {Text(r.Subject), TimeOfDayText(r.Start), TimeOfDayText(r.End), r.AllDay != 0 ? "Yes" : "No",
            Text(r.Location)};
}

std::vector<std::string> Columns(const CommTaskRec& r) {
    return {Text(r.Subject), PriorityText(r.Priority), DayText(r.DueDate), Beginning(r.Note)};
}

std::vector<std::string> Columns(const CommNoteRec& r) { return {Beginning(r.Note)}; }

}  // namespace

std::span<const RecordColumn> RecordColumnsOf(int kind) {
    switch (kind) {
    case CommKindAddr: return kAddrColumns;
    case CommKindDate: return kDateColumns;
    case CommKindTask: return kTaskColumns;
    case CommKindNote: return kNoteColumns;
    default: return {};
    }
}

std::vector<std::string> CommonColumnTexts(const CommRecordRef& record) {
    return std::visit([](const auto* rec) { return rec != nullptr ? Columns(*rec) : std::vector<std::string>(); },
                      record);
}

std::string TimeOfDayText(const SYSTEMTIME& st) {
    char buffer[32];
    CxDateTime(st).FormatTime(buffer, sizeof buffer);
    return buffer;
}

std::string DayText(std::time_t day) {
    if (day == 0) return std::string();
    CxDateTime date;
    date.SetTimeT(day);
    if (!date.IsValid()) return std::string();
    char buffer[32];
    date.FormatDate(buffer, sizeof buffer);
    return buffer;
}

std::string PriorityText(int priority) {
    switch (priority) {
    case CommPriorityHigh: return "High";
    case CommPriorityLow: return "Low";
    default: return "Normal";
    }
}

std::string ListText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() <= kListTextBytes; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    out.resize(platform::Utf8PrefixLength(out, kListTextBytes));
    return out;
}

std::string NativeDateText(DATE value) {
    if (value < 0.001) return "N/A";
    char buffer[32];
    CxDateTime(value).FormatDate(buffer, sizeof buffer);
    return buffer;
}

std::string NativeTimeText(DATE value) {
    if (value < 0.001) return "N/A";
    char buffer[32];
    CxDateTime(value).FormatTime(buffer, sizeof buffer);
    return buffer;
}

std::string NativePriorityText(int priority) {
    switch (priority) {
    case 0: return "High";
    case 2: return "Low";
    default: return "Normal";
    }
}
