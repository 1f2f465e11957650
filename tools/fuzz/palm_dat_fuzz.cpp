// Palm Desktop .dat readers: any bytes, read by the reader that the first
// byte picks (bits 0-2: kind and generation; bit 3: a double-byte code
// page), must load or fail cleanly.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrUtil.h"
#include "common/palm/PmDateUtil.h"
#include "common/palm/PmMemoUtil.h"
#include "common/palm/PmTodoUtil.h"

namespace {

volatile std::size_t g_sink;

template <class Reader>
void Load(const char* path) {
    Reader reader;
    reader.LoadFile(path);
    // Touch every record the reader kept, and the category names.
    std::size_t sum = 0;
    for (auto* rec = reader.GetRecords().GetFirst(); rec != nullptr; rec = reader.GetRecords().GetNext())
        sum += reinterpret_cast<const unsigned char*>(rec)[sizeof *rec - 1];
    if (PmCategoryMgr* mgr = reader.GetCategoryMgr())
        for (PmCategory* c = mgr->First(); c != nullptr; c = mgr->Next()) sum += std::strlen(c->GetName());
    g_sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_palm_dat_" + std::to_string(::getpid()) + ".dat";
    static bool once = [] {
        // Every line is formatted; none reaches a file.
        CxDebugUtil::Instance().SetFolder("/nonexistent-fuzz-log-folder/");
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(3);
        return true;
    }();
    (void)once;
    if (size == 0) return 0;
    static bool doubleByte = false;
    const bool wantDoubleByte = (data[0] & 0x08) != 0;
    if (wantDoubleByte != doubleByte) {
        PmDBUtil::SetCodePage(wantDoubleByte ? "SHIFT_JIS" : "windows-1252");
        doubleByte = wantDoubleByte;
    }
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    } else {
        return 0;
    }
    switch (data[0] & 0x07) {
    case 0: Load<PmAddrExUtil>(path.c_str()); break;
    case 1: Load<PmDateExUtil>(path.c_str()); break;
    case 2: Load<PmTodoExUtil>(path.c_str()); break;
    case 3: Load<PmMemoExUtil>(path.c_str()); break;
    case 4: Load<PmAddrUtil>(path.c_str()); break;
    case 5: Load<PmDateUtil>(path.c_str()); break;
    case 6: Load<PmTodoUtil>(path.c_str()); break;
    case 7: Load<PmMemoUtil>(path.c_str()); break;
    }
    return 0;
}
