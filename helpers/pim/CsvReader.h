#pragma once
// Comma-separated tables as RFC 4180 has them and spreadsheet programs
// write them: quoted fields holding commas, doubled quotes and line breaks,
// CR LF or LF line ends, a byte order mark (UTF-8, or UTF-16 as some
// exports are written, turned into UTF-8).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pim {

using CsvRow = std::vector<std::string>;

// Every row of a text; an empty last line is no row. Fields are separated
// by `separator` (a comma, or a tab in tab-delimited exports).
std::vector<CsvRow> ReadCsv(std::string_view text, char separator = ',');

// The same rows one at a time, so that a large table need not be held
// whole; `onRow` may take the row's fields and returns false to end the
// reading early. False when it did.
bool ReadCsvRows(std::string_view text, char separator, const std::function<bool(CsvRow&)>& onRow);

// A UTF-16 text with a byte order mark as UTF-8; any other text unchanged
// (a UTF-8 byte order mark removed).
std::string CsvTextAsUtf8(std::string_view bytes);

}  // namespace pim
