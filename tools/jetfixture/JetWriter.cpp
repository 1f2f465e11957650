#include "tools/jetfixture/JetWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/file/AtomicFile.h"
#include "platform/jet/JetFileCheck.h"
#include "platform/text/LittleEndianWriter.h"
#include "tools/jetfixture/JetTextEncoding.h"

namespace jetfixture {

namespace {

using platform::AppendLE16;
using platform::AppendLE32;
using platform::PutLE;
using platform::PutLE16;
using platform::PutLE32;

constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kRowTableStart = 14;                           // first row offset of a data page
constexpr std::size_t kMaxRowSize = kPageSize - kRowTableStart - 2;  // one row alone on a page
constexpr std::size_t kLongValueChunk = kMaxRowSize - 4;             // data of one page of a chained value
constexpr std::size_t kMemoHeader = 12;
constexpr int kMaxRowsPerPage = 255;  // a row number is one byte of a page/row pointer
constexpr std::uint32_t kCatalogPage = 2;
constexpr std::size_t kCompressibleMemoChars = 1024;

using Page = std::array<std::uint8_t, kPageSize>;

bool IsFixed(ColumnType t) {
    switch (t) {
    case ColumnType::Binary:
    case ColumnType::Text:
    case ColumnType::OLE:
    case ColumnType::Memo: return false;
    default: return true;
    }
}

bool IsLongValue(ColumnType t) { return t == ColumnType::OLE || t == ColumnType::Memo; }
bool IsTextual(ColumnType t) { return t == ColumnType::Text || t == ColumnType::Memo; }

// Bytes a fixed column takes in a row (a boolean lives in the null mask).
std::size_t FixedSize(ColumnType t) {
    switch (t) {
    case ColumnType::Boolean: return 0;
    case ColumnType::Byte: return 1;
    case ColumnType::Integer: return 2;
    case ColumnType::LongInteger:
    case ColumnType::Single: return 4;
    default: return 8;  // Currency, Double, DateTime
    }
}

struct ColumnLayout {
    ColumnDef def;
    bool fixed = true;
    std::uint16_t number = 0;
    std::uint16_t varIndex = 0;
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0;  // the column length field of the definition
};

struct TableLayout {
    const TableDef* table = nullptr;
    bool system = false;
    std::vector<ColumnLayout> columns;
    std::size_t numVar = 0;
    std::size_t fixedSize = 0;
    std::uint32_t tdefPage = 0;
    std::size_t tdefPages = 0;
    std::vector<std::uint32_t> dataPages;
    std::uint32_t usageMap = 0;  // page/row pointers
    std::uint32_t freeMap = 0;
};

// A page that holds rows: table data, long values, or usage maps.
struct RowPage {
    std::uint32_t page = 0;
    int rows = 0;
    std::size_t freeEnd = kPageSize;
};

class FileBuilder {
public:
    std::uint32_t NewPage() {
        m_pages.emplace_back();
        m_pages.back().fill(0);
        return static_cast<std::uint32_t>(m_pages.size() - 1);
    }
    Page& At(std::uint32_t page) { return m_pages[page]; }
    std::vector<Page>& Pages() { return m_pages; }

    // Starts a row page with its header; `owner` is the definition page of
    // its table, or the text "LVAL" for long values.
    RowPage StartRowPage(std::uint32_t owner) {
        RowPage rp;
        rp.page = NewPage();
        Page& p = At(rp.page);
        p[0] = 0x01;
        p[1] = 0x01;
        PutLE32(&p[4], owner);
        UpdateRowHeader(rp);
        return rp;
    }

    static bool Fits(const RowPage& rp, std::size_t size) {
        return rp.rows < kMaxRowsPerPage && kRowTableStart + 2 * (rp.rows + 1) + size <= rp.freeEnd;
    }

    // Puts a row on the page; returns its page/row pointer.
    std::uint32_t PlaceRow(RowPage& rp, const std::vector<std::uint8_t>& row) {
        Page& p = At(rp.page);
        rp.freeEnd -= row.size();
        if (!row.empty()) std::memcpy(&p[rp.freeEnd], row.data(), row.size());
        PutLE16(&p[kRowTableStart + 2 * rp.rows], static_cast<std::uint32_t>(rp.freeEnd));
        const std::uint32_t pointer = (rp.page << 8) | static_cast<std::uint32_t>(rp.rows);
        ++rp.rows;
        UpdateRowHeader(rp);
        return pointer;
    }

