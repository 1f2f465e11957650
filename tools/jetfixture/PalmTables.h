#pragma once
// The tables of a Palm Desktop 6.x database ("Category" and "Main") and a
// builder for one database file of a kind.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/jetfixture/JetWriter.h"

namespace jetfixture {

enum class PalmKind { Contacts = 1, Calendar = 2, Tasks = 3, Memos = 4 };

// "Address.mdb", "DateBook.mdb", "Todolist.mdb" or "MemoPad.mdb".
const char* PalmDatabaseFileName(PalmKind kind);

// "ID", "Name", "Status", "Color".
std::vector<ColumnDef> PalmCategoryColumns();

// The columns of "Main" in the order Palm Desktop keeps them: 95 for
// contacts, 16 for the calendar, 17 for tasks, 6 for memos. Numbers and
// dates are long integers, flags booleans, notes memos, every other text a
// text column of 255 characters; the memo table keeps its "Category" as
// text.
std::vector<ColumnDef> PalmMainColumns(PalmKind kind);

struct PalmCategory {
    std::int32_t id = 0;
    std::string name;
    std::int32_t status = 0;
    std::int32_t color = 0;
};

// Values of one record by column name; the columns not named get 0, false
// or the empty text.
using PalmRecord = std::vector<std::pair<std::string, Cell>>;

class PalmDatabase {
public:
    explicit PalmDatabase(PalmKind kind, WriterOptions options = {});

    PalmKind Kind() const { return m_kind; }
    void AddCategory(const PalmCategory& category);
    // False with `error` set for a column name that "Main" does not have.
    bool AddRecord(const PalmRecord& record, std::string& error);
    std::size_t RecordCount() const { return m_writer.Table(1).rows.size(); }

    bool Build(std::vector<std::uint8_t>& file, std::string& error) const { return m_writer.Build(file, error); }
    bool Write(const std::string& path, std::string& error) const { return m_writer.Write(path, error); }

private:
    PalmKind m_kind;
    JetWriter m_writer;  // table 0 is "Category", table 1 "Main"
};

}  // namespace jetfixture
