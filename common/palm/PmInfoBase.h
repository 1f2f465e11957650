#pragma once
// What the four Palm record sets share: the installed and the loaded
// generation, the loads by user and by file with their choice of reader and
// their log lines, and the file check.
#include <cstdint>

// The texts that tell the kinds apart in the log.
struct PmInfoLines {
    int Kind;                      // CommRecordKind
    const char* ByUser;            // "Load Palm Desktop Contacts by user: %d"
    const char* UnknownVersion;    // "Unknown Palm Desktop version"
    const char* ByUserFailed;      // "Could not open Palm Desktop Contacts database by User: %d"
    bool ByUserAlwaysSucceeds;     // tasks and memos: a user without the file loads an empty list
    bool EmptyPathFails;           // contacts: an empty path fails before anything else
    const char* ByFile;            // "Load Palm Desktop Contacts by file: %s", or null
    const char* ByFileFailed;      // "Failed to load Palm Desktop Contacts data file: %s"
    bool CheckEmptyPathGivesZero;  // contacts and calendar
    const char* CheckWord;         // "Contacts" in "Check Palm Desktop Contacts file version, file: %s"
    const char* CheckTypeWord;     // "Contacts" in "Check Palm Desktop Contacts file type: (%s) - ..."
    const char* CheckFailed;       // "Failed to check Palm Desktop Contacts file type: (%s)"
};

// CheckFileType results.
enum PmFileType : int {
    kPmFileEmptyPath = 0,
    kPmFileEarly = 1,
    kPmFileEx = 2,
    kPmFileEx2 = 3,
    kPmFileUnreadable = 255,
};

class PmInfoBase {
public:
    virtual ~PmInfoBase() = default;
    PmInfoBase(const PmInfoBase&) = delete;
    PmInfoBase& operator=(const PmInfoBase&) = delete;

    // Loaded generation 0; empties the readers' lists, the entries and the
    // common list.
    void Reset();
    // The same, under the name the driver uses.
    void Clear() { Reset(); }

    // Reads the data of a Palm user with the reader of the installed
    // generation.
    bool LoadByUser(std::int32_t userId);
    // Reads a file chosen by its extension: ".mdb" a 6.x database, ".dat"
    // the 4.1.4 format and then the earlier one (case ignored).
    bool LoadByFile(const char* path);

    int GetInstalledGeneration() const { return m_installed; }
    int GetLoadedGeneration() const { return m_loaded; }

protected:
    // Reads the Palm Desktop version and derives the installed generation
    // of the kind from it.
    explicit PmInfoBase(const PmInfoLines& lines);

    // Reads the user's file, or a file, with the reader of a generation.
    virtual bool LoadUserFileOf(int generation, std::uint32_t userId) = 0;
    virtual bool LoadFileOf(int generation, const char* path) = 0;
    virtual void ResetReaders() = 0;
    virtual void ClearEntries() = 0;
    // Makes the entries and common records of the loaded reader's records.
    virtual void BuildEntries() = 0;

    // The file check: `canRead` tells whether a new reader of a generation
    // reads the whole file.
    static int CheckFileType(const PmInfoLines& lines, const char* path,
                             bool (*canRead)(int generation, const char* path));

private:
    const PmInfoLines& m_lines;
    int m_installed;
    int m_loaded = 0;
};

// The extension of a path's file name, dot included ("" when none).
const char* PmFileExtension(const char* path);
