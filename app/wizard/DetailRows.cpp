#include "app/wizard/DetailRows.h"

#include <cstdio>

#include "common/misc/CxDateTime.h"

namespace detail {
namespace {

bool NoDate(DATE value) { return value <= 0.001; }

}  // namespace

// The date in the program's form ("%02d/%02d/%04d", month first), but in
// every year a date value can hold: the program's own date text is empty
// before 1931 and after 2030, and a window would hide an old birthday.
std::string DateText(DATE value) {
    if (NoDate(value)) return std::string();
    const CxDateTime date(value);
    if (!date.IsValid()) return std::string();
    const SYSTEMTIME& st = date.GetSystemTime();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", st.wMonth, st.wDay, st.wYear);
    return buffer;
}

std::string TimeText(DATE value) {
    if (NoDate(value)) return std::string();
    const CxDateTime date(value);
    if (!date.IsValid()) return std::string();
    char buffer[32];
    date.FormatTime(buffer, sizeof buffer);
    return buffer;
}

std::string DateTimeText(DATE value) {
    const std::string day = DateText(value);
    return day.empty() ? day : day + " " + TimeText(value);
}

const char* YesNo(bool value) { return value ? "Yes" : "No"; }

std::string PhoneText(std::string_view number, std::string_view extension) {
    if (number.empty()) return std::string();
    std::string text(number);
    if (!extension.empty()) text.append(" * ").append(extension);
    return text;
}

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        if (line.empty()) continue;
        if (!text.empty()) text += '\n';
        text.append(line);
    }
    return text;
}

}  // namespace detail
