#pragma once
// Access to one Palm Desktop 6.x database through the data module's
// connection and query of its kind: open the file, run a SELECT over a
// table and walk its rows, each fetched as a list of values.
#include <cstddef>
#include <span>
#include <string>

#include "common/palm/PmRowValue.h"

class TdmMain;
namespace platform::jet {
class Connection;
class Query;
}  // namespace platform::jet

class PmDataAccessor {
public:
    virtual ~PmDataAccessor() = default;

    virtual void OpenDatabase(int kind, const char* path) = 0;
    // "SELECT [a], [b] FROM table " followed by the condition when given.
    virtual std::string BuildSelect(const char* table, std::span<const char* const> columns,
                                    const char* condition) const = 0;
    // Runs the SELECT of the columns over the table and fetches its first
    // row into `values` (left empty when the table has no rows). False when
    // the query cannot be run.
    virtual bool QueryFirst(const char* table, std::span<const char* const> columns, PmRowValues& values) = 0;
    // Moves on to the next row of the query `sql`, which must be the former
    // query; false at the end.
    virtual bool QueryNext(const std::string& sql, PmRowValues& values) = 0;
    // Runs `sql`, keeping its result when `openResult` is set.
    virtual bool ExecuteQuery(const std::string& sql, bool openResult) = 0;
    // The values of the current row.
    virtual void FetchRow(PmRowValues& values) = 0;
};

class PmMDBAccessor : public PmDataAccessor {
public:
    static constexpr std::size_t kFormerQuerySize = 4096;

    // Takes the process-wide data module and opens the database.
    PmMDBAccessor(int kind, const char* path);
    // The same over another data module (tests).
    PmMDBAccessor(TdmMain& module, int kind, const char* path);

    // Closes the kind's connection when open and opens it on the file. A
    // failure shows in the log and in IsConnected().
    void OpenDatabase(int kind, const char* path) override;
    std::string BuildSelect(const char* table, std::span<const char* const> columns,
                            const char* condition) const override;
    bool QueryFirst(const char* table, std::span<const char* const> columns, PmRowValues& values) override;
    bool QueryNext(const std::string& sql, PmRowValues& values) override;
    bool ExecuteQuery(const std::string& sql, bool openResult) override;
    void FetchRow(PmRowValues& values) override;

    // The query or connection of the accessor's kind; null for numbers other
    // than 1 to 4.
    platform::jet::Query* GetQuery() const;
    platform::jet::Connection* GetConnection() const;

    // Whether the kind's connection is open on this accessor's file.
    bool IsConnected() const;
    // What went wrong last: the query's error (damage found while reading
    // rows among it), else the connection's; "" when nothing did.
    std::string LastError() const;
    const std::string& GetFormerQuery() const { return m_formerQuery; }
    int GetKind() const { return m_kind; }
    const std::string& GetPath() const { return m_path; }

    // The connection string for a database path; a double quote in the path
    // is doubled.
    static std::string ConnectionString(const std::string& path);

private:
    std::string m_formerQuery;
    TdmMain& m_module;
    int m_kind = 0;
    std::string m_path;
};
