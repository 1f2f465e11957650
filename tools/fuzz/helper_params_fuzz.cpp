// Helper parameter files as a helper program reads them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "helpers/exchange/HelperParams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HelperParams params;
    std::string error;
    const bool ok = params.Parse(std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (ok == !error.empty() && !ok) __builtin_trap();
    params.Text(1000);
    params.Int(1005, 0);
    return 0;
}
