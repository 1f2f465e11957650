// CSV: split any text; the items joined with commas give the text back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/misc/CSV.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    CSV csv(text.c_str());
    std::string joined;
    for (int i = 0; i < csv.GetCount(); ++i) {
        if (i > 0) joined += ',';
        joined += csv.GetItem(i);
    }
    if (joined != text || csv.GetItem(csv.GetCount())[0] != '\0' || csv.GetItem(-1)[0] != '\0') __builtin_trap();
    return 0;
}
