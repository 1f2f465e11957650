#pragma once
// Shared pieces of the 6.x database reader tests: in-memory databases
// served to the data module's connections, built from the readers' own
// column tables.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/palm/PmDBEx2Util.h"
#include "common/palm/TdmMain.h"
#include "platform/jet/MemoryDatabase.h"
#include "tests/palm/PalmTestSupport.h"

namespace palmtest {

using platform::jet::MemoryTable;
using platform::jet::Value;

// Values of one "Main" row by column name; unnamed columns are none.
using NamedRow = std::vector<std::pair<std::string, Value>>;

class Ex2Test : public PalmTest {
protected:
    ~Ex2Test() override { TdmMain::Instance().CloseAll(); }

    // An (empty) file at `name` in the test folder whose database is
    // `tables`.
    std::string AddDatabase(const std::string& name, std::vector<MemoryTable> tables) {
        const std::string path = dir.File(name);
        fwtest::WriteFile(path, "");
        provider->Add(path, std::move(tables));
        return path;
    }

    static MemoryTable Categories(const std::vector<std::pair<int, std::string>>& categories) {
        MemoryTable table{"Category", {"ID", "Name", "Status", "Color"}, {}};
        for (const auto& [id, name] : categories)
            table.rows.push_back({Value::Integer(id), Value::Text(name), Value::Integer(0), Value::Integer(id * 10)});
        return table;
    }

    static MemoryTable Main(const PmEx2Kind& kind, const std::vector<NamedRow>& rows) {
        MemoryTable table{"Main", {}, {}};
        for (std::size_t i = 0; i < kind.ColumnCount; ++i) table.columns.push_back(kind.Columns[i].Name);
        for (const NamedRow& named : rows) {
            std::vector<Value> row(kind.ColumnCount);
            for (const auto& [name, value] : named) {
                std::size_t i = 0;
                while (i < table.columns.size() && table.columns[i] != name) ++i;
                EXPECT_LT(i, table.columns.size()) << "no column " << name;
                if (i < row.size()) row[i] = value;
            }
            table.rows.push_back(std::move(row));
        }
        return table;
    }

    std::shared_ptr<platform::jet::MemoryProvider> provider = std::make_shared<platform::jet::MemoryProvider>();
    platform::jet::ScopedDefaultProvider use{provider};
};

}  // namespace palmtest
