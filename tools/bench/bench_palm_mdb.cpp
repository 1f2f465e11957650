// Loads Palm Desktop 6.x databases through the 6.x readers (open, category
// table, every row decoded and completed into the record list): 5,000
// contacts, 5,000 events and 2,000 memos of about 8 KB.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmMemoEx2Util.h"
#include "tools/bench/BenchClock.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/jetfixture/PalmTables.h"

namespace {

template <class Reader>
void Load(const std::string& file, const char* label) {
    const auto start = std::chrono::steady_clock::now();
    Reader reader;
    const bool ok = reader.LoadFile(file.c_str());
    const double s = Seconds(start);
    const std::size_t rows = reader.GetRecords().GetCount();
    std::printf("%-9s %s %6zu records, %5.1f MB file, %.3f s, %.0f records/s, %.1f MB of records\n", label,
                ok ? "ok    " : "FAILED", rows, std::filesystem::file_size(file) / 1e6, s, rows / s,
                rows * sizeof(*reader.GetRecords().GetFirst()) / 1e6);
}

bool Write(const jetfixture::PalmDatabase& db, const std::string& path) {
    std::string error;
    if (db.Write(path, error)) return true;
    std::printf("write %s: %s\n", path.c_str(), error.c_str());
    return false;
}

}  // namespace

int main() {
    const std::string dir = std::filesystem::temp_directory_path() / "bench_palm_mdb";
    std::filesystem::create_directories(dir);
    const std::string contacts = dir + "/Address.mdb";
    const std::string events = dir + "/DateBook.mdb";
    const std::string memoFile = dir + "/MemoPad.mdb";
    if (!Write(jetfixture::MakePalmSample(jetfixture::PalmKind::Contacts, 5000), contacts) ||
        !Write(jetfixture::MakePalmSample(jetfixture::PalmKind::Calendar, 5000), events))
        return 1;
    jetfixture::PalmDatabase memos(jetfixture::PalmKind::Memos);
    std::string text;
    while (text.size() < 8000) text += "Eine Zeile der Notiz mit Umlauten \xC3\xA4\xC3\xB6\xC3\xBC und mehr.\r\n";
    std::string error;
    for (int i = 0; i < 2000; ++i)
        memos.AddRecord({{"Record ID", std::int64_t{i}}, {"Category", std::to_string(i % 3)}, {"Note", text}}, error);
    if (!Write(memos, memoFile)) return 1;

    Load<PmAddrEx2Util>(contacts, "contacts");
    Load<PmDateEx2Util>(events, "calendar");
    Load<PmMemoEx2Util>(memoFile, "memos");

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak RSS %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::filesystem::remove_all(dir);
    return 0;
}
