#include "common/palm/PmValueCuts.h"

#include <cstdio>
#include <cstring>

#include "common/records/CommCutCount.h"
#include "common/records/CommKinds.h"

void PmRecordName(int kind, std::int32_t recordId, char* buffer, std::size_t size) {
    static const char* const kWords[CommKindCount] = {"contact", "event", "to-do", "memo"};
    const char* word = kind >= 0 && kind < CommKindCount ? kWords[kind] : "record";
    std::snprintf(buffer, size, "Palm %s %d", word, static_cast<int>(recordId));
}

PmTextCopier::PmTextCopier(int kind, std::int32_t recordId) : m_kind(kind) {
    PmRecordName(kind, recordId, m_record, sizeof m_record);
}

void PmTextCopier::Copy(char* dst, std::size_t cap, std::string_view src, const char* field) const {
    CommCopyReported(m_kind, m_record, field != nullptr ? field : "", dst, cap, src);
}

void PmReportReaderCut(int kind, const unsigned char* record, const char* field, std::size_t fullLength,
                       const char* kept) {
    const std::string_view keptText(kept != nullptr ? kept : "");
    if (keptText.size() >= fullLength || record == nullptr) return;
    std::int32_t id = 0;
    std::memcpy(&id, record, sizeof id);
    char name[48];
    PmRecordName(kind, id, name, sizeof name);
    // The value as it was in the file was never cut before.
    CommReportCut(kind, name, field != nullptr ? field : "", std::string_view(), fullLength, keptText);
}
