#pragma once
// The base of the readers of the earlier format of the Palm Desktop data
// files (Palm Desktop 4.1 and before): the file begins with the version,
// then the database file name and a block of the kind; each record has as
// many fields as the schema's fields per row. A record that cannot be read
// ends the record area; the records before it are kept and the load counts
// as done.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/palm/PmDBUtil.h"

struct PmEarlyKind {
    std::int32_t Version;
    std::int32_t ResourceID;
    std::size_t NameCapacity;       // of the database file name
    std::size_t KindBlockCapacity;  // of the block after it (not the address book's)
    bool IsAddressBook;             // custom labels and the step lines
    const char* LoadingLine;        // followed by the path
    const char* FailedLine;         // followed by the path
    const char* EmptyPathLine;      // refused empty path, or null
};

class PmDBEarlyUtil : public PmDBUtil {
public:
    static constexpr int kRepeatedLineLimit = 100;

    bool LoadFile(const char* path);
    bool IsLoaded() const { return m_loaded; }

    virtual bool CheckVersion();
    virtual bool LoadCustomLabels() { return true; }
    virtual bool LoadCategories();
    virtual bool LoadSchema();
    virtual bool LoadRecords();

    // The datebook's, to-do list's or memo pad's block, decoded.
    const std::string& GetKindBlock() const { return m_kindBlock; }
    std::size_t GetRecordCount() const { return RecordCount(); }

protected:
    PmDBEarlyUtil(const PmEarlyKind& kind, const PmRecordLayout& layout);

    virtual void ClearRecords() = 0;
    virtual unsigned char* NewWorkRecord() = 0;
    // Adds a copy of the work record unless the kind leaves it out.
    virtual bool AddWorkRecord() = 0;
    virtual std::size_t RecordCount() const = 0;

    bool LoadSteps(const char* path);
    LineStyle Style() const { return m_kind.IsAddressBook ? LineStyle::EarlyAddress : LineStyle::Quiet; }

    const PmEarlyKind& m_kind;
    const PmRecordLayout& m_layout;
    std::string m_kindBlock;
    bool m_loaded = false;
};
