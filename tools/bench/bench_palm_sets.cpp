// Loads a 4.1.4 address book of 20,000 contacts and a memo pad of 2,000
// memos through the Palm record sets (reading, entries, conversion into the
// common lists) and marks the contacts against a copy of themselves; prints
// the times, the rates and the peak memory.
// Usage: bench_palm_sets [contacts] [memos]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "tools/bench/BenchClock.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

template <class Fill>
void WriteFile(const std::string& path, Kind kind, int count, Fill fill) {
    palmdat::DatFile f = palmdat::NewFile(kind, Format::V414);
    f.categories = {{1, 1, 0, "Business", ""}};
    f.totalFields = count * f.fieldsPerRow;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string header = palmdat::Build(f);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    for (int i = 0; i < count; ++i) {
        palmdat::Record r = palmdat::NewRecord(kind, Format::V414);
        r[0] = Value::Long(i + 1);
        r[2].number = 1;
        fill(r, i);
        std::string bytes;
        for (const Value& v : r) bytes += palmdat::EncodeValue(v);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

long PeakRssMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    const int contacts = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int memos = argc > 2 ? std::atoi(argv[2]) : 2000;
    const std::string folder = "/tmp/bench_palm_sets_" + std::to_string(::getpid()) + "/";
    std::system(("mkdir -p " + folder).c_str());
    CxDebugUtil::Instance().SetFolder(folder.c_str());
    ::setenv("WINEPREFIX", (folder + "no-wine").c_str(), 1);
    PmSetProgramFolder(folder);

    WriteFile(folder + "address.dat", Kind::Address, contacts, [](palmdat::Record& r, int i) {
        const std::string n = std::to_string(i);
        r[13] = Value::Text("J\xFCrgen" + n);
        r[14] = Value::Text("M\xFCller-Lef\xE8vre");
        r[16] = Value::Text("Soci\xE9t\xE9 G\xE9n\xE9rale " + std::to_string(i % 500));
        r[18] = Value::Text("Met at the fair in K\xF6ln.\r\nPrefers e-mail. " + n);
        r[19] = Value::Text("+49 221 555 " + n);
        r[20] = Value::Text("j" + n + "@example.org");
        r[27].number = 4;
        r[43] = Value::Text(
            "Hohe Stra\xDF"
            "e " +
            n);
        r[65] = Value::Double(static_cast<double>(0x07B00000 + ((i % 12) + 1) * 256 + (i % 28) + 1));
    });
    WriteFile(folder + "memopad.dat", Kind::Memo, memos, [](palmdat::Record& r, int i) {
        r[13] = Value::Text("Memo " + std::to_string(i) + "\r\n" + std::string(2000, 'x'));
    });

    PmAddrInfo set;
    set.SetCustomMapSlot(0, 14);
    auto start = std::chrono::steady_clock::now();
    if (!set.LoadByFile((folder + "address.dat").c_str())) {
        std::fprintf(stderr, "the address book did not load\n");
        return 1;
    }
    double s = Seconds(start);
    std::printf("contacts: %d loaded and converted in %.3f s (%.0f contacts/s), peak RSS %ld MiB\n",
                static_cast<int>(set.GetCommonList()->GetRecordCount()), s, contacts / s, PeakRssMiB());

    PmAddrInfo again;
    again.LoadByFile((folder + "address.dat").c_str());
    start = std::chrono::steady_clock::now();
    set.GetCommonList()->MarkAgainst(again.GetCommonList());
    std::printf("contacts: marked against %d in %.3f s\n", contacts, Seconds(start));

    PmMemoInfo memoSet;
    start = std::chrono::steady_clock::now();
    if (!memoSet.LoadByFile((folder + "memopad.dat").c_str())) {
        std::fprintf(stderr, "the memo pad did not load\n");
        return 1;
    }
    s = Seconds(start);
    std::printf("memos: %d loaded and converted in %.3f s (%.0f memos/s), peak RSS %ld MiB\n",
                static_cast<int>(memoSet.GetCommonList()->GetRecordCount()), s, memos / s, PeakRssMiB());
    std::system(("rm -rf " + folder).c_str());
    return 0;
}
