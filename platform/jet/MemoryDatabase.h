#pragma once
// Databases given in code, for tests of the code that reads through the
// Jet stand-in: each table is a list of column names and rows of values.
//
//   auto provider = std::make_shared<platform::jet::MemoryProvider>();
//   provider->Add("/tmp/Address.mdb", {{"Category", {"ID", "Name", "Status", "Color"},
//                                       {{Value::Integer(1), Value::Text("Business"), Value::Integer(0),
//                                       Value::Integer(0)}}}});
//   platform::jet::ScopedDefaultProvider use(provider);
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/jet/JetDatabase.h"

namespace platform::jet {

struct MemoryTable {
    std::string name;
    std::vector<std::string> columns;
    // A row shorter than the columns reads none for the missing values.
    std::vector<std::vector<Value>> rows;
};

class MemoryDatabase : public Database {
public:
    explicit MemoryDatabase(std::vector<MemoryTable> tables) : m_tables(std::move(tables)) {}
    std::unique_ptr<RowCursor> Select(const SelectStatement& statement, std::vector<std::string>& fieldNames,
                                      std::string& error) override;

private:
    std::vector<MemoryTable> m_tables;
};

class MemoryProvider : public Provider {
public:
    // Makes `tables` the database that opening `path` gives (replacing an
    // earlier one of that path).
    void Add(const std::string& path, std::vector<MemoryTable> tables);
    // Makes opening `path` fail with `message`.
    void AddUnreadable(const std::string& path, std::string message);
    // Paths given neither way fail as missing files.
    std::shared_ptr<Database> Open(const std::string& path, std::string& error) override;

private:
    std::map<std::string, std::shared_ptr<Database>> m_databases;
    std::map<std::string, std::string> m_failures;
};

}  // namespace platform::jet
