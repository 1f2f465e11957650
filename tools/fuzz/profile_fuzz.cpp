// Private-profile files: parse any text, look keys up, write a key and
// parse the result again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/profile/PrivateProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::ProfileDocument doc;
    doc.Parse(text);
    doc.Get("FRWY", "SourceApp");
    doc.Get("", "");
    const std::string section = size > 2 ? text.substr(0, size / 3) : "S";
    doc.Set(section, "Key", "Value");
    platform::ProfileDocument again;
    again.Parse(doc.Text());
    auto value = again.Get(section, "Key");
    // A key just written reads back, unless the section name itself is one
    // that cannot be written as a header line.
    if (section.find_first_of("[]\r\n=") == std::string::npos &&
        section.find_first_not_of(" \t") != std::string::npos && section.front() != ' ' && section.back() != ' ' &&
        section.front() != '\t' && section.back() != '\t') {
        if (!value || *value != "Value") __builtin_trap();
    }
    return 0;
}
