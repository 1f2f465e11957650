#include "common/misc/CxDebugUtil.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/misc/CxFile.h"
#include "platform/clock/Clock.h"
#include "platform/text/TextCopy.h"

CxDebugUtil& CxDebugUtil::Instance() {
    static CxDebugUtil instance;
    return instance;
}

CxDebugUtil::CxDebugUtil() {
    platform::CopyText(m_fileName, "appdebug.log");
    platform::CopyText(m_folder, "./");
}

void CxDebugUtil::SetFolder(const char* folder) {
    std::lock_guard lock(m_mutex);
    platform::CopyText(m_folder, folder);
}

void CxDebugUtil::Enable(bool enabled) {
    std::lock_guard lock(m_mutex);
    m_enabled = enabled;
}

void CxDebugUtil::SetLevel(int level) {
    std::lock_guard lock(m_mutex);
    m_level = level < 0 ? 0 : (level > 3 ? 3 : level);
}

std::string CxDebugUtil::GetFolder() const {
    std::lock_guard lock(m_mutex);
    return m_folder;
}

std::string CxDebugUtil::GetLogPath() const {
    std::lock_guard lock(m_mutex);
    return std::string(m_folder) + m_fileName;
}

void CxDebugUtil::Log(int level, const char* sourcePath, int line, const char* format, ...) {
    std::lock_guard lock(m_mutex);
    if (level != kLogCritical && !(m_enabled && level <= m_level)) return;

    static thread_local char message[kMessageLimit];
    message[0] = '\0';
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(message, sizeof message, format, args);
        va_end(args);
        if (n >= static_cast<int>(sizeof message)) {
            // Cut without leaving half a character at the end.
            const std::size_t keep = platform::Utf8PrefixLength(std::string_view(message), sizeof message - 1);
            message[keep] = '\0';
        }
    }

    char source[256];
    if (sourcePath == nullptr) {
        platform::CopyText(source, "<null>");
    } else {
        const char* name = sourcePath;
        for (const char* p = sourcePath; *p; ++p)
            if (*p == '\\' || *p == '/') name = p + 1;
        platform::CopyText(source, name);
    }

    const platform::LocalTime now = platform::LocalNow();
    const char* marker = level == kLogCritical ? "!!!" : "   ";

    // A line break or other control character in a logged text (a file
    // name, a value read from a file) must not forge entries of its own.
    std::string text;
    for (const char* p = message; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') text += "\\n";
        else if (c == '\r') text += "\\r";
        else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }

    const std::string path = std::string(m_folder) + m_fileName;
    CxFile file;
    if (CxFile::GetFileSize(path.c_str()) >= kRolloverSize + 1) {
        const std::string old = path + ".old.log";
        std::remove(old.c_str());
        if (std::rename(path.c_str(), old.c_str()) != 0) {
            // Keep the copy semantics when the rename is refused.
            CxFile in, out;
            if (in.Open(path.c_str(), "rb") && out.Open(old.c_str(), "wb", true)) {
                char buf[65536];
                std::size_t n;
                while ((n = in.ReadSome(buf, sizeof buf)) > 0) out.WriteBytes(buf, n);
            }
        }
        file.Open(path.c_str(), "wb", true);
    } else {
        // The log holds names and addresses: the owner's only.
        file.Open(path.c_str(), "ab", true);
    }
    if (!file.IsOpen()) return;
    char head[400];
    std::snprintf(head, sizeof head, "[%04d/%02d/%02d %02d:%02d:%02d][%-20s(%-4d)][%05x][%s] - ", now.year, now.month,
                  now.day, now.hour, now.minute, now.second, source, line, platform::CurrentThreadId(), marker);
    file.WriteBytes(head, std::strlen(head));
    file.WriteBytes(text.data(), text.size());
    file.WriteBytes("\r\n", 2);
}
