// Reads a Palm Desktop address book of 50,000 contacts in each generation
// of the .dat format and prints the time, the rate and the peak memory.
// Usage: bench_palm_dat [contacts]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/palm/PmAddrUtil.h"
#include "tools/palmdat/PalmDatGenerated.h"

namespace {

using palmdat::Format;
using palmdat::Value;

// The file is written record by record, so the writer never holds them all.
std::string WriteAddressBook(const std::string& path, Format format, int count) {
    palmdat::DatFile f = palmdat::NewFile(palmdat::Kind::Address, format);
    f.categories = {{1, 1, 0, "Business", ""}, {2, 2, 0, "Personal", ""}};
    f.totalFields = count * f.fieldsPerRow;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string header = palmdat::Build(f);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    const bool ex = format == Format::V414;
    for (int i = 0; i < count; ++i) {
        palmdat::Record r = palmdat::GeneratedRecord(palmdat::Kind::Address, format, i);
        r[ex ? 5 : 24] = Value::Long(i % 3);
        std::string bytes;
        for (const Value& v : r) bytes += palmdat::EncodeValue(v);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    out.close();
    return path;
}

long PeakRssMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

template <class Reader>
void Run(const char* label, const std::string& path, int count) {
    const auto t0 = std::chrono::steady_clock::now();
    Reader reader;
    const bool ok = reader.LoadFile(path.c_str());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const double mib = static_cast<double>(in.tellg()) / (1024.0 * 1024.0);
    std::printf("%-28s %s %zu of %d contacts, file %.1f MiB: %.3f s, %.0f contacts/s, peak RSS so far %ld MiB\n", label,
                ok ? "read" : "FAILED", reader.GetRecords().GetCount(), count, mib, s, static_cast<double>(count) / s,
                PeakRssMiB());
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 50000;
    const std::string folder = "/tmp/bench_palm_dat_" + std::to_string(::getpid());
    const std::string ex = folder + "-414.dat", early = folder + "-earlier.dat";
    WriteAddressBook(ex, Format::V414, count);
    WriteAddressBook(early, Format::Earlier, count);
    std::printf("record sizes: 4.1.4 %zu bytes, earlier %zu bytes\n", sizeof(PmAddrExRec), sizeof(PmAddrRec));
    Run<PmAddrExUtil>("4.1.4 address book", ex, count);
    Run<PmAddrUtil>("earlier address book", early, count);
    std::remove(ex.c_str());
    std::remove(early.c_str());
    return 0;
}
