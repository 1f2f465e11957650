#pragma once
// Private-profile files: "[section]" lines followed by "key=value" lines.
// Sections and keys match without regard to case; blanks around keys and
// values are trimmed, and a value enclosed in a pair of quotes loses them.
// A write keeps every other line of the file and replaces the file
// atomically (a temporary file in the same folder, then a rename). Files are
// created readable and writable by their owner only, since they may hold
// passwords.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A private-profile file held in memory, line by line.
class ProfileDocument {
public:
    // Parses the text of a file. Both CR LF and LF line ends are read; the
    // file's own style is kept when it is written back.
    void Parse(std::string_view text);
    // Reads the file; false when it cannot be read (the document is empty).
    bool Load(const std::string& path);
    // Writes the file atomically; false on any failure, the old file intact.
    bool Save(const std::string& path) const;
    std::string Text() const;

    // The value of a key, or nothing when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Replaces the key's line, or adds it at the end of its section, or adds
    // the section at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);

private:
    std::vector<std::string> m_lines;
    bool m_crlf = false;
};

// Reads one value straight from a file.
std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section, std::string_view key);
// Writes one value into a file, creating it when missing.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace platform
