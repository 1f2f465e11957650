#pragma once
// The migration log "SWLog.txt": a plain-text account of every record a
// migration hands to the target, emptied at each migration. Every line ends
// with CR LF.
#include <cstddef>
#include <string>

#include "common/misc/CxFile.h"

struct CommAddrRec;
struct CommDateRec;
struct CommTaskRec;
struct CommNoteRec;

class CxSWLog {
public:
    // The log in the data folder. When the data folder cannot be made the
    // log has no path, OpenLog fails and GetFolderError tells why.
    CxSWLog();
    // The log at a path of the caller's.
    explicit CxSWLog(const char* path);
    ~CxSWLog();

    // Closes a file still open, then creates the file afresh, readable by
    // its owner only.
    bool OpenLog();
    void CloseLog();
    bool IsOpen() const { return m_open; }
    const char* GetPath() const { return m_path; }
    // Why the data folder could not be made; empty when it was.
    const std::string& GetFolderError() const { return m_folderError; }

    // The text and CR LF; a missing text writes an empty line.
    void WriteLogLine(const char* text);
    // As many tabs as `indent` (at most 31), then label, ": " and value;
    // an empty or missing value reads "<empty>".
    static void FormatLogField(char* buffer, std::size_t size, int indent, const char* label, const char* value);

    // Whole entries: header, field lines and the "migrated successfully" line.
    void LogContact(const CommAddrRec* rec);
    void LogCalendar(const CommDateRec* rec);
    void LogTask(const CommTaskRec* rec);
    void LogNote(const CommNoteRec* rec);

    // The same entries in two halves, for a writer that reports how the
    // write went: the header and field lines before it...
    void BeginContact(const CommAddrRec* rec);
    void BeginCalendar(const CommDateRec* rec);
    void BeginTask(const CommTaskRec* rec);
    void BeginNote(const CommNoteRec* rec);
    // ...and the closing line after it: the "migrated successfully" line,
    // or "<Kind> item could not be written to Outlook." (kind 0 contacts,
    // 1 calendar, 2 tasks, 3 notes).
    void EndEntry(int kind, bool written);

    // The "Brief Note" value of a note text: its first line, at most 255
    // characters.
    static std::string BriefNote(const char* note);

private:
    void WriteField(const char* label, const char* value);
    CxFile m_file;
    bool m_open = false;
    char m_path[260];
    std::string m_folderError;
};
