#include "app/wizard/DetailRows.h"

#include "common/misc/CxDateTime.h"

namespace detail {
namespace {

bool NoDate(DATE value) { return value <= 0.001; }

template <class Format>
std::string Formatted(DATE value, Format format) {
    if (NoDate(value)) return std::string();
    char buffer[48] = {};
    (CxDateTime(value).*format)(buffer, sizeof buffer);
    return buffer;
}

}  // namespace

std::string DateText(DATE value) { return Formatted(value, &CxDateTime::FormatDate); }
std::string TimeText(DATE value) { return Formatted(value, &CxDateTime::FormatTime); }
std::string DateTimeText(DATE value) { return Formatted(value, &CxDateTime::FormatDateTime); }

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
