#include "platform/text/CodeConverter.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

iconv_t Handle(void* handle) { return static_cast<iconv_t>(handle); }

}  // namespace

bool CodeConverter::Open(const std::string& to, const std::string& from) {
    Close();
    const iconv_t cd = ::iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    m_handle = cd;
    return true;
}

void CodeConverter::Close() {
    if (m_handle != kClosed) ::iconv_close(Handle(m_handle));
    m_handle = kClosed;
}

bool CodeConverter::Supported(const std::string& to, const std::string& from) {
    CodeConverter probe;
    return probe.Open(to, from);
}

bool CodeConverter::Convert(std::string_view in, std::string& out, std::string_view replacement) {
    if (!IsOpen()) return false;
    const iconv_t cd = Handle(m_handle);
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh start: no state from an earlier text
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char chunk[1024];
    bool clean = true;
    while (srcLeft > 0) {
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        const std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int cause = errno;
        out.append(chunk, sizeof chunk - dstLeft);
        if (r != static_cast<std::size_t>(-1) || cause == E2BIG) continue;
        // An undefined sequence, or a character cut off at the end.
        out.append(replacement);
        clean = false;
        if (cause == EINVAL) break;
        ++src;
        --srcLeft;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = chunk;
    std::size_t dstLeft = sizeof chunk;
    ::iconv(cd, nullptr, nullptr, &dst, &dstLeft);  // the closing shift sequence, if any
    out.append(chunk, sizeof chunk - dstLeft);
    return clean;
}

}  // namespace platform
