#pragma once
// Contacts as vCard files: a new contact is a vCard 3.0 of its own; a card
// that was read is written back with only the lines of the values that
// changed rewritten, in the card's own version, and every other line as it
// was.
#include <string>
#include <string_view>

#include "platform/outlook/ItemData.h"

namespace platform::outlook {

// The text of a contact's file. The file text the contact was read from
// (`kept`) is the base; without one a new card is made.
std::string ContactToVCard(const ItemData& item);

// Reads the first card of a file into a contact and keeps the whole text
// in `kept`. False when the text holds no card.
bool ContactFromVCard(std::string_view text, ItemData& item);

}  // namespace platform::outlook
