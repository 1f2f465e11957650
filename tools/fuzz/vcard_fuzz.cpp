// vCard reading: any bytes read as a contact; what it writes reads back and
// writes the same text again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/outlook/ContactCard.h"
#include "platform/outlook/VCard.h"

using namespace platform::outlook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseVCards(text);
    ItemData item(ItemKind::Contact);
    if (!ContactFromVCard(text, item)) return 0;
    const std::string first = ContactToVCard(item);
    ItemData again(ItemKind::Contact);
    if (!ContactFromVCard(first, again)) __builtin_trap();
    if (ContactToVCard(again) != first) __builtin_trap();
    return 0;
}
