#pragma once
// The values of an ACT! text export: its text as UTF-8 whatever it was
// written in, and its dates and yes/no fields as the data files hold them.
#include <string>
#include <string_view>

namespace act {

// UTF-8 (a byte order mark removed; with the mark, broken sequences become
// U+FFFD), UTF-16 with a byte order mark, or,
// for a text that is not valid UTF-8, windows-1252.
std::string ExportTextAsUtf8(std::string_view bytes);

// True when every byte sequence of the text is a UTF-8 character.
bool IsValidUtf8(std::string_view text);

// A date as ACT! writes it, in local time: "M/D/YYYY" with or without a
// time ("3:05 PM", "15:05", "15:05:30"), "D.M.YYYY", or ISO "YYYY-MM-DD"
// with or without "THH:MM[:SS]". A slashed date whose first number cannot
// be a month is read day first; two-digit years are 1930 to 2029. The OLE
// date, or 0 for an empty or unreadable text (`ok` false for the latter).
double ParseExportDate(std::string_view text, bool& ok);

// "Yes", "Y", "True", "1", "-1", "X", "On", "Checked" and "Private" (any
// case) are true;
// everything else false.
bool ParseExportFlag(std::string_view text);

// Line breaks as CR LF, whether the file had LF, CR or CR LF.
std::string WithCrLf(std::string_view text);

}  // namespace act
