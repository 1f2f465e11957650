#pragma once
// Conversion of texts between character sets named as the system names
// them ("windows-1252", "CP850", "UTF-8", "WINDOWS-1252//TRANSLIT").
#include <string>
#include <string_view>

namespace platform {

class CodeConverter {
public:
    CodeConverter() = default;
    ~CodeConverter() { Close(); }
    CodeConverter(const CodeConverter&) = delete;
    CodeConverter& operator=(const CodeConverter&) = delete;

    // Prepares conversion from `from` into `to`; false when the system knows
    // either name not.
    bool Open(const std::string& to, const std::string& from);
    void Close();
    bool IsOpen() const { return m_handle != kClosed; }

    // Appends the converted form of `in` to `out`. A byte sequence that
    // `from` does not define, or that the end of `in` cuts off, is appended
    // as `replacement` (already in `to`), and conversion goes on after it;
    // a cut-off sequence ends the text. False when anything was replaced
    // or nothing is open.
    bool Convert(std::string_view in, std::string& out, std::string_view replacement);

    // True when the system converts from `from` into `to`.
    static bool Supported(const std::string& to, const std::string& from);

private:
    static inline void* const kClosed = reinterpret_cast<void*>(-1);
    void* m_handle = kClosed;  // the system's conversion descriptor
};

}  // namespace platform
