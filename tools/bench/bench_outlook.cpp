// Migrates 10,000 contacts into an empty Outlook store and loads them back;
// prints the times, the store's size and the peak memory.
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/outlook/OlAddr.h"
#include "platform/outlook/OutlookServer.h"
#include "tools/bench/BenchClock.h"

namespace {

std::string PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return line.substr(6);
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    char folder[] = "/tmp/bench_outlookXXXXXX";
    if (::mkdtemp(folder) == nullptr) return 1;
    const std::string root = std::string(folder) + "/store";
    CxDebugUtil::Instance().SetFolder((std::string(folder) + "/").c_str());
    platform::outlook::RegisterOutlookApplication(root);

    auto contacts = std::make_unique<CommAddrRec[]>(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CommAddrRec& r = contacts[static_cast<std::size_t>(i)];
        std::snprintf(r.FirstName, sizeof r.FirstName, "First%d", i);
        std::snprintf(r.LastName, sizeof r.LastName, "Last%d", i % 977);
        std::snprintf(r.Email, sizeof r.Email, "person%d@example.org", i);
        std::snprintf(r.WorkPhone, sizeof r.WorkPhone, "+47 22 %06d", i);
        std::snprintf(r.MobilePhone, sizeof r.MobilePhone, "+47 9%07d", i);
        std::strcpy(r.Company, "Acme Corporation");
        std::strcpy(r.Title, "Engineer");
        std::snprintf(r.WorkAddress.Street, sizeof r.WorkAddress.Street, "Storgata %d", i % 200);
        std::strcpy(r.WorkAddress.City, "Oslo");
        std::strcpy(r.WorkAddress.PostalCode, "0150");
        std::strcpy(r.Note, "Met at the fair.\r\nPrefers e-mail to phone calls.");
        std::strcpy(r.CustomLabel[0], "Shoe size");
        std::snprintf(r.CustomValue[0], sizeof r.CustomValue[0], "%d", 36 + i % 12);
    }

    auto start = std::chrono::steady_clock::now();
    int created = 0;
    {
        OlAddrUtil ol;
        if (!ol.Load()) return 1;
        for (int i = 0; i < count; ++i)
            created += ol.MigrateRecord(&contacts[static_cast<std::size_t>(i)]) == OlMigrateCreated;
    }
    const double migrate = Seconds(start);

    start = std::chrono::steady_clock::now();
    unsigned loaded = 0;
    int same = 0;
    {
        OlAddrUtil ol;
        if (!ol.Load()) return 1;
        loaded = ol.GetRecordList()->GetRecordCount();
        const double load = Seconds(start);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i) {
            CommAddrRec* match = nullptr;
            same +=
                ol.GetRecordList()->FindRecord(&contacts[static_cast<std::size_t>(i)], &match, nullptr) == CommFindSame;
        }
        std::printf("load %u contacts: %.2f s (%.0f per second)\n", loaded, load, loaded / load);
        std::printf("compare %d source contacts with them: %.3f s, %d same\n", count, Seconds(start), same);
    }
    std::uintmax_t bytes = 0;
    for (const auto& e : std::filesystem::directory_iterator(root + "/Contacts")) bytes += e.file_size();
    std::printf("migrate %d contacts into an empty store: %.2f s (%.0f per second), %d created\n", count, migrate,
                count / migrate, created);
    std::printf("store: %.1f MB in %d files\n", bytes / 1e6, count);
    std::printf("peak memory:%s\n", PeakMemory().c_str());
    std::filesystem::remove_all(folder);
    return created == count && same == count && loaded == static_cast<unsigned>(count) ? 0 : 1;
}
