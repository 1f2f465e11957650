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
#include <vector>

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
    friend class CxDeferredLog;
    // An entry already formatted, through the filter at its level.
    void Write(int level, const char* source, int line, const char* message);
    void WriteLocked(int level, const char* source, int line, const char* message);

    mutable std::mutex m_mutex;
    char m_fileName[260];
    char m_folder[260];
    int m_level = 0;
    bool m_enabled = false;
};

// Holds back the entries this thread logs while it lives and writes them
// when it ends, in order. Demote(n) has the critical ones among the first n
// entries written as detail entries: the lines of an attempt whose failure
// did not matter (a reader tried first, before another that read the file).
class CxDeferredLog {
public:
    struct Entry {
        CxDebugUtil* log;  // the log it was written to
        int level;
        std::string source;
        int line;
        std::string message;
    };

    CxDeferredLog();
    ~CxDeferredLog();
    CxDeferredLog(const CxDeferredLog&) = delete;
    CxDeferredLog& operator=(const CxDeferredLog&) = delete;

    // How many entries it holds so far.
    std::size_t Count() const { return m_entries.size(); }
    void Demote(std::size_t first) { m_demoted = first; }

private:
    std::vector<Entry>* m_outer;  // an enclosing one of the same thread, or null
    std::vector<Entry> m_entries;
    std::size_t m_demoted = 0;
};

#define CX_LOG(level, ...) ::CxDebugUtil::Instance().Log((level), __FILE__, __LINE__, __VA_ARGS__)
