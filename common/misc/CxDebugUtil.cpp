#include "common/misc/CxDebugUtil.h"

#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

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

    const std::string path = std::string(m_folder) + m_fileName;
    struct stat st {};
    FILE* file = nullptr;
    if (::stat(path.c_str(), &st) == 0 && st.st_size >= kRolloverSize + 1) {
        const std::string old = path + ".old.log";
        std::remove(old.c_str());
        if (std::rename(path.c_str(), old.c_str()) != 0) {
            // Keep the copy semantics when the rename is refused.
            if (FILE* in = std::fopen(path.c_str(), "rb")) {
                if (FILE* out = std::fopen(old.c_str(), "wb")) {
                    char buf[65536];
                    std::size_t n;
                    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) std::fwrite(buf, 1, n, out);
                    std::fclose(out);
                }
                std::fclose(in);
            }
        }
        file = std::fopen(path.c_str(), "wb");
    } else {
        file = std::fopen(path.c_str(), "ab");
    }
    if (file == nullptr) return;
    std::fprintf(file, "[%04d/%02d/%02d %02d:%02d:%02d][%-20s(%-4d)][%05x][%s] - %s\r\n", now.year, now.month,
                 now.day, now.hour, now.minute, now.second, source, line, platform::CurrentThreadId(), marker,
                 message);
    std::fclose(file);
}
