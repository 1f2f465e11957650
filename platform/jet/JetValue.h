#pragma once
// A field value as the Jet provider hands it over: an integer (from 16- and
// 32-bit integer columns), a text (UTF-8), a boolean, or none (every other
// column type, and null).
#include <cstdint>
#include <string>

namespace platform::jet {

enum class ValueKind { None, Integer, Text, Boolean };

struct Value {
    ValueKind kind = ValueKind::None;
    std::int32_t integer = 0;
    bool boolean = false;
    std::string text;

    static Value None() { return {}; }
    static Value Integer(std::int32_t v) {
        Value x;
        x.kind = ValueKind::Integer;
        x.integer = v;
        return x;
    }
    static Value Text(std::string v) {
        Value x;
        x.kind = ValueKind::Text;
        x.text = std::move(v);
        return x;
    }
    static Value Boolean(bool v) {
        Value x;
        x.kind = ValueKind::Boolean;
        x.boolean = v;
        return x;
    }
    bool operator==(const Value&) const = default;
};

}  // namespace platform::jet
