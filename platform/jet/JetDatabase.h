#pragma once
// What lies behind a connection: a provider opens a database file, a
// database runs a SELECT, and a cursor walks its rows. The libmdb provider
// reads real Jet 4 files; the in-memory provider serves tables given in
// code, for tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/jet/JetSql.h"
#include "platform/jet/JetValue.h"

namespace platform::jet {

// The rows of one SELECT, forward only.
class RowCursor {
public:
    virtual ~RowCursor() = default;
    // Moves to the next row and puts its values in `values`, one per
    // selected column in column order; false after the last row.
    virtual bool Fetch(std::vector<Value>& values) = 0;
    // Why the rows ended before their end (damage found while reading), or
    // "" when they ended because there are no more.
    virtual std::string Error() const { return std::string(); }
};

class Database {
public:
    virtual ~Database() = default;
    // Starts the SELECT. Table and column names are compared without
    // regard to case. `fieldNames` receives the selected columns' names as
    // the table spells them. Null with `error` set when the table or a
    // column does not exist or the table cannot be read.
    virtual std::unique_ptr<RowCursor> Select(const SelectStatement& statement, std::vector<std::string>& fieldNames,
                                              std::string& error) = 0;
};

class Provider {
public:
    virtual ~Provider() = default;
    // Opens the database of a path; null with `error` set when it cannot.
    virtual std::shared_ptr<Database> Open(const std::string& path, std::string& error) = 0;
};

// The provider on mdbtools' libmdb.
std::shared_ptr<Provider> MdbToolsProvider();

// A database file already read into memory, opened as that provider opens
// files; `name` stands for the file in error texts.
std::shared_ptr<Database> OpenJetBytes(std::vector<std::uint8_t> bytes, const std::string& name, std::string& error);

// The provider that connections without their own use: libmdb unless
// replaced. Setting null restores libmdb. Returns the one it replaces.
std::shared_ptr<Provider> DefaultProvider();
std::shared_ptr<Provider> SetDefaultProvider(std::shared_ptr<Provider> provider);

// Replaces the default provider for the life of the object (tests).
class ScopedDefaultProvider {
public:
    explicit ScopedDefaultProvider(std::shared_ptr<Provider> provider)
        : m_old(SetDefaultProvider(std::move(provider))) {}
    ~ScopedDefaultProvider() { SetDefaultProvider(m_old); }
    ScopedDefaultProvider(const ScopedDefaultProvider&) = delete;
    ScopedDefaultProvider& operator=(const ScopedDefaultProvider&) = delete;

private:
    std::shared_ptr<Provider> m_old;
};

}  // namespace platform::jet
