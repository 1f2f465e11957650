#pragma once
// The name a contact goes by in lists.
#include <string>

#include "common/records/CommAddrRec.h"

// The contact's display name; when it has none (Palm Desktop contacts never
// do), its prefix, first, middle and last name and suffix joined by blanks,
// the way Outlook makes a full name. Empty when all of them are empty.
std::string CommContactName(const CommAddrRec& rec);