    // A long value row on the shared long-value page, or on a new one.
    std::uint32_t PlaceLongValueRow(const std::vector<std::uint8_t>& row) {
        if (!m_lval || !Fits(*m_lval, row.size())) m_lval = StartRowPage(kLvalOwner);
        return PlaceRow(*m_lval, row);
    }

    // A usage map row, on page 1 or on a further map page.
    std::uint32_t PlaceMapRow(const std::vector<std::uint8_t>& row) {
        if (!Fits(m_map, row.size())) m_map = StartRowPage(0);
        return PlaceRow(m_map, row);
    }

    void InitMapPage(std::uint32_t page) {
        m_map.page = page;
        Page& p = At(page);
        p[0] = 0x01;
        p[1] = 0x01;
        UpdateRowHeader(m_map);
    }

    // The stored form of a memo or OLE value: the 12-byte header, followed
    // by the value itself when it stays in the row.
    std::vector<std::uint8_t> LongValueField(const std::vector<std::uint8_t>& value, bool inRow) {
        std::vector<std::uint8_t> field(kMemoHeader, 0);
        const std::uint32_t len = static_cast<std::uint32_t>(value.size());
        if (inRow) {
            PutLE32(&field[0], len | 0x80000000u);
            field.insert(field.end(), value.begin(), value.end());
        } else if (value.size() <= kMaxRowSize) {
            PutLE32(&field[0], len | 0x40000000u);
            PutLE32(&field[4], PlaceLongValueRow(value));
        } else {
            // One page per piece, each piece pointing at the next.
            const std::size_t pieces = (value.size() + kLongValueChunk - 1) / kLongValueChunk;
            std::vector<RowPage> pages;
            for (std::size_t i = 0; i < pieces; ++i) pages.push_back(StartRowPage(kLvalOwner));
            for (std::size_t i = 0; i < pieces; ++i) {
                const std::size_t from = i * kLongValueChunk;
                const std::size_t n = std::min(kLongValueChunk, value.size() - from);
                std::vector<std::uint8_t> row;
                AppendLE32(row, i + 1 < pieces ? (pages[i + 1].page << 8) : 0);
                row.insert(row.end(), value.begin() + static_cast<std::ptrdiff_t>(from),
                           value.begin() + static_cast<std::ptrdiff_t>(from + n));
                PlaceRow(pages[i], row);
            }
            PutLE32(&field[0], len);
            PutLE32(&field[4], pages[0].page << 8);
        }
        return field;
    }

private:
    static constexpr std::uint32_t kLvalOwner =
        'L' | ('V' << 8) | ('A' << 16) | (static_cast<std::uint32_t>('L') << 24);

    void UpdateRowHeader(const RowPage& rp) {
        Page& p = At(rp.page);
        PutLE16(&p[12], static_cast<std::uint32_t>(rp.rows));
        PutLE16(&p[2], static_cast<std::uint32_t>(rp.freeEnd - (kRowTableStart + 2 * rp.rows)));
    }

