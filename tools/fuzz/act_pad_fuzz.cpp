// ".pad" files as the ACT! helpers read them: any bytes as the XML that
// names a database and its server, then the address made of the host,
// which is always an HTTPS one without the SQL Server instance.
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/act/ActPad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    act::PadInfo pad;
    if (act::ReadPadText(bytes, pad)) {
        const std::string base = act::BaseUrlForHost(pad.host);
        if (!base.empty() && (base.rfind("https://", 0) != 0 || base.find('\\') != std::string::npos)) __builtin_trap();
    }
    return 0;
}
