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
    // Contacts without first name, last name and e-mail: they match only on
    // the same display name and company, and when these are empty too, only
    // when identical.
    static bool KeyRefinementEqual(const CommAddrRec& a, const CommAddrRec& b);
    static void AppendKeyRefinement(std::string& key, const CommAddrRec& rec);
    // The mapped custom values: each one that either record has must be
    // held by the other under the slot's name (see CommCustomSlotName), as
    // Outlook keeps it once written. Contacts without mapped values (the
    // field map off) are not affected.
    static bool FurtherCompareEqual(const CommAddrRec& a, const CommAddrRec& b);
};

// The name under which Outlook keeps custom slot `slot` (0 to 9) of a
// contact: its label, or "Custom <slot + 1>" when it has none.
const char* CommDefaultCustomLabel(int slot);
const char* CommCustomSlotName(const CommAddrRec& rec, int slot);

class CommAddrMgr : public CommRecordMgr<CommAddrRec, CommAddrRules> {};
