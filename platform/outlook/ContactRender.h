#pragma once
// The lines a contact's values make in a vCard, field by field, in the
// form of the card's version; and the text of one such line.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/outlook/ItemData.h"
#include "platform/outlook/VCard.h"

namespace platform::outlook {

enum class CardDialect { V21, V30, V40 };

// The dialect of a card's VERSION value; 3.0 for anything unknown.
CardDialect DialectOf(std::string_view version);

struct CardPart {
    std::string text;
    std::size_t width = 1;  // components of the value it fills; 0 for all that are left
    bool verbatim = false;  // written as it is: dates, numbers
};

// One line of a field.
struct CardField {
    std::string key;                 // the field, as the card reader names it
    std::string name;                // property name of a new line
    std::vector<std::string> types;  // TYPE values of a new line
    std::string slot;                // X-OUTLOOK-FIELD of a new line, when its types do not tell it
    std::vector<CardPart> parts;     // components, joined with ';'
    bool list = false;               // commas separate values and are not escaped
    bool madeUp = false;             // an FN made of other values
};

// Every line the contact's values make, in the order of a new card. A
// field without a value makes no line, except FN and N.
std::vector<CardField> RenderContact(const ItemData& item, CardDialect dialect);

// The text of a field's line, folded and ending in CR LF. With `old`, the
// line it replaces: its group, name and parameters are kept (but for
// encoding and those of our own), and the components that hold what
// `oldField` held keep their own spelling. `markSlot` adds the slot
// parameter to a kept line that has none.
std::string FormatField(const CardField& field, CardDialect dialect, const VCardLine* old = nullptr,
                        const CardField* oldField = nullptr, bool markSlot = false);

}  // namespace platform::outlook
