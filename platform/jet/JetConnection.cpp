#include "platform/jet/JetConnection.h"

#include "platform/jet/JetSql.h"

namespace platform::jet {

bool Connection::Open() {
    Close();
    m_error.clear();
    std::string path;
    if (!ParseConnectionString(m_connectionString, path, m_error)) return false;
    std::shared_ptr<Provider> provider = m_provider ? m_provider : DefaultProvider();
    m_database = provider->Open(path, m_error);
    return m_database != nullptr;
}

void Connection::Close() { m_database.reset(); }

bool Query::Open() { return Start(true); }

bool Query::ExecSQL() {
    if (!IsSelect(m_sql)) {
        Close();
        m_error = "The database is open for reading only; only SELECT statements can be run.";
        return false;
    }
    const bool ok = Start(false);
    Close();
    return ok;
}

bool Query::Start(bool keepResult) {
    Close();
    m_error.clear();
    if (m_connection == nullptr || !m_connection->Connected()) {
        m_error = "The connection is not open.";
        return false;
    }
    SelectStatement statement;
    if (!ParseSelect(m_sql, statement, m_error)) return false;
    m_database = m_connection->GetDatabase();
    std::vector<std::string> names;
    m_cursor = m_database->Select(statement, names, m_error);
    if (!m_cursor) {
        m_database.reset();
        return false;
    }
    if (keepResult) {
        m_fieldNames = std::move(names);
        m_eof = !m_cursor->Fetch(m_row);
        if (m_eof && !(m_error = m_cursor->Error()).empty()) return false;
    }
    return true;
}

void Query::Close() {
    m_cursor.reset();
    m_database.reset();
    m_fieldNames.clear();
    m_row.clear();
    m_eof = true;
}

bool Query::Next() {
    if (!m_cursor || m_eof) return false;
    m_eof = !m_cursor->Fetch(m_row);
    if (m_eof) m_error = m_cursor->Error();
    return !m_eof;
}

const Value& Query::Field(int index) const {
    static const Value kNone;
    if (m_eof || index < 0 || static_cast<std::size_t>(index) >= m_row.size()) return kNone;
    return m_row[static_cast<std::size_t>(index)];
}

const std::string& Query::FieldName(int index) const {
    static const std::string kEmpty;
    if (index < 0 || static_cast<std::size_t>(index) >= m_fieldNames.size()) return kEmpty;
    return m_fieldNames[static_cast<std::size_t>(index)];
}

}  // namespace platform::jet
