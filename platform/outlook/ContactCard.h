#pragma once
// Contacts as vCard 3.0 files: which vCard property holds which contact
// property, and back.
#include <string>
#include <string_view>

#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// The text of a contact's file.
std::string ContactToVCard(const ItemData& item);

// Reads the first card of a file into a contact. Lines that map to no
// property, and the cards after the first, are kept in the item and written
// back unchanged. False when the text holds no card.
bool ContactFromVCard(std::string_view text, ItemData& item);

}  // namespace platform::outlook
