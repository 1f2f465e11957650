#pragma once
// The process-wide debug log "appdebug.log".
//
// Entries of level 0 (critical, marked "!!!") are always written; other
// entries only when detailed logging is on and their level is at most the
// configured level. Every call site passes its own file and line through
// CX_LOG.
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

enum CxLogLevel : int {
    kLogCritical = 0,
    kLogHigh = 1,
    kLogDetail = 2,
    kLogLow = 3,
};

class CxDebugUtil {
public:
    // The one instance of the process.
    static CxDebugUtil& Instance();

    CxDebugUtil();

    // Keeps at most 259 characters; the folder ends with a separator.
    void SetFolder(const char* folder);
    void Enable(bool enabled);
    // Clamped to 0..3.
    void SetLevel(int level);
    // Writes one entry when the filter lets it through.
    void Log(int level, const char* sourcePath, int line, const char* format, ...)
        __attribute__((format(printf, 5, 6)));

    bool IsEnabled() const { return m_enabled; }
    int GetLevel() const { return m_level; }
    std::string GetFolder() const;
    // Folder followed by file name.
    std::string GetLogPath() const;

    // The text on one line: a line feed reads "\n", a carriage return "\r",
    // a tab "\t" and any other control character "\xNN", so that a name
    // holding a line break cannot pass for an entry of its own.
    static std::string OneLine(std::string_view text);

    // Messages are cut to this many bytes minus one.
    static constexpr std::size_t kMessageLimit = 40960;
    // A log of more bytes than this starts afresh after it is kept as ".old.log".
    static constexpr long kRolloverSize = 10L * 1024 * 1024;

private:
    mutable std::mutex m_mutex;
    char m_fileName[260];
    char m_folder[260];
    int m_level = 0;
    bool m_enabled = false;
};

#define CX_LOG(level, ...) ::CxDebugUtil::Instance().Log((level), __FILE__, __LINE__, __VA_ARGS__)
