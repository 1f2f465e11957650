#pragma once
// One Wine registry file ("system.reg", "user.reg") read into memory.
//
// The file starts with the line "WINE REGISTRY Version 2". Each key is a
// line "[Software\\Vendor\\Product] <timestamp>" with its backslashes
// doubled, followed by option lines ("#time=...") and value lines
// "\"name\"=\"text\"", "@=\"text\"" for the default value, and
// "\"name\"=str(2):\"text\"" for expandable texts. Texts use backslash
// escapes: \\ \" \a \b \e \f \n \r \t \v, octal digits, and \x with up to
// four hex digits for a UTF-16 unit. Other value types (dword:, hex:,
// hex(n):, str(7): ...) are skipped, including their continuation lines.
//
// Key paths and value names are matched without regard to (ASCII) case.
// Texts are kept in UTF-8.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

class WineRegistryFile {
public:
    // Parses the text of a file; false (and nothing kept) when the header
    // line is missing.
    bool Parse(std::string_view text);
    // Reads and parses a file; false when it cannot be read or parsed.
    bool Load(const std::string& path);

    // The text value `name` of the key (backslash-separated, relative to the
    // file's root); an empty name is the default value.
    std::optional<std::string> Get(std::string_view keyPath, std::string_view name) const;
    bool HasKey(std::string_view keyPath) const;
    std::size_t KeyCount() const { return m_keys.size(); }

    // A key path in the form used for lookups: lower case, single
    // backslashes, no leading or trailing backslash.
    static std::string NormalizeKey(std::string_view keyPath);

private:
    using Values = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, Values> m_keys;
};

}  // namespace platform
