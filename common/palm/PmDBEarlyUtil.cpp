#include "common/palm/PmDBEarlyUtil.h"

#include <algorithm>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"

PmDBEarlyUtil::PmDBEarlyUtil(const PmEarlyKind& kind, const PmRecordLayout& layout) : m_kind(kind), m_layout(layout) {
    SetDefaultSchema(m_layout, m_kind.ResourceID, 1, 2);
}

bool PmDBEarlyUtil::LoadFile(const char* path) {
    const bool address = m_kind.IsAddressBook;
    if (m_kind.EmptyPathLine != nullptr && (path == nullptr || path[0] == '\0')) {
        CX_LOG(kLogCritical, "%s", m_kind.EmptyPathLine);
        return m_loaded = false;
    }
    if (path == nullptr) path = "";
    CX_LOG(kLogDetail, "%s%s", m_kind.LoadingLine, path);
    // Nothing of the file read before may pass for this file's content.
    ClearRecords();
    m_categories.reset();
    m_cause.clear();
    if (LoadSteps(path)) {
        CloseFile();
        if (address) {
            CX_LOG(kLogDetail, "Palm Desktop address book was loaded successfully.");
            SetName(path);
        }
        return m_loaded = true;
    }
    if (address)
        CX_LOG(kLogCritical, "Can not load Palm Desktop Contacts: %s", path);
    else
        CX_LOG(kLogCritical, "%s%s", m_kind.FailedLine, path);
    CloseFile();
    // Records read before the damage are no part of a load that failed.
    ClearRecords();
    NoteLoadFailure(path, "the file is damaged or is not a Palm Desktop data file of this kind.");
    return m_loaded = false;
}

bool PmDBEarlyUtil::LoadSteps(const char* path) {
    const bool address = m_kind.IsAddressBook;
    // Only the address book reader tells which step failed.
    const auto fail = [address](const char* line) {
        if (address) CX_LOG(kLogCritical, "%s", line);
        return false;
    };
    // Opened for reading only, as the 4.1.4 readers are.
    if (!OpenFile(path, kReadOnly)) {
        if (address) CX_LOG(kLogCritical, "Failed to open Palm Desktop address book file: %s", path);
        return false;
    }
    if (!CheckVersion()) {
        SetCause("the file is not a Palm Desktop data file of this kind and format (its version does not match).");
        return fail("Failed to check Palm Desktop address book file version.");
    }
    std::string raw, text;
    if (!ReadCStringRaw(raw, m_kind.NameCapacity)) {
        SetCause("its header is damaged (the database file name cannot be read).");
        return fail("Failed to read Palm Desktop address book database file name.");
    }
    Decode(raw, text);
    if (address)
        CX_LOG(kLogDetail, "Read Palm Desktop address book database file name: %s", text.c_str());
    else
        SetName(text);
    if (address) {
        if (!LoadCustomLabels()) {
            SetCause("its header is damaged (the custom labels cannot be read).");
            return fail("Failed to load custom labels information.");
        }
    } else {
        if (!ReadCStringRaw(raw, m_kind.KindBlockCapacity)) {
            SetCause("its header is damaged.");
            return false;
        }
        Decode(raw, m_kindBlock);
    }
    if (!LoadCategories()) {
        SetCause("its category table is damaged.");
        return fail("Failed to load category information.");
    }
    if (!LoadSchema()) {
        SetCause("its schema is damaged.");
        return fail("Failed to load database schema information.");
    }
    if (!LoadRecords()) {
        SetCause("its records are damaged.");
        return fail("Failed to load Palm Desktop address book records.");
    }
    return true;
}

bool PmDBEarlyUtil::CheckVersion() {
    std::int32_t version = 0;
    return ReadLong(version) && version == m_kind.Version;
}

bool PmDBEarlyUtil::LoadCategories() { return LoadCategoryTable(Style(), "", false); }

bool PmDBEarlyUtil::LoadSchema() { return LoadSchemaTable(Style(), ""); }

bool PmDBEarlyUtil::LoadRecords() {
    const bool address = m_kind.IsAddressBook;
    ClearRecords();
    if (address) CX_LOG(kLogDetail, "Start loading Palm Desktop address book records.");
    std::int32_t totalFields = 0;
    if (!ReadLong(totalFields)) {
        if (address) CX_LOG(kLogCritical, "Failed to read field count information.");
        return false;
    }
    if (m_schema.FieldsPerRow == 0) {
        CX_LOG(kLogCritical, "Fields per row is 0: no record can be read.");
        return false;
    }
    const std::uint32_t fieldsPerRow = static_cast<std::uint32_t>(m_schema.FieldsPerRow);
    // A count that is no whole number of records says the header is wrong.
    if (totalFields < 0 || m_schema.FieldsPerRow < 0 || static_cast<std::uint32_t>(totalFields) % fieldsPerRow != 0) {
        CX_LOG(kLogCritical, "The field count %d is no whole number of records of %d fields.", totalFields,
               m_schema.FieldsPerRow);
        SetCause("its header counts " + std::to_string(totalFields) + " fields, no whole number of records of " +
                 std::to_string(m_schema.FieldsPerRow) + " fields.");
        return false;
    }
    const std::uint32_t recordCount = static_cast<std::uint32_t>(totalFields) / fieldsPerRow;
    if (address)
        CX_LOG(kLogDetail, "Based on calculation, there are %d records in total.", static_cast<int>(recordCount));

    const std::uint32_t readPositions = std::min(fieldsPerRow, m_layout.Count);
    int unknownLines = 0;
    for (std::uint32_t r = 0; r < recordCount; ++r) {
        unsigned char* record = NewWorkRecord();
        bool read = true;
        for (std::uint32_t pos = 0; pos < readPositions && read; ++pos) read = ReadField(m_layout, pos, record);
        if (!read) {
            // Every record the header counts must be read, or the load fails.
            CX_LOG(kLogCritical, "Record %d of %d cannot be read, file position: %ld.", static_cast<int>(r + 1),
                   static_cast<int>(recordCount), GetFilePosition());
            SetCause("record " + std::to_string(r + 1) + " of " + std::to_string(recordCount) +
                     " is damaged or cut off (file position " + std::to_string(GetFilePosition()) + ").");
            return false;
        }
        // The positions beyond the layout read nothing.
        if (address)
            for (std::uint32_t pos = readPositions; pos < fieldsPerRow && unknownLines < kRepeatedLineLimit;
                 ++pos, ++unknownLines)
                CX_LOG(kLogCritical, "Unknown field ID read (ID=%d), ignore it.", static_cast<int>(pos));
        if (!AddWorkRecord()) {
            SetCause("record " + std::to_string(r + 1) + " cannot be kept.");
            return false;
        }
    }
    if (!CheckNothingMore(m_layout, readPositions, NewWorkRecord(), recordCount)) return false;
    if (address)
        CX_LOG(kLogDetail,
               "Palm Desktop address book database is loaded successfully. %d record(s) are loaded in total.",
               static_cast<int>(RecordCount()));
    return true;
}
