#include "platform/jet/MemoryDatabase.h"

#include <algorithm>

#include "platform/jet/JetNames.h"

namespace platform::jet {

namespace {

class MemoryCursor : public RowCursor {
public:
    MemoryCursor(const MemoryTable& table, std::vector<std::size_t> columns)
        : m_table(table), m_columns(std::move(columns)) {}

    bool Fetch(std::vector<Value>& values) override {
        if (m_next >= m_table.rows.size()) return false;
        const std::vector<Value>& row = m_table.rows[m_next++];
        values.clear();
        for (std::size_t c : m_columns) values.push_back(c < row.size() ? row[c] : Value::None());
        return true;
    }

private:
    const MemoryTable& m_table;  // owned by the database, which the query keeps alive
    std::vector<std::size_t> m_columns;
    std::size_t m_next = 0;
};

}  // namespace

std::unique_ptr<RowCursor> MemoryDatabase::Select(const SelectStatement& statement,
                                                  std::vector<std::string>& fieldNames, std::string& error) {
    const auto table = std::find_if(m_tables.begin(), m_tables.end(),
                                    [&](const MemoryTable& t) { return SameName(t.name, statement.table); });
    if (table == m_tables.end()) {
        error = TableNotFound(statement.table);
        return nullptr;
    }
    std::vector<std::size_t> indexes;
    if (!ResolveColumns(statement, table->name, table->columns, indexes, fieldNames, error)) return nullptr;
    return std::make_unique<MemoryCursor>(*table, std::move(indexes));
}

void MemoryProvider::Add(const std::string& path, std::vector<MemoryTable> tables) {
    m_failures.erase(path);
    m_databases[path] = std::make_shared<MemoryDatabase>(std::move(tables));
}

void MemoryProvider::AddUnreadable(const std::string& path, std::string message) {
    m_databases.erase(path);
    m_failures[path] = std::move(message);
}

std::shared_ptr<Database> MemoryProvider::Open(const std::string& path, std::string& error) {
    if (auto f = m_failures.find(path); f != m_failures.end()) {
        error = f->second;
        return nullptr;
    }
    if (auto d = m_databases.find(path); d != m_databases.end()) return d->second;
    error = FileNotFound(path);
    return nullptr;
}

}  // namespace platform::jet
