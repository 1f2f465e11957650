#pragma once
// Copies the texts of one Google record into common-record members,
// reporting each cut with the record ("Google contact 12", "Google event 3").
#include <cstdint>

#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"

class CxGTextCopier : public CommTextCopier {
public:
    CxGTextCopier(int kind, std::int32_t recordNumber)
        : CommTextCopier(kind, kind == CommKindAddr ? "Google contact" : "Google event", recordNumber) {}
};
