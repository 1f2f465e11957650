// Palm Desktop 6.x readers: any bytes served as the database of the reader
// that the first byte picks (contacts, calendar, tasks, memos) must load or
// fail cleanly.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmMemoEx2Util.h"
#include "common/palm/PmTodoEx2Util.h"
#include "platform/jet/JetDatabase.h"

namespace {

volatile std::size_t g_sink;

// Serves the bytes of the current input for every path.
class BytesProvider : public platform::jet::Provider {
public:
    std::vector<std::uint8_t> bytes;
    std::shared_ptr<platform::jet::Database> Open(const std::string& path, std::string& error) override {
        return platform::jet::OpenJetBytes(bytes, path, error);
    }
};

template <class Reader>
void Load(const char* path) {
    Reader reader;
    reader.LoadFile(path);
    std::size_t sum = reader.GetRecordCount();
    for (auto* rec = reader.GetRecords().GetFirst(); rec != nullptr; rec = reader.GetRecords().GetNext())
        sum += std::strlen(rec->CategoryName) + reinterpret_cast<const unsigned char*>(rec)[sizeof *rec - 1];
    PmCategoryEx2Mgr& store = reader.GetCategoryMgr();
    for (PmCategoryEx2* c = store.First(); c != nullptr; c = store.Next()) sum += std::strlen(c->GetName());
    g_sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_palm_mdb_" + std::to_string(::getpid()) + ".mdb";
    static const std::shared_ptr<BytesProvider> provider = [] {
        // Every line is formatted; none reaches a file.
        CxDebugUtil::Instance().SetFolder("/nonexistent-fuzz-log-folder/");
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(3);
        // The readers look for the file before they open it.
        if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
        auto p = std::make_shared<BytesProvider>();
        platform::jet::SetDefaultProvider(p);
        return p;
    }();
    if (size == 0) return 0;
    provider->bytes.assign(data + 1, data + size);
    switch (data[0] & 0x03) {
    case 0: Load<PmAddrEx2Util>(path.c_str()); break;
    case 1: Load<PmDateEx2Util>(path.c_str()); break;
    case 2: Load<PmTodoEx2Util>(path.c_str()); break;
    case 3: Load<PmMemoEx2Util>(path.c_str()); break;
    }
    return 0;
}
