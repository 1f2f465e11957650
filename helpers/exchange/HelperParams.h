#pragma once
// A helper program's view of its parameter file: a 32-bit count, then each
// parameter as a 32-bit id, a 32-bit value type and the value. Texts (type
// 8) are a 32-bit byte count and the bytes; 32-bit integers (type 3) and
// flags (type 11, 16 bits) are read as their decimal text. Any other type
// cannot be read past, so it ends the file as unreadable.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class HelperParams {
public:
    // False (and the reason in `error`) when the bytes are not a complete
    // parameter file; the parameters read before the fault are kept.
    bool Parse(std::string_view bytes, std::string* error = nullptr);
    bool Load(const std::string& path, std::string* error = nullptr);

    std::optional<std::string> Get(std::int32_t id) const;
    // The text of a parameter, or the default when it is missing.
    std::string Text(std::int32_t id, const std::string& def = std::string()) const;
    // The leading decimal digits of a parameter, or the default.
    int Int(std::int32_t id, int def) const;
    std::size_t Count() const { return m_values.size(); }
    const std::map<std::int32_t, std::string>& All() const { return m_values; }

private:
    std::map<std::int32_t, std::string> m_values;
};
