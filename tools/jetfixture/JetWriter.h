#pragma once
// Writes Jet 4 database files (the ".mdb" format of Access 2000 and of
// Palm Desktop 6.x) for tests and sample data.
//
// A database holds tables of typed columns and their rows. The file has the
// system catalog "MSysObjects" on page 2 and, per table, its definition
// pages, data pages, a page-usage map, and long-value ("LVAL") pages for
// memo and OLE values that do not stay in their row. Indexes, queries,
// relationships and properties are not written. Texts are stored as UCS-2,
// or in Jet's compressed form when that is shorter and the table asks for
// it.
#include <cstdint>
#include <deque>
#include <string>
#include <variant>
#include <vector>

namespace jetfixture {

// Jet column type codes.
enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,      // 16 bits
    LongInteger = 0x04,  // 32 bits
    Currency = 0x05,     // 64-bit integer in units of 1/10000
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,  // OLE date (days since 30 December 1899)
    Binary = 0x09,    // up to 255 bytes
    Text = 0x0A,      // up to 255 characters
    OLE = 0x0B,       // long binary
    Memo = 0x0C,      // long text
};

struct ColumnDef {
    std::string name;
    ColumnType type = ColumnType::LongInteger;
    // Text: the most characters (1 to 255); Binary: the most bytes (1 to
    // 255); ignored for the other types.
    int size = 255;
};

struct Null {};
using Bytes = std::vector<std::uint8_t>;

// One value of a row. Text is UTF-8. Integers go to Byte, Integer,
// LongInteger and Currency columns (Currency in whole units), doubles to
// Single, Double, DateTime and Currency columns, booleans to Boolean
// columns, texts to Text and Memo columns, bytes to Binary and OLE columns.
using Cell = std::variant<Null, bool, std::int64_t, double, std::string, Bytes>;

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    std::vector<std::vector<Cell>> rows;  // each row has one cell per column
};

struct WriterOptions {
    // Store texts in the compressed form when it is shorter.
    bool compressText = true;
    // A memo or OLE value whose stored form has at most this many bytes
    // stays in its row when the row still fits its page.
    std::size_t inlineLongValueLimit = 64;
};

class JetWriter {
public:
    explicit JetWriter(WriterOptions options = {}) : m_options(options) {}

    // Adds a table; its name must be new (compared without regard to case)
    // and not start with "MSys".
    TableDef& AddTable(std::string name, std::vector<ColumnDef> columns);
    // The tables in the order they were added.
    TableDef& Table(std::size_t index) { return m_tables.at(index); }
    const TableDef& Table(std::size_t index) const { return m_tables.at(index); }

    // The whole file. False with `error` set when a table or a value does
    // not fit the format (a row longer than a page, a text longer than its
    // column, a value of the wrong kind, invalid UTF-8).
    bool Build(std::vector<std::uint8_t>& file, std::string& error) const;

    // Builds and writes the file: a temporary file beside it, then renamed
    // over it, so a failed write leaves no half-written database.
    bool Write(const std::string& path, std::string& error) const;

private:
    WriterOptions m_options;
    std::deque<TableDef> m_tables;  // references from AddTable stay valid
};

}  // namespace jetfixture
