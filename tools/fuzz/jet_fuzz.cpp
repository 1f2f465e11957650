// Jet databases: open any bytes as a database file and read every column of
// its catalog and of the tables a Palm Desktop database has.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/jet/JetDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    auto db = platform::jet::OpenJetBytes(std::vector<std::uint8_t>(data, data + size), "fuzz.mdb", error);
    if (!db) return 0;
    for (const char* table : {"MSysObjects", "Category", "Main"}) {
        platform::jet::SelectStatement all;
        all.table = table;
        all.allColumns = true;
        std::vector<std::string> names;
        auto cursor = db->Select(all, names, error);
        if (!cursor) continue;
        std::vector<platform::jet::Value> row;
        for (int rows = 0; rows < 100000 && cursor->Fetch(row); ++rows) {
            if (row.size() != names.size()) __builtin_trap();
        }
    }
    return 0;
}