    std::vector<Page> m_pages;
    std::optional<RowPage> m_lval;
    RowPage m_map;
};

std::string ColumnText(const TableDef& t, const ColumnDef& c) {
    return "column \"" + c.name + "\" of table \"" + t.name + "\"";
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool LayOut(const TableDef& table, bool system, TableLayout& out, std::string& error) {
    out.table = &table;
    out.system = system;
    if (table.name.empty() || table.name.size() > 64) {
        error = "table name \"" + table.name + "\" must have 1 to 64 characters";
        return false;
    }
    if (table.columns.empty() || table.columns.size() > 255) {
        error = "table \"" + table.name + "\" must have 1 to 255 columns";
        return false;
    }
    std::size_t fixedOffset = 0;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& c = table.columns[i];
        if (c.name.empty() || c.name.size() > 64) {
            error = "a column name of table \"" + table.name + "\" must have 1 to 64 characters";
            return false;
        }
        for (std::size_t k = 0; k < i; ++k) {
            if (SameName(table.columns[k].name, c.name)) {
                error = ColumnText(table, c) + " is defined twice";
                return false;
            }
        }
        const auto code = static_cast<std::uint8_t>(c.type);
        if (code < 0x01 || code > 0x0C) {
            error = ColumnText(table, c) + " has an unknown type";
            return false;
        }
        ColumnLayout col;
        col.def = c;
        col.number = static_cast<std::uint16_t>(i);
        col.fixed = IsFixed(c.type);
        if (col.fixed) {
            col.fixedOffset = static_cast<std::uint16_t>(fixedOffset);
            fixedOffset += FixedSize(c.type);
            col.length = static_cast<std::uint16_t>(c.type == ColumnType::Boolean ? 1 : FixedSize(c.type));
        } else {
            col.varIndex = static_cast<std::uint16_t>(out.numVar++);
            if (c.type == ColumnType::Text || c.type == ColumnType::Binary) {
                if (c.size < 1 || c.size > 255) {
                    error = ColumnText(table, c) + " must have a size of 1 to 255";
                    return false;
                }
                col.length = static_cast<std::uint16_t>(c.type == ColumnType::Text ? 2 * c.size : c.size);
            }
        }
        out.columns.push_back(col);
    }
    out.fixedSize = fixedOffset;
    return true;
}

// One value in its stored form; `isNull` and `boolValue` report what goes
// to the null mask.
bool EncodeValue(const TableDef& table, const ColumnLayout& col, const Cell& cell, const WriterOptions& options,
                 std::vector<std::uint8_t>& out, bool& isNull, std::string& error) {
    out.clear();
    isNull = std::holds_alternative<Null>(cell);
    const ColumnType t = col.def.type;
    auto wrongKind = [&] {
        error = "a value of " + ColumnText(table, col.def) + " does not suit its type";
        return false;
    };
    auto outOfRange = [&] {
        error = "a value of " + ColumnText(table, col.def) + " is out of range";
        return false;
    };
    if (isNull) {
        if (col.fixed) out.assign(FixedSize(t), 0);
        return true;
    }
    if (t == ColumnType::Boolean) {
        if (!std::holds_alternative<bool>(cell)) return wrongKind();
        isNull = !std::get<bool>(cell);  // the mask bit is the value
        return true;
    }
    if (IsTextual(t)) {
        if (!std::holds_alternative<std::string>(cell)) return wrongKind();
        std::u16string units;
        if (!Utf8ToUtf16(std::get<std::string>(cell), units)) {
            error = "a value of " + ColumnText(table, col.def) + " is not UTF-8";
            return false;
        }
        if (t == ColumnType::Text && units.size() > static_cast<std::size_t>(col.def.size)) {
            error = "a value of " + ColumnText(table, col.def) + " is longer than " + std::to_string(col.def.size) +
                    " characters";
            return false;
        }
        const bool compress = options.compressText && (t == ColumnType::Text || units.size() <= kCompressibleMemoChars);
        out = EncodeJetText(units, compress);
        return true;
    }
    if (t == ColumnType::Binary || t == ColumnType::OLE) {
        if (!std::holds_alternative<Bytes>(cell)) return wrongKind();
        out = std::get<Bytes>(cell);
        if (t == ColumnType::Binary && out.size() > static_cast<std::size_t>(col.def.size)) return outOfRange();
        return true;
    }
    out.assign(FixedSize(t), 0);
    if (t == ColumnType::Byte || t == ColumnType::Integer || t == ColumnType::LongInteger) {
        if (!std::holds_alternative<std::int64_t>(cell)) return wrongKind();
        const std::int64_t v = std::get<std::int64_t>(cell);
        const std::int64_t lo = t == ColumnType::Byte      ? 0
                                : t == ColumnType::Integer ? -32768
                                                           : std::numeric_limits<std::int32_t>::min();
        const std::int64_t hi = t == ColumnType::Byte      ? 255
                                : t == ColumnType::Integer ? 32767
                                                           : std::numeric_limits<std::int32_t>::max();
        if (v < lo || v > hi) return outOfRange();
        const auto u = static_cast<std::uint32_t>(v);
        PutLE(out, 0, u, out.size());
        return true;
    }
    if (t == ColumnType::Currency) {
        std::int64_t scaled = 0;
        if (std::holds_alternative<std::int64_t>(cell)) {
            const std::int64_t v = std::get<std::int64_t>(cell);
            if (v > std::numeric_limits<std::int64_t>::max() / 10000 ||
                v < std::numeric_limits<std::int64_t>::min() / 10000)
                return outOfRange();
            scaled = v * 10000;
        } else if (std::holds_alternative<double>(cell)) {
            const double v = std::get<double>(cell) * 10000.0;
            if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) return outOfRange();
            scaled = std::llround(v);
        } else {
            return wrongKind();
        }
        const auto u = static_cast<std::uint64_t>(scaled);
        PutLE(out, 0, u, 8);
        return true;
    }
    // Single, Double, DateTime
    if (!std::holds_alternative<double>(cell)) return wrongKind();
    const double v = std::get<double>(cell);
    if (t == ColumnType::Single) {
        PutLE(out, 0, std::bit_cast<std::uint32_t>(static_cast<float>(v)), 4);
    } else {
        PutLE(out, 0, std::bit_cast<std::uint64_t>(v), 8);
    }
    return true;
}

// Encodes one row, placing its long values, and returns its bytes.
bool EncodeRow(FileBuilder& file, const TableLayout& layout, const std::vector<Cell>& cells, std::size_t rowNumber,
               const WriterOptions& options, std::vector<std::uint8_t>& row, std::string& error) {
    const TableDef& table = *layout.table;
    if (cells.size() != layout.columns.size()) {
        error = "row " + std::to_string(rowNumber + 1) + " of table \"" + table.name + "\" has " +
                std::to_string(cells.size()) + " values for " + std::to_string(layout.columns.size()) + " columns";
        return false;
    }
    const std::size_t n = layout.columns.size();
    std::vector<std::vector<std::uint8_t>> values(n);
    std::vector<bool> nulls(n);
    for (std::size_t i = 0; i < n; ++i) {
        bool isNull = false;
        if (!EncodeValue(table, layout.columns[i], cells[i], options, values[i], isNull, error)) return false;
        nulls[i] = isNull;
    }
    // Long values stay in the row when they are small and the row fits.
    const std::size_t maskBytes = (n + 7) / 8;
    auto rowSize = [&](bool inlineLong) {
        std::size_t size = 2 + layout.fixedSize + maskBytes;
        if (layout.numVar > 0) size += 2 + 2 * layout.numVar + 2;
        for (std::size_t i = 0; i < n; ++i) {
            const ColumnLayout& c = layout.columns[i];
            if (c.fixed || nulls[i]) continue;
            if (IsLongValue(c.def.type))
                size += kMemoHeader +
                        (inlineLong && values[i].size() <= options.inlineLongValueLimit ? values[i].size() : 0);
            else
                size += values[i].size();
        }
        return size;
    };
    bool inlineLong = true;
    if (rowSize(true) > kMaxRowSize) inlineLong = false;
    if (rowSize(inlineLong) > kMaxRowSize) {
        error = "row " + std::to_string(rowNumber + 1) + " of table \"" + table.name + "\" is longer than a page";
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ColumnLayout& c = layout.columns[i];
        if (!nulls[i] && IsLongValue(c.def.type))
            values[i] = file.LongValueField(values[i], inlineLong && values[i].size() <= options.inlineLongValueLimit);
    }

    row.clear();
    AppendLE16(row, static_cast<std::uint32_t>(n));
    row.resize(2 + layout.fixedSize, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const ColumnLayout& c = layout.columns[i];
        if (c.fixed && !values[i].empty()) std::memcpy(&row[2 + c.fixedOffset], values[i].data(), values[i].size());
    }
    if (layout.numVar > 0) {
        std::vector<std::uint32_t> offsets(layout.numVar);
        for (std::size_t i = 0; i < n; ++i) {
            const ColumnLayout& c = layout.columns[i];
            if (c.fixed) continue;
            offsets[c.varIndex] = static_cast<std::uint32_t>(row.size());
            if (!nulls[i]) row.insert(row.end(), values[i].begin(), values[i].end());
        }
        AppendLE16(row, static_cast<std::uint32_t>(row.size()));  // end of the variable data
        for (std::size_t v = layout.numVar; v > 0; --v) AppendLE16(row, offsets[v - 1]);
        AppendLE16(row, static_cast<std::uint32_t>(layout.numVar));
    }
    std::vector<std::uint8_t> mask(maskBytes, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (!nulls[i]) mask[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    row.insert(row.end(), mask.begin(), mask.end());
    return true;
}

// The table definition from byte 8 of its first page on.
std::vector<std::uint8_t> DefinitionStream(const TableLayout& layout) {
    const TableDef& table = *layout.table;
    std::vector<std::uint8_t> s;
    AppendLE32(s, 0);  // length, set below
    AppendLE32(s, 0);
    AppendLE32(s, static_cast<std::uint32_t>(table.rows.size()));
    AppendLE32(s, 0);  // next autonumber
    s.resize(s.size() + 16, 0);
    s.push_back(layout.system ? 0x53 : 0x4E);
    AppendLE16(s, static_cast<std::uint32_t>(layout.columns.size()));  // most columns a row has
    AppendLE16(s, static_cast<std::uint32_t>(layout.numVar));
    AppendLE16(s, static_cast<std::uint32_t>(layout.columns.size()));
    AppendLE32(s, 0);  // logical indexes
    AppendLE32(s, 0);  // index entries
    AppendLE32(s, layout.usageMap);
    AppendLE32(s, layout.freeMap);
    for (const ColumnLayout& c : layout.columns) {
        std::uint8_t e[25] = {};
        e[0] = static_cast<std::uint8_t>(c.def.type);
        PutLE16(&e[5], c.number);
        PutLE16(&e[7], c.varIndex);
        PutLE16(&e[9], c.number);
        if (IsTextual(c.def.type)) PutLE16(&e[11], 0x0409);  // "General" sort order
        e[15] = static_cast<std::uint8_t>((c.fixed ? 0x01 : 0x00) | 0x02);
        if (IsTextual(c.def.type)) e[16] = 0x01;  // compressed unicode allowed
        PutLE16(&e[21], c.fixedOffset);
        PutLE16(&e[23], c.length);
        s.insert(s.end(), e, e + sizeof e);
    }
    for (const ColumnLayout& c : layout.columns) {
        std::u16string units;
        Utf8ToUtf16(c.def.name, units);
        const auto bytes = EncodeJetText(units, false);
        AppendLE16(s, static_cast<std::uint32_t>(bytes.size()));
        s.insert(s.end(), bytes.begin(), bytes.end());
    }
    AppendLE16(s, 0xFFFF);  // no long-value column maps
    PutLE32(&s[0], static_cast<std::uint32_t>(s.size()));
    return s;
}

constexpr std::size_t kDefinitionBytesPerPage = kPageSize - 8;

std::size_t DefinitionPages(const TableLayout& layout) {
    return (DefinitionStream(layout).size() + kDefinitionBytesPerPage - 1) / kDefinitionBytesPerPage;
}

void WriteDefinition(FileBuilder& file, const TableLayout& layout) {
    const std::vector<std::uint8_t> s = DefinitionStream(layout);
    std::size_t from = 0;
    for (std::size_t i = 0; i < layout.tdefPages; ++i) {
        Page& p = file.At(layout.tdefPage + static_cast<std::uint32_t>(i));
        const std::size_t n = std::min(kDefinitionBytesPerPage, s.size() - from);
        p[0] = 0x02;
        p[1] = 0x01;
        const std::size_t freeBytes = kDefinitionBytesPerPage - n;
        PutLE16(&p[2], static_cast<std::uint32_t>(freeBytes >= 8 ? freeBytes - 8 : 0));
        PutLE32(&p[4], i + 1 < layout.tdefPages ? layout.tdefPage + static_cast<std::uint32_t>(i) + 1 : 0);
        std::memcpy(&p[8], s.data() + from, n);
        from += n;
    }
}

std::vector<std::uint8_t> UsageMap(const std::vector<std::uint32_t>& pages) {
    std::vector<std::uint8_t> map{0x00};
    const std::uint32_t first = pages.empty() ? 0 : pages.front();
    AppendLE32(map, first);
    if (pages.empty()) return map;
    map.resize(5 + (pages.back() - first) / 8 + 1, 0);
    for (std::uint32_t p : pages) map[5 + (p - first) / 8] |= static_cast<std::uint8_t>(1u << ((p - first) % 8));
    return map;
}

void WriteHeader(Page& p) {
    p[0] = 0x00;
    p[1] = 0x01;
    static const char kSignature[] = "Standard Jet DB";
    std::memcpy(&p[4], kSignature, sizeof kSignature);
    p[0x14] = 0x01;                  // Jet 4
    PutLE16(&p[0x3C], 1252);         // code page
    PutLE32(&p[0x3E], 0);            // no encryption key
    PutLE16(&p[0x6E], 0x0409);       // sort order
    const double created = 36526.0;  // 1 January 2000
    PutLE(&p[0x72], std::bit_cast<std::uint64_t>(created), 8);
    platform::jet::ScrambleJetHeader(p.data());
}

}  // namespace

TableDef& JetWriter::AddTable(std::string name, std::vector<ColumnDef> columns) {
    TableDef& t = m_tables.emplace_back();
    t.name = std::move(name);
    t.columns = std::move(columns);
    return t;
}

bool JetWriter::Build(std::vector<std::uint8_t>& out, std::string& error) const {
    error.clear();
    for (std::size_t i = 0; i < m_tables.size(); ++i) {
        if (m_tables[i].name.size() >= 4 && SameName(m_tables[i].name.substr(0, 4), "MSys")) {
            error = "table name \"" + m_tables[i].name + "\" is reserved";
            return false;
        }
        for (std::size_t k = 0; k < i; ++k) {
            if (SameName(m_tables[k].name, m_tables[i].name)) {
                error = "table \"" + m_tables[i].name + "\" is defined twice";
                return false;
            }
        }
    }

    TableDef catalog;
    catalog.name = "MSysObjects";
    catalog.columns = {{"Id", ColumnType::LongInteger},    {"ParentId", ColumnType::LongInteger},
                       {"Name", ColumnType::Text, 128},    {"Type", ColumnType::Integer},
                       {"Flags", ColumnType::LongInteger}, {"LvProp", ColumnType::OLE}};
    std::vector<TableLayout> layouts(m_tables.size() + 1);
    if (!LayOut(catalog, true, layouts[0], error)) return false;
    for (std::size_t i = 0; i < m_tables.size(); ++i)
        if (!LayOut(m_tables[i], false, layouts[i + 1], error)) return false;

    FileBuilder file;
    WriteHeader(file.At(file.NewPage()));
    file.InitMapPage(file.NewPage());
    for (TableLayout& layout : layouts) {
        layout.tdefPages = DefinitionPages(layout);
        layout.tdefPage = file.NewPage();
        for (std::size_t i = 1; i < layout.tdefPages; ++i) file.NewPage();
    }
    if (layouts[0].tdefPage != kCatalogPage) {
        error = "the catalog definition must be page 2";
        return false;
    }

    constexpr std::int64_t kTablesFolder = 0x0F000001;
    constexpr std::int64_t kSystemFlags = static_cast<std::int32_t>(0x80000002u);
    catalog.rows.push_back(
        {std::int64_t{kCatalogPage}, kTablesFolder, std::string("MSysObjects"), std::int64_t{1}, kSystemFlags, Null{}});
    for (std::size_t i = 0; i < m_tables.size(); ++i)
        catalog.rows.push_back({std::int64_t{layouts[i + 1].tdefPage}, kTablesFolder, m_tables[i].name, std::int64_t{1},
                                std::int64_t{0}, Null{}});

    std::vector<std::uint8_t> row;
    for (TableLayout& layout : layouts) {
        std::optional<RowPage> current;
        for (std::size_t r = 0; r < layout.table->rows.size(); ++r) {
            if (!EncodeRow(file, layout, layout.table->rows[r], r, m_options, row, error)) return false;
            if (!current || !FileBuilder::Fits(*current, row.size())) {
                current = file.StartRowPage(layout.tdefPage);
                layout.dataPages.push_back(current->page);
            }
            file.PlaceRow(*current, row);
        }
    }
    for (TableLayout& layout : layouts) {
        const std::vector<std::uint8_t> map = UsageMap(layout.dataPages);
        if (map.size() > kMaxRowSize) {
            error = "table \"" + layout.table->name + "\" spreads over too many pages";
            return false;
        }
        layout.usageMap = file.PlaceMapRow(map);
        layout.freeMap = file.PlaceMapRow(UsageMap({}));
        WriteDefinition(file, layout);
    }

    out.clear();
    out.reserve(file.Pages().size() * kPageSize);
    for (const Page& p : file.Pages()) out.insert(out.end(), p.begin(), p.end());
    return true;
}

bool JetWriter::Write(const std::string& path, std::string& error) const {
    std::vector<std::uint8_t> bytes;
    if (!Build(bytes, error)) return false;
    platform::file::AtomicOptions options;
    options.mode = 0644;  // a fixture others may read
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return platform::file::WriteFileAtomically(path, text, options, &error);
}

}  // namespace jetfixture
