// A helper data file of 20,000 contact-sized records (three header
// integers, 40 texts, 30 integers, 5 flags and 4 dates each): written the
// way the helpers write it, then read and converted by a bridge.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/bridge/CxExchangeRead.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/google/CxGAppCommon.h"
#include "common/records/CommAddrMgr.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "platform/text/TextCopy.h"
#include "tools/bench/BenchClock.h"

namespace {

constexpr int kRecords = 20000;

struct BenchRec {
    std::int32_t header[3];
    char texts[40][64];
    std::int32_t ints[30];
    std::int32_t flags[5];
    double dates[4];
};

class BenchBridge : public CxHelperKindBridge<CxGAppBaseUtil, BenchRec, CommAddrRec, CommAddrMgr> {
public:
    BenchBridge() : CxHelperKindBridge(kHelperGAddr) {}
    bool Load() override { return LoadDataFile_(CxLoadTexts{}); }

protected:
    bool LoadRecFromFile_(CxFile& file, BenchRec& rec) override {
        cxexchange::ReadInts(file, rec.header);
        cxexchange::ReadTexts(file, rec.texts);
        cxexchange::ReadInts(file, rec.ints);
        for (auto& flag : rec.flags) cxexchange::ReadFlag(file, flag);
        cxexchange::ReadDates(file, rec.dates);
        return file.IsOpen();
    }
    void ConvertRecord_(const BenchRec& raw, CommAddrRec& rec) override {
        platform::CopyText(rec.FirstName, raw.texts[0]);
        platform::CopyText(rec.LastName, raw.texts[2]);
        platform::CopyText(rec.Email, raw.texts[7]);
        platform::CopyText(rec.Company, raw.texts[5]);
    }
};

}  // namespace

int main() {
    char tmpl[] = "/tmp/fwbench-XXXXXX";
    if (::mkdtemp(tmpl) == nullptr) return 1;
    const std::string folder = std::string(tmpl) + "/";
    const double write = Seconds([&] {
        ExchangeDataWriter out;
        out.Open(folder + "GAddr.dat");
        for (int i = 0; i < kRecords; ++i) {
            out.Int(i);
            out.Int(0);
            out.Int(0);
            for (int t = 0; t < 40; ++t) out.Text(t % 3 == 0 ? "Person " + std::to_string(i) : std::string());
            for (int n = 0; n < 30; ++n) out.Int(n % 4);
            for (int f = 0; f < 5; ++f) out.Flag(f == 2);
            for (int d = 0; d < 4; ++d) out.Date(d == 0 ? 45000.0 + i : 0.0);
            out.EndRecord();
        }
        out.Commit();
    });
    const long bytes = CxFile::GetFileSize((folder + "GAddr.dat").c_str());
    BenchBridge bridge;
    bridge.SetFolder(folder.c_str());
    bool ok = false;
    const double read = Seconds([&] { ok = bridge.Load(); });
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("data file: %d records, %.1f MB\n", kRecords, bytes / 1e6);
    std::printf("write: %.3f s (%.0f records/s)\n", write, kRecords / write);
    std::printf("read and convert: %.3f s (%.0f records/s), %s, %u listed\n", read, kRecords / read,
                ok ? "ok" : "FAILED", bridge.GetDataMgr()->GetRecordCount());
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::remove((folder + "GAddr.dat").c_str());
    ::rmdir(tmpl);
    return ok ? 0 : 1;
}
