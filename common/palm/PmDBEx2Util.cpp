#include "common/palm/PmDBEx2Util.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"
#include "common/palm/PmValueCuts.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"

namespace {

const char* const kCategoryColumns[] = {"ID", "Name", "Status", "Color"};

}  // namespace

PmDBEx2Util::PmDBEx2Util(const PmEx2Kind& kind) : m_kind(kind) {
    m_columnNames.reserve(kind.ColumnCount);
    for (std::size_t i = 0; i < kind.ColumnCount; ++i) m_columnNames.push_back(kind.Columns[i].Name);
}

bool PmDBEx2Util::OpenFile(int kind, const char* path) {
    // The store only ever holds the categories of the file opened last.
    m_categories.Clear();
    if (path == nullptr || path[0] == '\0' || !platform::PathExists(platform::ResolvePath(path))) return false;
    if (m_accessor)
        m_accessor->OpenDatabase(kind, path);
    else
        m_accessor = std::make_unique<PmMDBAccessor>(kind, path);
    m_categories.SetAccessor(m_accessor.get());
    // A file the provider cannot open is no database, not an empty one.
    if (!m_accessor->IsConnected()) return false;
    return LoadCategories();
}

bool PmDBEx2Util::LoadCategories() {
    CX_LOG(kLogDetail, "Start loading Palm Desktop category information.");
    m_categories.Clear();
    if (m_accessor) {
        PmRowValues row;
        const bool queried = m_accessor->QueryFirst("Category", kCategoryColumns, row);
        bool more = queried && !row.empty();
        while (more) {
            if (row.size() == 4) {
                std::int32_t id = 0, status = 0, color = 0;
                char name[PmCategoryEx2::kNameSize] = {};
                GetLongValue(row[0], id);
                GetTextValue(row[1], name, sizeof name);
                GetLongValue(row[2], status);
                GetLongValue(row[3], color);
                CX_LOG(kLogDetail, "Category loaded: %s", name);
                m_categories.Add(PmCategoryEx2(id, name, status, color));
            }
            more = m_accessor->QueryNext(m_accessor->GetFormerQuery(), row);
        }
        // Rows that end at damage leave records without their category.
        if (const std::string error = m_accessor->LastError(); queried && !error.empty()) {
            CX_LOG(kLogCritical, "Palm Desktop categories cannot be read whole: %s", error.c_str());
            return false;
        }
    }
    CX_LOG(kLogDetail, "Categories information loaded successfully.");
    return true;
}

bool PmDBEx2Util::LoadFile(const char* path) {
    // Nothing of the file read before may pass for this file's content.
    ClearRecords();
    if (path == nullptr || path[0] == '\0') {
        if (m_kind.EmptyPathLine != nullptr) CX_LOG(kLogCritical, "%s", m_kind.EmptyPathLine);
        return m_loaded = false;
    }
    CX_LOG(kLogDetail, m_kind.LoadLine, path);
    if (!OpenFile(m_kind.KindNumber, path) || !LoadMainRecords()) {
        CX_LOG(kLogCritical, m_kind.FailLine, path);
        ClearRecords();
        std::string cause = m_accessor ? m_accessor->LastError() : std::string();
        if (!platform::PathExists(platform::ResolvePath(path))) cause = "the file does not exist.";
        CxNoteFailure(path, cause.empty() ? "the file cannot be read as a Palm Desktop 6.x database." : cause);
        return m_loaded = false;
    }
    return m_loaded = true;
}

bool PmDBEx2Util::LoadMainRecords() {
    if (!m_accessor) return false;
    const char* word = m_kind.Word;
    CX_LOG(kLogDetail, "Start loading Palm Desktop %s main records.", word);
    PmRowValues row;
    const bool queried = m_accessor->QueryFirst("Main", m_columnNames, row);
    if (!queried || row.empty()) {
        CX_LOG(kLogDetail,
               "Failed to query the first record of the %s main table. Check if there is any records in the "
               "database table.",
               word);
        // A table that cannot be queried is a failure; one without rows is
        // an empty success.
        if (!queried) return false;
    } else {
        CX_LOG(kLogDetail, "Query first record in the %s database table successfully.", word);
        const std::string sql = m_accessor->GetFormerQuery();
        bool more = true;
        while (more) {
            unsigned char* record = NewWorkRecord();
            DecodeRow(row, record);
            CompleteRecord(row);
            AddWorkRecord();
            more = m_accessor->QueryNext(sql, row);
        }
        if (const std::string error = m_accessor->LastError(); !error.empty()) {
            CX_LOG(kLogCritical, "Palm Desktop %s records cannot be read whole: %s", word, error.c_str());
            return false;
        }
        CX_LOG(kLogDetail, "Failed to query the next record of the %s main table. Check if it is the end of the table.",
               word);
    }
    CX_LOG(kLogDetail, "Loading Palm Desktop %s main records completed successfully.", word);
    return true;
}

bool PmDBEx2Util::CopyCategoryName(std::int32_t id, char* name, std::size_t size) const {
    const PmCategoryEx2* category = m_categories.FindByID(id);
    if (category == nullptr) return false;
    platform::CopyText(name, size, category->GetName());
    return true;
}

void PmDBEx2Util::DecodeRow(const PmRowValues& row, unsigned char* record) const {
    if (row.size() != m_kind.ColumnCount) return;
    for (std::size_t i = 0; i < m_kind.ColumnCount; ++i) {
        const PmColumn& column = m_kind.Columns[i];
        unsigned char* member = record + column.Offset;
        switch (column.Read) {
        case PmColumnRead::Skip: break;
        case PmColumnRead::Long:
        case PmColumnRead::Bool: {
            std::int32_t value = 0;
            const bool ok =
                column.Read == PmColumnRead::Long ? GetLongValue(row[i], value) : GetBoolValue(row[i], value);
            if (ok && column.Size == sizeof value) std::memcpy(member, &value, sizeof value);
            break;
        }
        case PmColumnRead::Text:
            if (GetTextValue(row[i], reinterpret_cast<char*>(member), column.Size))
                PmReportReaderCut(m_kind.KindNumber - 1, record, column.Name, row[i].text.size(),
                                  reinterpret_cast<const char*>(member));
            break;
        }
    }
}
