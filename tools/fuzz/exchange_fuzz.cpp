// Helper data files: the count, the record headers and every field
// encoding, read by a bridge from a file of any content. The first byte
// picks the layout (three header integers as Google writes them, or two);
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxExchangeRead.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/google/CxGAppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "common/records/CommNoteMgr.h"
#include "platform/text/TextCopy.h"
#include "tools/fuzz/FuzzScratch.h"

namespace {

struct FuzzRec {
    std::int32_t header[3];
    char name[8];
    char slots[3][5];
    std::int32_t types[4];
    std::int32_t flag;
    std::int32_t next;
    double dates[2];
    char note[64];
};

template <class AppBase>
class FuzzBridge : public CxHelperKindBridge<AppBase, FuzzRec, CommNoteRec, CommNoteMgr> {
public:
    FuzzBridge(CxHelperKindId kind, int headerInts)
        : CxHelperKindBridge<AppBase, FuzzRec, CommNoteRec, CommNoteMgr>(kind), m_headerInts(headerInts) {}
    bool Load() override { return Read(); }
    bool Read() { return this->LoadDataFile_(CxLoadTexts{}); }

protected:
    bool LoadRecFromFile_(CxFile& file, FuzzRec& rec) override {
        if (!file.IsOpen()) return false;
        for (int i = 0; i < m_headerInts; ++i) cxexchange::ReadInt(file, rec.header[i]);
        cxexchange::ReadText(file, rec.name);
        cxexchange::ReadTexts(file, rec.slots);
        cxexchange::ReadInts(file, rec.types);
        cxexchange::ReadFlag(file, rec.flag);
        cxexchange::ReadDates(file, rec.dates);
        cxexchange::ReadText(file, rec.note);
        return true;
    }
    void ConvertRecord_(const FuzzRec& raw, CommNoteRec& rec) override {
        platform::CopyText(rec.Subject, raw.name);
        platform::CopyText(rec.Note, raw.note);
        if (raw.next != 0 || raw.name[sizeof raw.name - 1] != '\0' || raw.note[sizeof raw.note - 1] != '\0')
            __builtin_trap();  // a field ran over
    }

private:
    int m_headerInts;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fwfuzz::ScratchFolder();
    const bool google = size > 0 && (data[0] & 1) == 0;
    const std::string path = folder + (google ? "GAddr.dat" : "ACTNote.dat");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 1) std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    if (google) {
        FuzzBridge<CxGAppBaseUtil> bridge(kHelperGAddr, 3);
        bridge.SetFolder(folder.c_str());
        bridge.Read();
        if (bridge.GetDataMgr()->GetRecordCount() != bridge.GetRecordCount()) __builtin_trap();
    } else {
        FuzzBridge<CxACTBaseUtil> bridge(kHelperACTNote, 2);
        bridge.SetFolder(folder.c_str());
        bridge.Read();
        if (bridge.GetDataMgr()->GetRecordCount() != bridge.GetRecordCount()) __builtin_trap();
    }
    std::remove((folder + "appdebug.log").c_str());
    return 0;
}
