// Reads Palm Desktop 6.x databases through the Jet stand-in: 5,000
// contacts with every column selected, and 2,000 memos of about 8 KB.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/jet/JetConnection.h"
#include "tools/bench/BenchClock.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/jetfixture/PalmTables.h"

namespace {

void ReadAll(const std::string& file, jetfixture::PalmKind kind, const char* label) {
    auto start = std::chrono::steady_clock::now();
    platform::jet::Connection conn;
    conn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + file + "\"");
    if (!conn.Open()) {
        std::printf("%s: %s\n", label, conn.LastError().c_str());
        return;
    }
    std::string sql = "SELECT ";
    const auto columns = jetfixture::PalmMainColumns(kind);
    for (std::size_t i = 0; i < columns.size(); ++i) sql += (i ? ", [" : "[") + columns[i].name + "]";
    sql += " FROM Main ";
    platform::jet::Query query(&conn);
    query.SetSQL(sql);
    if (!query.Open()) {
        std::printf("%s: %s\n", label, query.LastError().c_str());
        return;
    }
    std::size_t rows = 0, textBytes = 0;
    for (; !query.Eof(); query.Next(), ++rows)
        for (int i = 0; i < query.FieldCount(); ++i) textBytes += query.Field(i).text.size();
    const double s = Seconds(start);
    std::printf("%-9s %6zu rows, %5.1f MB file, %6.1f MB text, %.3f s, %.0f rows/s\n", label, rows,
                std::filesystem::file_size(file) / 1e6, textBytes / 1e6, s, rows / s);
}

}  // namespace

int main() {
    const std::string dir = std::filesystem::temp_directory_path() / "bench_jet";
    std::filesystem::create_directories(dir);
    std::string error;
    auto start = std::chrono::steady_clock::now();
    const std::string contacts = dir + "/Address.mdb";
    if (!jetfixture::MakePalmSample(jetfixture::PalmKind::Contacts, 5000).Write(contacts, error)) {
        std::printf("write: %s\n", error.c_str());
        return 1;
    }
    jetfixture::PalmDatabase memos(jetfixture::PalmKind::Memos);
    std::string text;
    while (text.size() < 8000) text += "Eine Zeile der Notiz mit Umlauten äöü und etwas mehr Text.\r\n";
    for (int i = 0; i < 2000; ++i) memos.AddRecord({{"Record ID", std::int64_t{i}}, {"Note", text}}, error);
    const std::string memoFile = dir + "/MemoPad.mdb";
    if (!memos.Write(memoFile, error)) {
        std::printf("write: %s\n", error.c_str());
        return 1;
    }
    std::printf("writing both files: %.3f s\n", Seconds(start));
    ReadAll(contacts, jetfixture::PalmKind::Contacts, "contacts");
    ReadAll(memoFile, jetfixture::PalmKind::Memos, "memos");
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::filesystem::remove_all(dir);
    return 0;
}
