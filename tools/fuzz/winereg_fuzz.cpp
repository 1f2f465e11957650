// Wine registry files: parse any text and look a few keys up.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/registry/WineRegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::WineRegistryFile file;
    file.Parse(text);
    file.Get("Software\\Lotus\\Notes", "Path");
    file.Get("software\\classes\\outlook.application\\curver", "");
    file.HasKey(text.substr(0, size / 2));
    file.Get(text.substr(0, size / 3), text.substr(size / 3, size / 3));
    return 0;
}
