#include "platform/jet/JetNames.h"

#include "platform/text/AsciiCase.h"

namespace platform::jet {

bool SameName(std::string_view a, std::string_view b) { return EqualsNoCase(a, b); }

std::string FileNotFound(const std::string& path) { return "Could not find file \"" + path + "\"."; }

std::string TableNotFound(const std::string& table) { return "The database has no table \"" + table + "\"."; }

bool ResolveColumns(const SelectStatement& statement, const std::string& tableName,
                    const std::vector<std::string>& tableColumns, std::vector<std::size_t>& indexes,
                    std::vector<std::string>& fieldNames, std::string& error) {
    indexes.clear();
    fieldNames.clear();
    if (statement.allColumns) {
        for (std::size_t i = 0; i < tableColumns.size(); ++i) indexes.push_back(i);
    } else {
        for (const std::string& wanted : statement.columns) {
            std::size_t i = 0;
            while (i < tableColumns.size() && !SameName(tableColumns[i], wanted)) ++i;
            if (i == tableColumns.size()) {
                error = "The table \"" + tableName + "\" has no column \"" + wanted + "\".";
                return false;
            }
            indexes.push_back(i);
        }
    }
    for (std::size_t i : indexes) fieldNames.push_back(tableColumns[i]);
    return true;
}

}  // namespace platform::jet
