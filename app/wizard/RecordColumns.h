#pragma once
// The columns of the record review lists: each kind's headers and widths,
// and the texts a record shows in them.
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppAdapter.h"
#include "platform/clock/SystemTime.h"

struct RecordColumn {
    const char* header;
    int width;  // pixels
};

// The columns of a kind (CommRecordKind); empty for any other value.
std::span<const RecordColumn> RecordColumnsOf(int kind);

// One text per column of the record's kind, from the common record.
std::vector<std::string> CommonColumnTexts(const CommRecordRef& record);

// "%02d:%02d:%02d" of the time of day.
std::string TimeOfDayText(const SYSTEMTIME& st);
// The date text ("%02d/%02d/%04d", month first) of a local epoch time;
// empty for 0, which stands for no date, and outside the years 1931 to 2030.
std::string DayText(std::time_t day);
// "High", "Low" or "Normal" for a CommPriority.
std::string PriorityText(int priority);
// What a one-line list cell shows of a long text: its beginning, each line
// break as one blank, cut to whole characters.
std::string ListText(std::string_view text);

// Texts of columns taken from a helper application's own record (ACT!,
// Lotus Notes), where dates are date values and a value below 0.001 means
// none: "N/A" then, else the date or time text.
std::string NativeDateText(DATE value);
std::string NativeTimeText(DATE value);
// "High" for priority 0, "Low" for 2, "Normal" otherwise: the coding of
// ACT! and Lotus Notes records.
std::string NativePriorityText(int priority);
