#include "helpers/pim/CsvReader.h"

#include "platform/text/Utf8.h"

namespace pim {

std::string CsvTextAsUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
    const bool le = bytes.substr(0, 2) == "\xFF\xFE";
    const bool be = bytes.substr(0, 2) == "\xFE\xFF";
    if (!le && !be) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(le ? (a | b << 8) : (a << 8 | b));
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        platform::AppendUtf8(out, cp);
    }
    return out;
}

bool ReadCsvRows(std::string_view text, char separator, const std::function<bool(CsvRow&)>& onRow) {
    CsvRow row;
    std::string field;
    bool quoted = false, fieldStarted = false, going = true;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        if (!(row.size() == 1 && row[0].empty())) going = onRow(row);
        row.clear();
    };
    for (std::size_t i = 0; i < text.size() && going; ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    if (going && (fieldStarted || !field.empty() || !row.empty())) endRow();
    return going;
}

std::vector<CsvRow> ReadCsv(std::string_view text, char separator) {
    std::vector<CsvRow> rows;
    ReadCsvRows(text, separator, [&rows](CsvRow& row) {
        rows.push_back(std::move(row));
        return true;
    });
    return rows;
}

}  // namespace pim
