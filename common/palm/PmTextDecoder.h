#pragma once
// Texts in Palm Desktop data files are in the ANSI code page of the Windows
// system that wrote them. The process-wide code page (default
// "windows-1252") is set once at start from the settings; each reader
// decodes with its own decoder, so readers never share conversion state.
#include <cstddef>
#include <string>

#include "platform/text/CodeConverter.h"

class PmTextDecoder {
public:
    static constexpr const char* kDefaultCodePage = "windows-1252";

    // Uses the process-wide code page as it is when the decoder is made.
    PmTextDecoder();
    ~PmTextDecoder();
    PmTextDecoder(const PmTextDecoder&) = delete;
    PmTextDecoder& operator=(const PmTextDecoder&) = delete;

    // Replaces `out` with the UTF-8 form of `n` bytes. Bytes the code page
    // does not define become U+FFFD; nothing is dropped silently.
    void Decode(const char* raw, std::size_t n, std::string& out);

    // Sets the process-wide code page. A name the system does not know is
    // logged and replaced by "windows-1252"; the result says whether the
    // name given is used.
    static bool SetCodePage(const char* name);
    static std::string GetCodePage();

private:
    void DecodeWindows1252(const unsigned char* raw, std::size_t n, std::string& out) const;

    bool m_windows1252 = true;
    platform::CodeConverter m_converter;  // for code pages other than windows-1252
};
