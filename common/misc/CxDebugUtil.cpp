#include "common/misc/CxDebugUtil.h"

#include <vector>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/misc/CxFile.h"
#include "platform/clock/Clock.h"
#include "platform/paths/PrivateFiles.h"
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

std::string CxDebugUtil::OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7f) {
            out.push_back(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return out;
}

namespace {

// The entries this thread holds back, while a CxDeferredLog lives on it.
thread_local std::vector<CxDeferredLog::Entry>* t_deferred = nullptr;

}  // namespace

CxDeferredLog::CxDeferredLog() : m_outer(t_deferred) { t_deferred = &m_entries; }

CxDeferredLog::~CxDeferredLog() {
    t_deferred = m_outer;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        const int level = i < m_demoted && e.level == kLogCritical ? kLogDetail : e.level;
        if (m_outer != nullptr)
            m_outer->push_back(Entry{e.log, level, e.source, e.line, e.message});
        else
            e.log->Write(level, e.source.c_str(), e.line, e.message.c_str());
    }
}

void CxDebugUtil::Log(int level, const char* sourcePath, int line, const char* format, ...) {
    std::lock_guard lock(m_mutex);
    // Held-back entries are filtered when they are written, at their level then.
    if (t_deferred == nullptr && level != kLogCritical && !(m_enabled && level <= m_level)) return;

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

    if (t_deferred != nullptr) {
        t_deferred->push_back(CxDeferredLog::Entry{this, level, source, line, message});
        return;
    }
    WriteLocked(level, source, line, message);
}

void CxDebugUtil::Write(int level, const char* source, int line, const char* message) {
    std::lock_guard lock(m_mutex);
    if (level != kLogCritical && !(m_enabled && level <= m_level)) return;
    WriteLocked(level, source, line, message);
}

void CxDebugUtil::WriteLocked(int level, const char* source, int line, const char* message) {
    const platform::LocalTime now = platform::LocalNow();
    const char* marker = level == kLogCritical ? "!!!" : "   ";

    const std::string path = std::string(m_folder) + m_fileName;
    // The log holds file names and record texts: it is its owner's alone.
    FILE* file = nullptr;
    if (CxFile::GetFileSize(path.c_str()) >= kRolloverSize + 1) {
        const std::string old = path + ".old.log";
        std::remove(old.c_str());
        if (std::rename(path.c_str(), old.c_str()) == 0) {
            platform::MakeFilePrivate(old);  // a log an earlier version left readable
        } else {
            // Keep the copy semantics when the rename is refused.
            if (FILE* in = std::fopen(path.c_str(), "rb")) {
                if (FILE* out = platform::OpenPrivateFile(old, "wb")) {
                    char buf[65536];
                    std::size_t n;
                    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) std::fwrite(buf, 1, n, out);
                    std::fclose(out);
                }
                std::fclose(in);
            }
        }
        file = platform::OpenPrivateFile(path, "wb");
    } else {
        file = platform::OpenPrivateFile(path, "ab");
    }
    if (file == nullptr) return;
    const std::string text = OneLine(message);
    std::fprintf(file, "[%04d/%02d/%02d %02d:%02d:%02d][%-20s(%-4d)][%05x][%s] - %s\r\n", now.year, now.month, now.day,
                 now.hour, now.minute, now.second, OneLine(source).c_str(), line, platform::CurrentThreadId(), marker,
                 text.c_str());
    std::fclose(file);
}
