#include "helpers/act/ActTextExport.h"

#include <cctype>

#include "helpers/act/ActColumnNames.h"
#include "helpers/act/ActExportValues.h"
#include "helpers/pim/CsvReader.h"
#include "platform/text/AsciiCase.h"

namespace act {

namespace {

// The separator of the first line, quoted parts not counted: the tab when
// it has more tabs than commas, else the comma; a semicolon only when the
// line has neither.
char DetectSeparator(std::string_view text) {
    int commas = 0, tabs = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        commas += c == ',';
        tabs += c == '\t';
        semicolons += c == ';';
    }
    if (tabs > commas) return '\t';
    if (commas == 0 && semicolons > 0) return ';';
    return ',';
}

bool Blank(const std::string& s) {
    for (const char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

// Tables carry no NUL, and a text file read as windows-1252 gives no C0
// control but tab and line ends in its first line.
bool LooksLikeText(std::string_view header) {
    for (const char c : header)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

// The field of each column, 0 for those not read. A field named twice is
// read from its first column.
ExportFailure MapColumns(const pim::CsvRow& header, std::vector<std::int32_t>& fields,
                         std::vector<std::string>& unknown) {
    fields.assign(header.size(), 0);
    bool any = false;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (!LooksLikeText(header[i])) return ExportFailure::NotATable;
        const std::int32_t id = FieldOfColumn(header[i]);
        bool seen = false;
        for (std::size_t j = 0; j < i && id != 0; ++j) seen = seen || fields[j] == id;
        if (id != 0 && !seen) {
            fields[i] = id;
            any = true;
        } else if (!Blank(header[i])) {
            unknown.push_back(header[i]);
        }
    }
    return any ? ExportFailure::None : ExportFailure::NotATable;
}

}  // namespace

bool IsTextExportName(std::string_view path) {
    return platform::EndsWithNoCase(path, ".csv") || platform::EndsWithNoCase(path, ".txt");
}

ExportFailure ReadTextExport(std::string_view bytes, ExportTable& out, const ContactSink& onContact,
                             const std::function<bool()>& stop, const std::function<void(int, int)>& progress) {
    // Most exports are UTF-8 already and are read where they lie.
    std::string converted;
    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF" || !IsValidUtf8(text)) {
        converted = ExportTextAsUtf8(bytes);
        text = converted;
    }
    if (stop && stop()) return ExportFailure::Stopped;
    out.separator = DetectSeparator(text);
    bool stopped = false;
    auto stopNow = [&](int row) {
        if (row % 256 == 0 && stop && stop()) stopped = true;
        return stopped;
    };
    // The rows in all first, for the progress line.
    int total = -1;
    pim::ReadCsvRows(text, out.separator, [&](pim::CsvRow&) { return !stopNow(++total); });
    if (stopped) return ExportFailure::Stopped;
    if (total < 0) return ExportFailure::Empty;
    out.rows = total;

    const auto& catalogue = ACTAddrFields();
    std::vector<std::int32_t> fields;
    ExportFailure failure = ExportFailure::None;
    int r = -1;
    Contact c;
    pim::ReadCsvRows(text, out.separator, [&](pim::CsvRow& row) {
        if (++r == 0) {
            failure = MapColumns(row, fields, out.unknownColumns);
            return failure == ExportFailure::None;
        }
        if (stopNow(r) || r > total) return false;
        if (progress) progress(r, total);
        // One record, emptied for each row: a contact is large.
        for (std::string& t : c.text) t.clear();
        c.flag.fill(false);
        c.date.fill(0);
        bool filled = false;
        for (std::size_t i = 0; i < fields.size() && i < row.size(); ++i) {
            const std::int32_t id = fields[i];
            if (id == 0 || Blank(row[i])) continue;
            filled = true;
            const auto at = static_cast<std::size_t>(id);
            switch (catalogue[at - 1].Kind) {
            case kACTFieldFlag: c.flag[at] = ParseExportFlag(row[i]); break;
            case kACTFieldDate: {
                bool ok = true;
                c.date[at] = ParseExportDate(row[i], ok);
                out.badDates += ok ? 0 : 1;
                break;
            }
            default: c.text[at] = WithCrLf(row[i]); break;
            }
        }
        if (!filled) {
            ++out.skipped;
            return true;
        }
        ++out.contacts;
        if (onContact(c)) return true;
        stopped = true;
        return false;
    });
    if (stopped) return ExportFailure::Stopped;
    return failure;
}

}  // namespace act
