#pragma once
// The texts the Palm Desktop detail windows show of Palm values: texts of
// fixed-size members, and Palm dates (seconds since 1970) as local date and
// time texts.
#include <cstdint>
#include <string>

#include "app/wizard/DetailRows.h"
#include "common/misc/CxDateTime.h"
#include "common/palm/PmConvert.h"
#include "platform/text/TextCopy.h"

namespace detail::palm {

template <std::size_t N>
std::string Text(const char (&text)[N]) {
    return std::string(platform::TextView(text));
}

// A Palm date (or day) as a local date value; 0 for no date.
inline DATE DateValue(std::int32_t seconds, bool day = false) {
    SYSTEMTIME st;
    if (PmIsNoDate(seconds) || !(day ? PmDayToSystemTime(seconds, st) : PmDateToSystemTime(seconds, st))) return 0;
    return CxDateTime(st).GetVariantTime();
}

// The local date ("%02d/%02d/%04d") of a Palm date; empty for no date. A
// day (a due date, an untimed event) may be kept as local or as UTC
// midnight; any other value is an instant.
inline std::string DateText(std::int32_t seconds, bool day = true) { return detail::DateText(DateValue(seconds, day)); }

// The local time of day ("%02d:%02d:%02d") of a Palm date; empty for none.
inline std::string TimeText(std::int32_t seconds) { return detail::TimeText(DateValue(seconds)); }

// The name of a record's category; empty for "Unfiled" and for a name that
// is only the category's number.
template <std::size_t N>
std::string Category(std::int32_t id, const char (&name)[N]) {
    const std::string text = Text(name);
    const char* shown = PmCategoryOf(id, text.c_str());
    return shown != nullptr ? std::string(shown) : std::string();
}

}  // namespace detail::palm
