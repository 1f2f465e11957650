#pragma once
// The list manager of contacts.
#include <string>

#include "common/records/CommAddrRec.h"
#include "common/records/CommRecordMgr.h"

struct CommAddrRules {
    // First name, last name, e-mail.
    static constexpr int kKeyFields[] = {1, 3, 41};
    // Phones, e-mail, faxes, company, title, the three addresses, the note.
    static constexpr int kCompareFields[] = {28, 29, 30, 41, 38, 39, 69, 71, 13, 11, 12, 10,
                                             9,  20, 18, 19, 17, 16, 27, 25, 26, 24, 23, 48};
    static bool FieldEqual(const CommAddrRec& a, const CommAddrRec& b, int fieldId);
    static void AppendFieldKey(std::string& key, const CommAddrRec& rec, int fieldId);
};

class CommAddrMgr : public CommRecordMgr<CommAddrRec, CommAddrRules> {};
