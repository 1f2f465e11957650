#include "common/palm/PmDBExUtil.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"

namespace {

// A reserved area as the log shows it "as text": its bytes up to the first
// zero.
std::string AreaText(const unsigned char* area, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(area);
    return std::string(text, ::strnlen(text, size));
}

}  // namespace

PmDBExUtil::PmDBExUtil(const PmExKind& kind, const PmRecordLayout& layout) : m_kind(kind), m_layout(layout) {
    InitDefaults();
}

void PmDBExUtil::InitDefaults() {
    SetDefaultSchema(m_layout, m_kind.ResourceID, 2, 4);
    std::memset(m_reserved1, 0, sizeof m_reserved1);
    std::memset(m_reserved2, 0, sizeof m_reserved2);
    m_categories.reset();
}

bool PmDBExUtil::LoadFile(const char* path) {
    const char* word = m_kind.Word;
    if (m_kind.EmptyPathLine != nullptr && (path == nullptr || path[0] == '\0')) {
        CX_LOG(kLogCritical, "%s", m_kind.EmptyPathLine);
        return m_loaded = false;
    }
    if (path == nullptr) path = "";
    CX_LOG(kLogDetail, "Loading Palm Desktop %s: %s", word, path);
    // Nothing of the file read before may pass for this file's content.
    ClearRecords();
    m_categories.reset();
    m_cause.clear();

    bool ok = false;
    // Opened for reading only: the readers never write, and a data file
    // copied from a read-only medium must still load.
    if (!OpenFile(path, kReadOnly)) {
        CX_LOG(kLogCritical, "Failed to open file: %s", path);
    } else if (!CheckMagic()) {
        SetCause(kNotThisFormat);
        CX_LOG(kLogCritical, "Failed to check magic code.");
    } else if (!CheckVersion()) {
        SetCause("the file is not a Palm Desktop 4.1.4 data file of this kind (its version does not match).");
        CX_LOG(kLogCritical, "Failed to check database version.");
    } else if (!LoadDescription()) {
        SetCause("its header is damaged.");
        CX_LOG(kLogCritical, "Failed to load database file descriptions.");
    } else if (m_kind.IsAddressBook && !LoadCustomLabels()) {
        SetCause("its header is damaged (the custom labels cannot be read).");
        CX_LOG(kLogCritical, "Failed to load custom labels information.");
    } else if (!LoadCategories()) {
        SetCause("its category table is damaged.");
        CX_LOG(kLogCritical, "Failed to load category information.");
    } else if (!LoadSchema()) {
        SetCause("its schema is damaged.");
        CX_LOG(kLogCritical, "Failed to load database schema information.");
    } else if (!LoadRecords()) {
        SetCause("its records are damaged.");
        CX_LOG(kLogCritical, "Failed to load %s records.", word);
    } else {
        ok = true;
    }
    if (ok) {
        if (m_kind.LogsSuccess) CX_LOG(kLogDetail, "Palm Desktop %s information is loaded successfully.", word);
        CloseFile();
        return m_loaded = true;
    }
    CloseFile();
    // Records read before the damage are no part of a load that failed.
    ClearRecords();
    NoteLoadFailure(path, "the file is damaged or is not a Palm Desktop data file of this kind.");
    if (m_kind.IsAddressBook)
        CX_LOG(kLogCritical, "Can not load Palm Desktop %s: %s", word, path);
    else
        CX_LOG(kLogCritical, "Load Palm Desktop %s failed: %s", word, path);
    return m_loaded = false;
}

bool PmDBExUtil::CheckMagic() {
    CX_LOG(kLogDetail, "Start checking Palm Desktop %s database magic code.", m_kind.Word);
    unsigned char head[24];
    if (!ReadBytes(head, sizeof head)) return false;
    // The first five bytes differ between files and are not compared.
    if (std::memcmp(head + 5, kMagic, 19) != 0) {
        CX_LOG(kLogCritical, "Incorrect database magic code: %s", AreaText(head + 5, 19).c_str());
        return false;
    }
    CX_LOG(kLogDetail, "Check magic code successfully.");
    return true;
}

bool PmDBExUtil::CheckVersion() {
    CX_LOG(kLogDetail, "Start checking Palm Desktop %s database file version.", m_kind.Word);
    std::int32_t version = 0;
    if (!ReadLong(version) || version != m_kind.Version) {
        CX_LOG(kLogCritical, "Incorrect database version:%d", version);
        return false;
    }
    CX_LOG(kLogDetail, "Database version: %d", version);
    std::memset(m_reserved1, 0, sizeof m_reserved1);
    if (!ReadBytes(m_reserved1, sizeof m_reserved1)) {
        CX_LOG(kLogCritical, "Failed to read reserved 1 field. Content=%s, Size=%d",
               HexDump(m_reserved1, sizeof m_reserved1).c_str(), static_cast<int>(sizeof m_reserved1));
        return false;
    }
    if (m_kind.LogsReserved1)
        CX_LOG(kLogDetail, "Reserved 1 Field: %s", HexDump(m_reserved1, sizeof m_reserved1).c_str());
    CX_LOG(kLogDetail, "Check database version successfully.");
    return true;
}

