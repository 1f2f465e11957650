#pragma once
// The two texts the Jet stand-in understands: the connection string and a
// SELECT of columns from one table.
#include <string>
#include <string_view>
#include <vector>

namespace platform::jet {

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>": keywords without
// regard to case, blanks around keywords and values ignored, a value may
// be put in double quotes (a doubled quote inside stands for one) or
// single quotes, a trailing ";" is allowed. Any other keyword, another
// provider, or a missing or empty data source fails with `error` set.
bool ParseConnectionString(std::string_view text, std::string& dataSource, std::string& error);

struct SelectStatement {
    std::string table;
    bool allColumns = false;           // SELECT *
    std::vector<std::string> columns;  // otherwise the named columns, in order
};

// "SELECT [a], [b] FROM [T]": keywords without regard to case, names in
// square brackets or plain (letters, digits, "_"), the table name bracketed
// or plain, blanks and line breaks anywhere between the parts, an optional
// trailing ";". Anything else (conditions, joins, other statements) fails
// with `error` set.
bool ParseSelect(std::string_view sql, SelectStatement& out, std::string& error);

// True when the statement starts with the keyword SELECT.
bool IsSelect(std::string_view sql);

}  // namespace platform::jet
