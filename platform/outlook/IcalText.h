#pragma once
// Exact texts in iCalendar files. libical trims the blanks around a value
// and knows only one kind of line break, so the texts of an item are read
// from the file's own content lines, and line breaks other than CR LF are
// recorded in a parameter of the property.
#include <string>
#include <string_view>
#include <vector>

namespace platform::outlook {

struct RawProperty {
    std::string name;    // upper case, without a group
    std::string params;  // the parameters as written, each with its leading ';'
    std::string value;   // still escaped
};

// The properties of the first `component` ("VEVENT", ...) that carries no
// RECURRENCE-ID, inside a VCALENDAR or standing alone; nested components
// (alarms) are left out. Empty when there is none.
std::vector<RawProperty> RawComponentProperties(std::string_view text, std::string_view component);

// The first property of a name, or null.
const RawProperty* FindRaw(const std::vector<RawProperty>& props, std::string_view name);

// A TEXT value decoded (\n, \N, \\, \; and \,), and a TEXT list split at
// its unescaped commas, each item decoded.
std::string UnescapeText(std::string_view raw);
std::vector<std::string> SplitTextList(std::string_view raw);

// A text with each line break (CR LF, LF or CR) as LF, and the code of its
// breaks: empty when all are CR LF, "LF" or "CR" when all are of that kind,
// otherwise one letter per break in order, B (CR LF), L (LF) or C (CR).
std::string BreaksToLf(std::string_view text, std::string& code);
// The reverse; a code that does not fit the text gives CR LF breaks.
std::string BreaksFromLf(std::string_view text, std::string_view code);

}  // namespace platform::outlook
