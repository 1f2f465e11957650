// Marks source contacts against target contacts: the indexed comparison on
// 50,000 x 50,000, next to the plain scan on 5,000 x 5,000; and 50,000
// name-alike contacts (one name, three phone numbers) against as many.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "common/records/CommAddrMgr.h"
#include "platform/text/TextCopy.h"
#include "tools/bench/BenchClock.h"

namespace {

void FillNameAlikes(CommAddrMgr& mgr, int count, unsigned seed) {
    std::mt19937 rng(seed);
    auto rec = std::make_unique<CommAddrRec>();
    for (int i = 0; i < count; ++i) {
        std::memset(rec.get(), 0, sizeof *rec);
        platform::CopyText(rec->FirstName, "John");
        platform::CopyText(rec->LastName, "Smith");
        platform::CopyText(rec->HomePhone, std::to_string(rng() % 3));
        mgr.AddRecord(rec.get());
    }
}

void Fill(CommAddrMgr& mgr, int count, unsigned seed) {
    std::mt19937 rng(seed);
    auto rec = std::make_unique<CommAddrRec>();
    for (int i = 0; i < count; ++i) {
        std::memset(rec.get(), 0, sizeof *rec);
        const int person = static_cast<int>(rng() % static_cast<unsigned>(count));
        platform::CopyText(rec->FirstName, "First" + std::to_string(person));
        platform::CopyText(rec->LastName, "Last" + std::to_string(person % 997));
        platform::CopyText(rec->Email, "p" + std::to_string(person) + "@example.org");
        platform::CopyText(rec->HomePhone, std::to_string(rng() % 3));
        platform::CopyText(rec->Company, "Company " + std::to_string(person % 50));
        platform::CopyText(rec->Note, "A note\r\nwith two lines");
        mgr.AddRecord(rec.get());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int big = argc > 1 ? std::atoi(argv[1]) : 50000;
    const int small = argc > 2 ? std::atoi(argv[2]) : 5000;

    CommAddrMgr source, target;
    Fill(source, big, 1);
    Fill(target, big, 2);
    const double indexed = Seconds([&] { source.MarkAgainst(&target); });
    unsigned counts[3] = {0, 0, 0};
    for (CommAddrRec* r = source.GetFirstRecord(); r; r = source.GetNextRecord()) ++counts[r->Status];

    CommAddrMgr smallSource, smallTarget;
    Fill(smallSource, small, 1);
    Fill(smallTarget, small, 2);
    const double scan = Seconds([&] { smallSource.MarkAgainstScan(&smallTarget); });
    const double smallIndexed = Seconds([&] { smallSource.MarkAgainst(&smallTarget); });

    CommAddrMgr alikeSource, alikeTarget;
    FillNameAlikes(alikeSource, big, 3);
    FillNameAlikes(alikeTarget, big, 4);
    const double alike = Seconds([&] { alikeSource.MarkAgainst(&alikeTarget); });

    std::printf("indexed MarkAgainst, %d x %d contacts: %.3f s (same %u, new %u, different %u)\n", big, big, indexed,
                counts[0], counts[1], counts[2]);
    std::printf("indexed MarkAgainst, %d x %d name-alike contacts: %.3f s\n", big, big, alike);
    std::printf("indexed MarkAgainst, %d x %d contacts: %.3f s\n", small, small, smallIndexed);
    std::printf("plain scan,          %d x %d contacts: %.3f s\n", small, small, scan);
    return 0;
}
