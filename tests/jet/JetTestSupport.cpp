#include "tests/jet/JetTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>

namespace jettest {

std::string RunCommand(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (status) *status = -1;
        return out;
    }
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    const int rc = ::pclose(pipe);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

std::string Quoted(const std::string& path) {
    std::string q = "'";
    for (char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string ConnectionStringFor(const std::string& path) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + path + "\"";
}

std::vector<std::vector<platform::jet::Value>> ReadAll(const std::string& path, const std::string& sql) {
    std::vector<std::vector<platform::jet::Value>> rows;
    platform::jet::Connection conn;
    conn.SetConnectionString(ConnectionStringFor(path));
    EXPECT_TRUE(conn.Open()) << conn.LastError();
    platform::jet::Query query(&conn);
    query.SetSQL(sql);
    EXPECT_TRUE(query.Open()) << query.LastError();
    for (; !query.Eof(); query.Next()) {
        std::vector<platform::jet::Value> row;
        for (int i = 0; i < query.FieldCount(); ++i) row.push_back(query.Field(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            lines.push_back(std::move(fields));
            fields.assign(1, std::string());
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() > 1 || !fields[0].empty()) lines.push_back(std::move(fields));
    return lines;
}

}  // namespace jettest
