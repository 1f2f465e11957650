#pragma once
// The base of the readers of the 4.1.4 format of the Palm Desktop data
// files: the file begins with five bytes and "PalmSG Database00RV", then
// the version, a reserved area, the database file name and a second
// reserved area; each record has as many fields as the schema's field count.
#include <cstddef>
#include <cstdint>

#include "common/palm/PmDBUtil.h"

// What tells the four kinds of the 4.1.4 format apart.
struct PmExKind {
    const char* Word;  // in the log lines: "Contacts", "Calendar", "Tasks", "Memos"
    std::int32_t Version;
    std::int32_t ResourceID;
    std::size_t Reserved2Size;
    bool IsAddressBook;         // custom labels, its own failure line, stops at the first bad record
    bool LogsReserved1;         // the datebook does not log reserved area 1
    bool LogsSuccess;           // the memo pad writes no success line
    const char* EmptyPathLine;  // refused empty path, or null
};

class PmDBExUtil : public PmDBUtil {
public:
    // The cause noted when the file does not begin as a 4.1.4 data file.
    static constexpr const char* kNotThisFormat =
        "the file is not a Palm Desktop 4.1.4 data file (its magic code does not match).";
    static constexpr const char* kMagic = "PalmSG Database00RV";
    static constexpr std::size_t kReserved1Size = 24;
    static constexpr std::size_t kReserved2Max = 43;
    // A damaged record count makes every remaining record log a line; no
    // more than this many are written for one file.
    static constexpr int kRepeatedLineLimit = 100;

    // Reads the whole file; true when every step and every record was read.
    // The file is closed afterwards in every case.
    bool LoadFile(const char* path);
    // The result of the load done by the constructor that takes a path.
    bool IsLoaded() const { return m_loaded; }

    virtual void InitDefaults();
    virtual void ReleaseData() { ClearRecords(); }
    virtual bool CheckMagic();
    virtual bool CheckVersion();
    virtual bool LoadDescription();
    virtual bool LoadCustomLabels() { return true; }
    virtual bool LoadCategories();
    virtual bool LoadSchema();
    virtual bool LoadRecords();

    const unsigned char* GetReserved1() const { return m_reserved1; }
    const unsigned char* GetReserved2() const { return m_reserved2; }
    std::size_t GetRecordCount() const { return RecordCount(); }
    const PmExKind& GetKind() const { return m_kind; }

protected:
    PmDBExUtil(const PmExKind& kind, const PmRecordLayout& layout);

    virtual void ClearRecords() = 0;
    virtual unsigned char* NewWorkRecord() = 0;
    virtual bool AddWorkRecord() = 0;
    virtual std::size_t RecordCount() const = 0;

    const PmExKind& m_kind;
    const PmRecordLayout& m_layout;
    unsigned char m_reserved1[kReserved1Size] = {};
    unsigned char m_reserved2[kReserved2Max] = {};
    bool m_loaded = false;
};
