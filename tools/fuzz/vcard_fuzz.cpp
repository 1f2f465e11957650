// vCard reading: any bytes read as a contact. A contact written back
// unchanged keeps its text; values changed in it read back exactly as they
// were set, and what is written once is written again the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/outlook/ContactCard.h"
#include "platform/outlook/VCard.h"

using namespace platform::outlook;

namespace {

bool SameValues(const ItemData& a, const ItemData& b) {
    for (std::size_t i = 0; i < a.props.size(); ++i)
        if (a.props[i].s != b.props[i].s || a.props[i].i != b.props[i].i || a.props[i].d != b.props[i].d) return false;
    if (a.order != b.order || a.userProps.size() != b.userProps.size()) return false;
    for (std::size_t i = 0; i < a.userProps.size(); ++i)
        if (a.userProps[i].name != b.userProps[i].name || a.userProps[i].text != b.userProps[i].text) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseVCards(text);
    ItemData item(ItemKind::Contact);
    if (!ContactFromVCard(text, item)) return 0;
    if (ContactToVCard(item) != text) __builtin_trap();

    // Values set and cleared as the input's first bytes choose.
    static const char* const texts[] = {"", "x", "a,b;c\\d:e", "one\r\ntwo\nthree\rfour", " blank ", "Zo\xC3\xAB"};
    const auto& schema = Schema(ItemKind::Contact);
    for (std::size_t k = 0; k < size && k < 24; ++k) {
        const unsigned b = data[k];
        const std::size_t i = (b * 7 + k * 13) % schema.size();
        if (schema[i].readOnly) continue;
        PropValue& v = item.At(static_cast<int>(i));
        switch (schema[i].type) {
        case PropType::Text: v.s = texts[b % 6]; break;
        case PropType::Int:
        case PropType::Bool: v.i = static_cast<std::int32_t>(b % 3); break;
        case PropType::Date: v.d = b % 2 ? 0.0 : NormalizeDate(30000.0 + b + (b % 4 == 0 ? 0.25 : 0.0)); break;
        }
    }
    const std::string first = ContactToVCard(item);
    ItemData again(ItemKind::Contact);
    if (!ContactFromVCard(first, again) || !SameValues(item, again)) __builtin_trap();
    if (ContactToVCard(again) != first) __builtin_trap();
    return 0;
}
