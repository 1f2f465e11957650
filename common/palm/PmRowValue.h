#pragma once
// The values of one fetched row of a Palm Desktop 6.x database, one per
// selected column in column order, and how a record member is read from
// one. A read that does not fit the value's kind fails and leaves the
// member as it was (0 or empty in a freshly zeroed record).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/jet/JetValue.h"

using PmRowValue = platform::jet::Value;
using PmRowValues = std::vector<PmRowValue>;

// An integer as it is; a text by its leading decimal number (0 when it has
// none, held to the 32-bit range). Other kinds fail.
bool GetLongValue(const PmRowValue& value, std::int32_t& member);
// A boolean as 1 or 0. Other kinds fail.
bool GetBoolValue(const PmRowValue& value, std::int32_t& member);
// A text, cut to `size` - 1 bytes without splitting a character. Other
// kinds fail.
bool GetTextValue(const PmRowValue& value, char* member, std::size_t size);
