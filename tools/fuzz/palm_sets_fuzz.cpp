// Palm record sets over any .dat file: the first byte picks the kind (bits
// 0-1: contacts, calendar, tasks, memos), a double-byte code page (bit 3)
// and a custom field map (bits 4-7); the rest is the file. The load must
// succeed or fail cleanly, and every entry must convert and answer every
// catalogue field.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"

namespace {

volatile std::size_t g_sink;

template <class Set>
void Walk(Set& set) {
    std::size_t sum = 0;
    for (auto* rec = set.GetCommonList()->GetFirstRecord(); rec != nullptr; rec = set.GetCommonList()->GetNextRecord())
        sum += reinterpret_cast<const unsigned char*>(rec)[sizeof *rec - 1] + std::strlen(rec->Note);
    g_sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_palm_sets_" + std::to_string(::getpid()) + ".dat";
    static bool once = [] {
        // Every line is formatted; none reaches a file. No Palm Desktop is
        // installed, so the address catalogue is generation 3's.
        CxDebugUtil::Instance().SetFolder("/nonexistent-fuzz-log-folder/");
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(3);
        ::setenv("WINEPREFIX", "/nonexistent-fuzz-wine-prefix", 1);
        PmSetProgramFolder("/nonexistent-fuzz-program-folder/");
        return true;
    }();
    (void)once;
    static PmAddrInfo contacts;
    static PmDateInfo calendar;
    static PmTodoInfo tasks;
    static PmMemoInfo memos;
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
    switch (data[0] & 0x03) {
    case 0: {
        // Ten mapped slots over the catalogue, shifted by the map byte.
        const int shift = data[0] >> 4;
        for (int slot = 0; slot < PmAddrInfo::kCustomMapSlots; ++slot)
            contacts.SetCustomMapSlot(slot, (slot * 6 + shift) % 56);
        contacts.LoadByFile(path.c_str());
        Walk(contacts);
        std::size_t sum = 0;
        for (PmAddrEntry* e = contacts.FirstEntry(); e != nullptr; e = contacts.NextEntry()) {
            for (int id = 0; id <= 55; ++id) {
                int fieldSize = 0;
                if (const char* text = PmAddrInfo::GetFieldText(*e, id, &fieldSize)) sum += std::strlen(text);
            }
        }
        g_sink = sum;
        break;
    }
    case 1:
        calendar.LoadByFile(path.c_str());
        Walk(calendar);
        break;
    case 2:
        tasks.LoadByFile(path.c_str());
        Walk(tasks);
        break;
    case 3:
        memos.LoadByFile(path.c_str());
        Walk(memos);
        break;
    }
    return 0;
}
