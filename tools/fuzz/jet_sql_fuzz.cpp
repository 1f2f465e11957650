// The texts the Jet stand-in parses: connection strings, SELECT statements
// and stored Jet texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/jet/JetSql.h"
#include "platform/jet/JetText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string source, error;
    if (platform::jet::ParseConnectionString(text, source, error) && source.empty()) __builtin_trap();
    platform::jet::SelectStatement select;
    if (platform::jet::ParseSelect(text, select, error)) {
        if (select.table.empty() || (!select.allColumns && select.columns.empty())) __builtin_trap();
        if (!platform::jet::IsSelect(text)) __builtin_trap();
    }
    const std::string utf8 = platform::jet::DecodeJetText(data, size);
    if (utf8.size() > size * 3 + 8)
        __builtin_trap();  // at most three bytes per two stored bytes, or per one compressed
    return 0;
}
