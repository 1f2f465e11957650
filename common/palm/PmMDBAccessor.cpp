#include "common/palm/PmMDBAccessor.h"

#include "common/misc/CxDebugUtil.h"
#include "common/palm/TdmMain.h"
#include "platform/jet/JetConnection.h"
#include "platform/paths/Paths.h"

PmMDBAccessor::PmMDBAccessor(int kind, const char* path) : PmMDBAccessor(TdmMain::Instance(), kind, path) {}

PmMDBAccessor::PmMDBAccessor(TdmMain& module, int kind, const char* path) : m_module(module) {
    OpenDatabase(kind, path);
}

platform::jet::Query* PmMDBAccessor::GetQuery() const { return m_module.GetQuery(m_kind); }

platform::jet::Connection* PmMDBAccessor::GetConnection() const { return m_module.GetConnection(m_kind); }

std::string PmMDBAccessor::ConnectionString(const std::string& path) {
    std::string quoted;
    quoted.reserve(path.size());
    for (char c : path) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + quoted + "\"";
}

bool PmMDBAccessor::IsConnected() const {
    const platform::jet::Connection* conn = GetConnection();
    return conn != nullptr && conn->Connected() && !m_path.empty() &&
           conn->ConnectionString() == ConnectionString(m_path);
}

std::string PmMDBAccessor::LastError() const {
    const platform::jet::Query* query = GetQuery();
    if (query != nullptr && !query->LastError().empty()) return query->LastError();
    const platform::jet::Connection* conn = GetConnection();
    return conn != nullptr ? conn->LastError() : std::string();
}

void PmMDBAccessor::OpenDatabase(int kind, const char* path) {
    m_kind = kind;
    m_path = path != nullptr ? path : "";
    CX_LOG(kLogDetail, "Set database file to be opened: %s", m_path.c_str());

    platform::jet::Connection* conn = GetConnection();
    if (m_path.empty() || !platform::PathExists(platform::ResolvePath(m_path))) {
        CX_LOG(kLogCritical, "The file doesn't exist. Abort.");
        // The kind's connection must not go on standing for the file
        // opened before.
        if (conn != nullptr) {
            GetQuery()->Close();
            conn->Close();
        }
        return;
    }
    if (conn == nullptr) {
        CX_LOG(kLogCritical, "There is no valid database connection to open this file.");
        return;
    }
    if (conn->Connected()) {
        CX_LOG(kLogDetail, "The connection is already opened, close it now.");
        GetQuery()->Close();
        conn->Close();
    }
    const std::string connection = ConnectionString(m_path);
    conn->SetConnectionString(connection);
    CX_LOG(kLogDetail, "Connection String: %s", connection.c_str());
    if (!conn->Open()) {
        if (!conn->LastError().empty())
            CX_LOG(kLogCritical, "Database Connection Error, Connection String=%s, Error=%s", connection.c_str(),
                   conn->LastError().c_str());
        else
            CX_LOG(kLogCritical, "Database Connection Error, Connection String=%s.", connection.c_str());
    }
}

std::string PmMDBAccessor::BuildSelect(const char* table, std::span<const char* const> columns,
                                       const char* condition) const {
    std::string sql = "SELECT ";
    bool first = true;
    for (const char* column : columns) {
        if (!first) sql += ", ";
        first = false;
        sql += '[';
        sql += column != nullptr ? column : "";
        sql += ']';
    }
    sql += " FROM ";
    sql += table != nullptr ? table : "";
    sql += ' ';
    if (condition != nullptr) sql += condition;
    return sql;
}

bool PmMDBAccessor::QueryFirst(const char* table, std::span<const char* const> columns, PmRowValues& values) {
    values.clear();
    platform::jet::Query* query = GetQuery();
    if (query == nullptr) return false;
    const std::string sql = BuildSelect(table, columns, nullptr);
    m_formerQuery = sql.substr(0, kFormerQuerySize - 1);
    if (m_formerQuery.empty()) {
        CX_LOG(kLogCritical, "Invalid query string found.");
        return false;
    }
    if (!ExecuteQuery(m_formerQuery, true)) return false;
    if (!query->Eof()) FetchRow(values);
    return true;
}

bool PmMDBAccessor::QueryNext(const std::string& sql, PmRowValues& values) {
    values.clear();
    if (sql.empty()) {
        CX_LOG(kLogCritical, "Invalid query string found.");
        return false;
    }
    if (sql != m_formerQuery) {
        CX_LOG(kLogDetail, "This query is not same with former query. Ignore this query.");
        return false;
    }
    platform::jet::Query* query = GetQuery();
    if (query == nullptr || !query->Next()) return false;
    FetchRow(values);
    return true;
}

bool PmMDBAccessor::ExecuteQuery(const std::string& sql, bool openResult) {
    platform::jet::Query* query = GetQuery();
    if (query == nullptr || sql.empty()) return false;
    CX_LOG(kLogDetail, "Execute SQL Query: %s", sql.c_str());
    query->Close();
    query->SetSQL(sql);
    const bool ok = openResult ? query->Open() : query->ExecSQL();
    if (!ok) {
        if (!query->LastError().empty())
            CX_LOG(kLogCritical, "Database Query Error, Query String=%s, Error=%s", sql.c_str(),
                   query->LastError().c_str());
        else
            CX_LOG(kLogCritical, "Database Query Error, Query String=%s", sql.c_str());
        return false;
    }
    CX_LOG(kLogDetail, "Query executed successfully.");
    return true;
}

void PmMDBAccessor::FetchRow(PmRowValues& values) {
    values.clear();
    const platform::jet::Query* query = GetQuery();
    if (query == nullptr) return;
    const int count = query->FieldCount();
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) values.push_back(query->Field(i));
}
