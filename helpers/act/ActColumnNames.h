#pragma once
// Which contact field a column of an ACT! text export holds, by the name in
// its first line. ACT! names its fields differently from release to release
// and between its export dialogs ("Contact" or "Full Name", "Phone" or
// "Business Phone", "Phone Ext." or "Phone Extension", "Zip" or "ZIP Code");
// names are compared without regard to case, blanks and punctuation.
#include <cstdint>
#include <string>
#include <string_view>

namespace act {

// The name reduced to its lower-case letters and digits.
std::string ColumnKey(std::string_view name);

// The catalogue id of the field a column holds, or 0 for a column this
// program does not read.
std::int32_t FieldOfColumn(std::string_view name);

}  // namespace act
