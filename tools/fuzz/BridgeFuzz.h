#pragma once
// What the fuzz targets of the helper bridges share: a bridge that reads
// its data file without running its helper, the bytes written as that file
// in the scratch folder, and the checks every converted record must pass.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/bridge/CxHelperKindBridge.h"
#include "platform/clock/SystemTime.h"
#include "tools/fuzz/FuzzScratch.h"

namespace fwfuzz {

template <class Bridge>
class Reader : public Bridge {
public:
    bool Read() { return this->LoadDataFile_(CxLoadTexts{}); }
};

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

// An empty time, or a valid one.
inline void CheckTime(const SYSTEMTIME& st) {
    if (st.wYear != 0 && (st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 || st.wDay > 31 || st.wHour > 23 ||
                          st.wMinute > 59 || st.wSecond > 59))
        __builtin_trap();
}

// A text ends within its member.
template <std::size_t N>
void CheckText(const char (&text)[N]) {
    if (std::memchr(text, '\0', N) == nullptr) __builtin_trap();
}

// Reads the bytes as the bridge's data file; every raw record has its
// common record.
template <class Bridge>
void ReadKind(const std::string& file, const std::uint8_t* data, std::size_t size, Reader<Bridge>& bridge) {
    WriteBytes(ScratchFolder() + file, data, size);
    bridge.SetFolder(ScratchFolder().c_str());
    bridge.Read();
    if (bridge.GetDataMgr()->GetRecordCount() != bridge.GetRecordCount()) __builtin_trap();
}

}  // namespace fwfuzz
