#include "common/palm/PmTextDecoder.h"

#include <mutex>

#include "common/misc/CxDebugUtil.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Utf8.h"

namespace {

std::mutex g_codePageMutex;
std::string g_codePage = PmTextDecoder::kDefaultCodePage;

bool IsWindows1252(const std::string& name) {
    for (const char* alias : {"windows-1252", "cp1252", "1252", "ms-ansi"})
        if (platform::EqualsNoCase(name, alias)) return true;
    return false;
}

// 0x80 to 0x9F of windows-1252; the five bytes it leaves undefined map to
// the control characters of the same value, as Windows itself does.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

PmTextDecoder::PmTextDecoder() {
    const std::string name = GetCodePage();
    if (IsWindows1252(name)) return;
    m_windows1252 = !m_converter.Open("UTF-8", name);
}

PmTextDecoder::~PmTextDecoder() = default;

bool PmTextDecoder::SetCodePage(const char* name) {
    std::string wanted = name != nullptr ? name : "";
    bool known = !wanted.empty();
    if (known && !IsWindows1252(wanted)) {
        known = platform::CodeConverter::Supported("UTF-8", wanted);
    }
    if (!known) {
        CX_LOG(kLogCritical, "Unknown code page for Palm Desktop files: \"%s\", using %s instead.", wanted.c_str(),
               kDefaultCodePage);
        wanted = kDefaultCodePage;
    }
    std::lock_guard lock(g_codePageMutex);
    g_codePage = wanted;
    return known;
}

std::string PmTextDecoder::GetCodePage() {
    std::lock_guard lock(g_codePageMutex);
    return g_codePage;
}

void PmTextDecoder::Decode(const char* raw, std::size_t n, std::string& out) {
    out.clear();
    std::size_t ascii = 0;
    while (ascii < n && static_cast<unsigned char>(raw[ascii]) < 0x80) ++ascii;
    out.append(raw, ascii);
    if (ascii == n) return;
    if (m_windows1252)
        DecodeWindows1252(reinterpret_cast<const unsigned char*>(raw) + ascii, n - ascii, out);
    else
        m_converter.Convert(std::string_view(raw + ascii, n - ascii), out, kReplacement);
}

void PmTextDecoder::DecodeWindows1252(const unsigned char* raw, std::size_t n, std::string& out) const {
    out.reserve(out.size() + n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = raw[i];
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            platform::AppendUtf8(out, kHigh1252[c - 0x80]);
        else
            platform::AppendUtf8(out, c);
    }
}
