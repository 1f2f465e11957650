#pragma once
// The readable text of an HTML body, for records that hold plain text.
#include <string>
#include <string_view>

namespace lotus_helper {

// The text of an HTML part: no tags, no style or script, entities
// replaced, a line per paragraph, line break and table row, runs of empty
// lines kept as one; lines end in LF.
std::string HtmlToText(std::string_view html);

}  // namespace lotus_helper
