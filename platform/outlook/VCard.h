#pragma once
// A small vCard codec: content lines with groups, parameters and values,
// unfolding and folding, text escaping and structured values. Reading is
// tolerant of what programs write in versions 2.1, 3.0 and 4.0 (bare type
// parameters, quoted-printable values, quoted parameter values, LF line
// ends) and tells where each line stands in the text, so that a card can be
// rewritten line by line.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/AsciiCase.h"

namespace platform::outlook {

struct VCardParam {
    std::string name;                 // upper case; empty for a bare 2.1 value such as "WORK"
    std::vector<std::string> values;  // as written, quotes removed
};

struct VCardLine {
    std::string group;  // as written
    std::string name;   // upper case
    std::vector<VCardParam> params;
    std::string value;  // raw value: still escaped, quoted-printable already decoded
    std::string line;   // the whole unfolded content line as read, for keeping it unchanged

    // Every TYPE value in upper case (TYPE=a,b, repeated TYPE params, bare
    // 2.1 values, "pref" of version 4.0 given as PREF).
    std::vector<std::string> Types() const;
    bool HasType(std::string_view type) const;
    // The first value of a parameter, or empty.
    std::string Param(std::string_view name) const;
    // The value was written quoted-printable (and `value` holds it decoded).
    bool QuotedPrintable() const;
};

// One logical line of a text and the span [begin, end) of the text it was
// read from, its physical lines and line ends included.
struct SourceLine {
    std::string text;  // unfolded
    std::size_t begin = 0;
    std::size_t end = 0;
    bool openSoftBreak = false;  // the text ends in a quoted-printable soft break that would join what follows
};

struct VCard {
    std::string version;           // "2.1", "3.0", "4.0" or what the card said
    std::vector<VCardLine> lines;  // without BEGIN, END and VERSION
};

// Every card of a text. Text outside BEGIN:VCARD ... END:VCARD is ignored;
// a card without its END line still counts.
std::vector<VCard> ParseVCards(std::string_view text);

// Every logical line of a text, in order; a byte order mark is skipped.
std::vector<SourceLine> SourceLines(std::string_view text);
// Parses one unfolded content line; false when it has no name or no colon.
bool ParseContentLine(std::string_view text, VCardLine& out);
// The head of a line (group, name and parameters) as written, without the
// parameters named in `drop` (upper case; a bare parameter by its value).
std::string LineHead(const VCardLine& line, const std::vector<std::string>& drop);
// A raw value split at unescaped separators; the parts stay escaped.
std::vector<std::string> SplitRaw(std::string_view raw, char separator);
// A version 2.1 line "head:value" with the value quoted-printable encoded
// and folded with soft breaks, ending in CR LF.
std::string QuotedPrintableLine(std::string_view head, std::string_view value);

// Text value escaping of version 3.0: backslash, comma, semicolon and line
// breaks (CR LF and LF both become \n).
std::string EscapeText(std::string_view text, bool escapeComma = true);
// The reverse; \n and \N give CR LF when `crlf`, else LF.
std::string UnescapeText(std::string_view text, bool crlf);
// Splits a raw value at unescaped separators, then unescapes each part.
std::vector<std::string> SplitValue(std::string_view raw, char separator, bool crlf);

// One content line "group.NAME;params:value" folded at 75 octets without
// splitting a UTF-8 character, ending in CR LF. `value` is written as given.
std::string FormatLine(std::string_view name, const std::vector<VCardParam>& params, std::string_view value,
                       std::string_view group = {});
// Folds an unfolded line as FormatLine does.
std::string FoldLine(std::string_view line);

}  // namespace platform::outlook
