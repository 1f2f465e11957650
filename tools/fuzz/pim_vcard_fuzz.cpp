// Contacts from any vCard text: read whole and read a part at a time give
// the same contacts, every date of them converts or is none, and the
// times are numbers (a time before 1900 is a negative date).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/google/GContactWriter.h"
#include "helpers/pim/VCardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto whole = pim::ReadVCards(text);
    std::vector<pim::Contact> parts;
    if (!pim::ReadVCards(text, parts, nullptr) || parts.size() != whole.size()) __builtin_trap();
    for (const pim::Contact& c : whole) {
        for (const pim::Date& d : c.dates) {
            if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) __builtin_trap();
            google_helper::ContactDate(d);
        }
        if (!std::isfinite(c.modified) || !std::isfinite(c.created)) __builtin_trap();
    }
    pim::Date d;
    pim::ParseDate(text, d);
    pim::ParseStamp(text);
    pim::PlainLabel(text);
    return 0;
}
