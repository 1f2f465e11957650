#pragma once
// The base of the readers of the Palm Desktop 6.x databases: it opens the
// database of a kind through the data module, reads its category table and
// walks the rows of its table "Main", decoding each row into the kind's
// record by a column table.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "common/palm/PmCategoryEx2.h"
#include "common/palm/PmDataMgr.h"
#include "common/palm/PmMDBAccessor.h"
#include "common/palm/PmRowValue.h"

// How one column of "Main" is read into its record member.
enum class PmColumnRead : std::uint8_t {
    Skip,  // fetched, not kept
    Long,  // GetLongValue into a 32-bit member
    Bool,  // GetBoolValue into a 32-bit member
    Text,  // GetTextValue into a text member
};

struct PmColumn {
    const char* Name;
    PmColumnRead Read;
    std::uint32_t Offset;  // of the member in the record
    std::uint32_t Size;    // of the member
};

#define PM_COLUMN(Rec, name, read, member) \
    PmColumn { name, PmColumnRead::read, offsetof(Rec, member), sizeof(Rec::member) }
#define PM_SKIP(name) \
    PmColumn { name, PmColumnRead::Skip, 0, 0 }

// What tells the four kinds apart.
struct PmEx2Kind {
    int KindNumber;             // of the data module: 1 contacts, 2 calendar, 3 tasks, 4 memos
    const char* Word;           // in the lines of the row loop: "Contacts", "Calendar", "Task", "Memo"
    const char* LoadLine;       // progress line with the path
    const char* FailLine;       // error line with the path
    const char* EmptyPathLine;  // error line of an empty path, or null for none
    const PmColumn* Columns;    // of "Main", in select order
    std::size_t ColumnCount;
};

// The database's "Information" table, which is not read: it stays empty.
struct PmInfoEx2 {};

class PmDBEx2Util {
public:
    virtual ~PmDBEx2Util() = default;
    PmDBEx2Util(const PmDBEx2Util&) = delete;
    PmDBEx2Util& operator=(const PmDBEx2Util&) = delete;

    // Opens the database of the path for the kind number and reloads the
    // categories. False for an empty path, a missing file, or a file the
    // provider cannot open as a database.
    virtual bool OpenFile(int kind, const char* path);
    // Empties the category store and fills it from the table "Category".
    virtual bool LoadCategories();

    // Reads every record of the database. False when the file is missing,
    // cannot be opened, or its table "Main" cannot be queried; a "Main"
    // without rows is an empty success.
    bool LoadFile(const char* path);
    // The row loop over "Main"; the records are appended to the list.
    bool LoadMainRecords();
    // The result of the last LoadFile (the constructor that takes a path
    // runs one).
    bool IsLoaded() const { return m_loaded; }

    PmCategoryEx2Mgr& GetCategoryMgr() { return m_categories; }
    PmMDBAccessor* GetAccessor() const { return m_accessor.get(); }
    const PmInfoEx2& GetInfo() const { return *m_info; }
    const PmEx2Kind& GetKind() const { return m_kind; }
    // The column names of "Main" in select order.
    std::span<const char* const> GetColumnNames() const { return m_columnNames; }
    std::size_t GetRecordCount() const { return RecordCount(); }

protected:
    explicit PmDBEx2Util(const PmEx2Kind& kind);

    virtual void ClearRecords() = 0;
    // A zeroed record to decode the next row into.
    virtual unsigned char* NewWorkRecord() = 0;
    // The kind's completion of the decoded record; `row` is the row it was
    // decoded from.
    virtual void CompleteRecord(const PmRowValues& row) = 0;
    virtual bool AddWorkRecord() = 0;
    virtual std::size_t RecordCount() const = 0;

    // Copies the name of category `id` into `name`, cut to `size` - 1
    // bytes; false (and nothing copied) when the store does not know the ID.
    bool CopyCategoryName(std::int32_t id, char* name, std::size_t size) const;

    // Decodes a row into the record by the column table; a row with another
    // number of values decodes nothing.
    void DecodeRow(const PmRowValues& row, unsigned char* record) const;

    bool m_loaded = false;

private:
    std::unique_ptr<PmMDBAccessor> m_accessor;
    PmCategoryEx2Mgr m_categories;
    std::unique_ptr<PmInfoEx2> m_info = std::make_unique<PmInfoEx2>();
    const PmEx2Kind& m_kind;
    std::vector<const char*> m_columnNames;
};

// A reader of one kind: the base with the kind's record list.
template <class Rec>
class PmEx2Reader : public PmDBEx2Util {
public:
    using DataMgr = PmDataMgr<Rec>;

    DataMgr& GetRecords() { return m_records; }
    const DataMgr& GetRecords() const { return m_records; }

protected:
    explicit PmEx2Reader(const PmEx2Kind& kind) : PmDBEx2Util(kind) {}

    Rec& WorkRecord() { return *m_work; }

    void ClearRecords() override { m_records.Clear(); }
    unsigned char* NewWorkRecord() override {
        std::memset(static_cast<void*>(m_work.get()), 0, sizeof(Rec));
        return reinterpret_cast<unsigned char*>(m_work.get());
    }
    bool AddWorkRecord() override { return m_records.Add(*m_work); }
    std::size_t RecordCount() const override { return m_records.GetCount(); }

private:
    std::unique_ptr<Rec> m_work = std::make_unique<Rec>();
    DataMgr m_records;
};
