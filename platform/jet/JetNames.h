#pragma once
// Name lookups and error texts that both database kinds share.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/jet/JetSql.h"

namespace platform::jet {

// Names compared the way Jet compares them: without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

std::string FileNotFound(const std::string& path);
std::string TableNotFound(const std::string& table);

// The positions in `tableColumns` of the columns a SELECT names (all of
// them for "*"), and their names as the table spells them. False with
// `error` set when a named column is missing.
bool ResolveColumns(const SelectStatement& statement, const std::string& tableName,
                    const std::vector<std::string>& tableColumns, std::vector<std::size_t>& indexes,
                    std::vector<std::string>& fieldNames, std::string& error);

}  // namespace platform::jet