bool PmDBExUtil::LoadDescription() {
    CX_LOG(kLogDetail, "Start loading Palm Desktop %s database file description.", m_kind.Word);
    char name[261];
    std::int32_t capacity = 260;
    if (!ReadCString(name, capacity)) {
        CX_LOG(kLogCritical, "Failed to read database file name.");
        return false;
    }
    CX_LOG(kLogDetail, "Database file name:%s", name);
    SetName(name);
    const std::size_t size = std::min(m_kind.Reserved2Size, sizeof m_reserved2);
    std::memset(m_reserved2, 0, sizeof m_reserved2);
    std::size_t delivered = 0;
    if (!ReadBytes(m_reserved2, size, &delivered)) {
        CX_LOG(kLogCritical, "Failed to read reserved 2 field. Content=%s, Size=%d",
               AreaText(m_reserved2, size).c_str(), static_cast<int>(delivered));
        return false;
    }
    CX_LOG(kLogDetail, "Reserved 2 Fields: %s", HexDump(m_reserved2, size).c_str());
    CX_LOG(kLogDetail, "Load database description information successfully.");
    return true;
}

bool PmDBExUtil::LoadCategories() { return LoadCategoryTable(LineStyle::Ex, m_kind.Word, m_kind.IsAddressBook); }

bool PmDBExUtil::LoadSchema() { return LoadSchemaTable(LineStyle::Ex, m_kind.Word); }

bool PmDBExUtil::LoadRecords() {
    const char* word = m_kind.Word;
    ClearRecords();
    CX_LOG(kLogDetail, "Start loading Palm Desktop %s records.", word);
    std::int32_t totalFields = 0;
    if (!ReadLong(totalFields)) {
        CX_LOG(kLogCritical, "Failed to read total fields count.");
        return false;
    }
    CX_LOG(kLogDetail, "Total Fields: %d", totalFields);
    if (m_schema.FieldsPerRow == 0) {
        CX_LOG(kLogCritical, "Fields per row is 0: no record can be read.");
        return false;
    }
    // A count that is no whole number of records says the header is wrong.
    if (totalFields < 0 || m_schema.FieldsPerRow < 0 ||
        static_cast<std::uint32_t>(totalFields) % static_cast<std::uint32_t>(m_schema.FieldsPerRow) != 0) {
        CX_LOG(kLogCritical, "The total fields count %d is no whole number of records of %d fields.", totalFields,
               m_schema.FieldsPerRow);
        SetCause("its header counts " + std::to_string(totalFields) + " fields, no whole number of records of " +
                 std::to_string(m_schema.FieldsPerRow) + " fields.");
        return false;
    }
    const std::uint32_t recordCount =
        static_cast<std::uint32_t>(totalFields) / static_cast<std::uint32_t>(m_schema.FieldsPerRow);
    CX_LOG(kLogDetail, "Calculated Record Count: %d", static_cast<int>(recordCount));
    // Records without a single field would be made up out of nothing.
    if (recordCount > 0 && m_schema.FieldCount == 0) {
        CX_LOG(kLogCritical, "Fields count is 0: no record can be read.");
        return false;
    }

    // Positions from the layout's end to the field count read nothing.
    const std::uint32_t readPositions = std::min<std::uint32_t>(m_schema.FieldCount, m_layout.Count);
    bool allRead = true;
    int errorLines = 0;
    for (std::uint32_t r = 0; r < recordCount; ++r) {
        if (!allRead) {
            // The address book stops at the first bad record; the other
            // kinds count the rest as unreadable too.
            if (m_kind.IsAddressBook || errorLines >= kRepeatedLineLimit) break;
            CX_LOG(kLogCritical, "Error reading Palm Desktop %s, current file position: %d", word,
                   static_cast<int>(GetFilePosition()));
            ++errorLines;
            continue;
        }
        unsigned char* record = NewWorkRecord();
        bool read = true;
        for (std::uint32_t pos = 0; pos < readPositions && read; ++pos) read = ReadField(m_layout, pos, record);
        if (read) {
            allRead = AddWorkRecord();
        } else {
            SetCause("record " + std::to_string(r + 1) + " of " + std::to_string(recordCount) +
                     " is damaged or cut off (file position " + std::to_string(GetFilePosition()) + ").");
            CX_LOG(kLogCritical, "Error reading Palm Desktop %s, current file position: %d", word,
                   static_cast<int>(GetFilePosition()));
            ++errorLines;
            allRead = false;
        }
    }
    if (allRead) allRead = CheckNothingMore(m_layout, readPositions, NewWorkRecord(), recordCount);
    if (allRead)
        CX_LOG(kLogDetail, "Palm Desktop %s records information is saved successfully.", word);
    else
        CX_LOG(kLogCritical, "Palm Desktop %s records are not saved successfully.", word);
    return allRead;
}
