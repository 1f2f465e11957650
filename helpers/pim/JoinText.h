#pragma once
// Lists of values as the data files hold them in one text.
#include <string>
#include <string_view>
#include <vector>

namespace pim {

// The items that are not empty, joined with `separator`.
inline std::string JoinNonEmpty(const std::vector<std::string>& items, std::string_view separator) {
    std::string out;
    for (const std::string& s : items) {
        if (s.empty()) continue;
        if (!out.empty()) out += separator;
        out += s;
    }
    return out;
}

}  // namespace pim
