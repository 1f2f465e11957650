#include "common/palm/PmTextDecoder.h"

#include <iconv.h>
#include <strings.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "common/misc/CxDebugUtil.h"

namespace {

std::mutex g_codePageMutex;
std::string g_codePage = PmTextDecoder::kDefaultCodePage;

bool IsWindows1252(const std::string& name) {
    for (const char* alias : {"windows-1252", "cp1252", "1252", "ms-ansi"})
        if (::strcasecmp(name.c_str(), alias) == 0) return true;
    return false;
}

// 0x80 to 0x9F of windows-1252; the five bytes it leaves undefined map to
// the control characters of the same value, as Windows itself does.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

PmTextDecoder::PmTextDecoder() {
    const std::string name = GetCodePage();
    if (IsWindows1252(name)) return;
    m_iconv = ::iconv_open("UTF-8", name.c_str());
    m_windows1252 = m_iconv == reinterpret_cast<iconv_t>(-1);
}

PmTextDecoder::~PmTextDecoder() {
    if (m_iconv != reinterpret_cast<iconv_t>(-1)) ::iconv_close(m_iconv);
}

bool PmTextDecoder::SetCodePage(const char* name) {
    std::string wanted = name != nullptr ? name : "";
    bool known = !wanted.empty();
    if (known && !IsWindows1252(wanted)) {
        const iconv_t probe = ::iconv_open("UTF-8", wanted.c_str());
        known = probe != reinterpret_cast<iconv_t>(-1);
        if (known) ::iconv_close(probe);
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
        DecodeIconv(raw + ascii, n - ascii, out);
}

void PmTextDecoder::DecodeWindows1252(const unsigned char* raw, std::size_t n, std::string& out) const {
    out.reserve(out.size() + n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = raw[i];
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            AppendUtf8(out, kHigh1252[c - 0x80]);
        else
            AppendUtf8(out, c);
    }
}

void PmTextDecoder::DecodeIconv(const char* raw, std::size_t n, std::string& out) {
    ::iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(raw);
    std::size_t inLeft = n;
    char chunk[1024];
    while (inLeft > 0) {
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        const std::size_t r = ::iconv(m_iconv, &in, &inLeft, &dst, &dstLeft);
        out.append(chunk, sizeof chunk - dstLeft);
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // An undefined byte, or a character cut off at the end of the text.
        AppendUtf8(out, 0xFFFD);
        if (errno == EINVAL) break;
        ++in;
        --inLeft;
        ::iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = chunk;
    std::size_t dstLeft = sizeof chunk;
    ::iconv(m_iconv, nullptr, nullptr, &dst, &dstLeft);
    out.append(chunk, sizeof chunk - dstLeft);
}
