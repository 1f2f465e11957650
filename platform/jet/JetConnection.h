#pragma once
// The Jet stand-in's access library, shaped after ADO: a connection opened
// by a connection string, and a query that runs an SQL text over it and
// walks the rows of its result.
//
//   platform::jet::Connection conn;
//   conn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/data/Address.mdb\"");
//   if (!conn.Open()) log(conn.LastError());
//   platform::jet::Query query(&conn);
//   query.SetSQL("SELECT [ID], [Name] FROM Category ");
//   if (!query.Open()) log(query.LastError());
//   for (; !query.Eof(); query.Next())
//       for (int i = 0; i < query.FieldCount(); ++i) use(query.Field(i));
//
// Only reading is supported: a SELECT of columns from one table. Failures
// return false and leave a message in LastError(); nothing throws.
#include <memory>
#include <string>
#include <vector>

#include "platform/jet/JetDatabase.h"
#include "platform/jet/JetValue.h"

namespace platform::jet {

class Connection {
public:
    // A connection that opens through the default provider at the time of
    // Open, or through the provider given.
    Connection() = default;
    explicit Connection(std::shared_ptr<Provider> provider) : m_provider(std::move(provider)) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void SetConnectionString(std::string text) { m_connectionString = std::move(text); }
    const std::string& ConnectionString() const { return m_connectionString; }

    // Opens the data source of the connection string (closing first when
    // open). False when the string is not a Jet 4.0 one, or the file is
    // missing or not a Jet 4 database.
    bool Open();
    void Close();
    bool Connected() const { return m_database != nullptr; }
    const std::string& LastError() const { return m_error; }

    // The open database; null when closed.
    std::shared_ptr<Database> GetDatabase() const { return m_database; }

private:
    std::shared_ptr<Provider> m_provider;
    std::string m_connectionString;
    std::shared_ptr<Database> m_database;
    std::string m_error;
};

class Query {
public:
    explicit Query(Connection* connection = nullptr) : m_connection(connection) {}
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void SetConnection(Connection* connection) { m_connection = connection; }
    Connection* GetConnection() const { return m_connection; }

    void SetSQL(std::string sql) { m_sql = std::move(sql); }
    const std::string& SQL() const { return m_sql; }

    // Runs the SELECT and stands on its first row (Eof() when it has none).
    // False when the connection is closed, the text is not a supported
    // SELECT, or the table or a column does not exist.
    bool Open();
    // Runs a statement without keeping a result. A SELECT is checked and
    // run; every other statement fails, the database being read only.
    bool ExecSQL();
    void Close();
    bool Active() const { return m_cursor != nullptr; }

    // True after the last row, and when the query is not open.
    bool Eof() const { return m_eof; }
    // Moves to the next row; false when there is none, or when the rows
    // end at damage (then LastError() says what it is).
    bool Next();

    // The fields of the current row; a position outside them, or any
    // position at the end of the rows, gives a none value.
    int FieldCount() const { return static_cast<int>(m_fieldNames.size()); }
    const Value& Field(int index) const;
    const std::string& FieldName(int index) const;

    const std::string& LastError() const { return m_error; }

private:
    bool Start(bool keepResult);

    Connection* m_connection;
    std::string m_sql;
    std::shared_ptr<Database> m_database;  // kept alive while the cursor runs
    std::unique_ptr<RowCursor> m_cursor;
    std::vector<std::string> m_fieldNames;
    std::vector<Value> m_row;
    bool m_eof = true;
    std::string m_error;
};

}  // namespace platform::jet
