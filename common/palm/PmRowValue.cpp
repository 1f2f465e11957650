#include "common/palm/PmRowValue.h"

#include <cstdint>
#include <limits>

#include "platform/text/TextCopy.h"

namespace {

std::int32_t LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t n = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > kLimit) n = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-n);
    return static_cast<std::int32_t>(n == kLimit ? kLimit - 1 : n);
}

}  // namespace

bool GetLongValue(const PmRowValue& value, std::int32_t& member) {
    switch (value.kind) {
    case platform::jet::ValueKind::Integer: member = value.integer; return true;
    case platform::jet::ValueKind::Text: member = LeadingNumber(value.text); return true;
    default: return false;
    }
}

bool GetBoolValue(const PmRowValue& value, std::int32_t& member) {
    if (value.kind != platform::jet::ValueKind::Boolean) return false;
    member = value.boolean ? 1 : 0;
    return true;
}

bool GetTextValue(const PmRowValue& value, char* member, std::size_t size) {
    if (value.kind != platform::jet::ValueKind::Text || member == nullptr) return false;
    platform::CopyText(member, size, value.text);
    return true;
}
