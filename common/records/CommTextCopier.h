#pragma once
// Copies the texts of one source record into common-record members. A
// value that does not fit is cut (whole UTF-8 sequences kept), logged with
// the record ("Google contact 12", "ACT! note 3"), the field and both
// lengths, and counted for the record's kind.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "common/records/CommCutCount.h"

class CommTextCopier {
public:
    // `what` names the record ("ACT! contact"); the number follows it.
    CommTextCopier(int kind, const char* what, std::int32_t recordNumber) : m_kind(kind) {
        std::snprintf(m_record, sizeof m_record, "%s %d", what, static_cast<int>(recordNumber));
    }

    // A null value copies the empty text.
    template <std::size_t N>
    void operator()(char (&dst)[N], const char* src, const char* field) const {
        CommCopyReported(m_kind, m_record, field, dst, N, src != nullptr ? std::string_view(src) : std::string_view());
    }
    template <std::size_t N>
    void operator()(char (&dst)[N], std::string_view src, const char* field) const {
        CommCopyReported(m_kind, m_record, field, dst, N, src);
    }

private:
    int m_kind;
    char m_record[48];
};
