#include "common/records/CommAddrMgr.h"

#include <array>

#include "common/records/CommCompare.h"
#include "common/records/CommFieldDesc.h"

namespace {

// The descriptor of a contact field by its identifier, without a search.
const CommFieldDesc* FieldById(int id) {
    static const auto table = [] {
        std::array<const CommFieldDesc*, 128> t{};
        for (const CommFieldDesc& desc : CommAddrFields()) t[static_cast<std::size_t>(desc.Id)] = &desc;
        return t;
    }();
    return id >= 0 && id < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(id)] : nullptr;
}

bool Nameless(const CommAddrRec& rec) {
    return rec.FirstName[0] == '\0' && rec.LastName[0] == '\0' && rec.Email[0] == '\0';
}

bool Unnamed(const CommAddrRec& rec) { return rec.DisplayName[0] == '\0' && rec.Company[0] == '\0'; }

// The value a contact gives custom slot `slot`: the mapped one when there
// is one, as the Outlook writer does.
const char* SlotValue(const CommAddrRec& rec, int slot) {
    return rec.MappedCustomValue[slot][0] != '\0' ? rec.MappedCustomValue[slot] : rec.CustomValue[slot];
}

// Every mapped value of `mapper` is held by `holder` under the same slot
// name (names compared as Outlook finds user properties, ignoring case).
bool HoldsMappedValues(const CommAddrRec& holder, const CommAddrRec& mapper) {
    for (int i = 0; i < 10; ++i) {
        if (mapper.MappedCustomValue[i][0] == '\0') continue;
        const char* name = CommCustomSlotName(mapper, i);
        bool held = false;
        for (int j = 0; j < 10 && !held; ++j) {
            const char* value = SlotValue(holder, j);
            if (holder.CustomLabel[j][0] == '\0' && value[0] == '\0') continue;
            held = EqualNoCase(CommCustomSlotName(holder, j), name) && CompareText(value, mapper.MappedCustomValue[i]);
        }
        if (!held) return false;
    }
    return true;
}

}  // namespace

bool CommAddrRules::KeyRefinementEqual(const CommAddrRec& a, const CommAddrRec& b) {
    // Called for equal key fields: an empty text equals only an empty text,
    // so `b` is nameless exactly when `a` is.
    if (!Nameless(a)) return true;
    if (!CompareText(a.DisplayName, b.DisplayName) || !CompareText(a.Company, b.Company)) return false;
    if (!Unnamed(a)) return true;
    for (int id : kCompareFields)
        if (!FieldEqual(a, b, id)) return false;
    return true;
}

bool CommAddrRules::FurtherCompareEqual(const CommAddrRec& a, const CommAddrRec& b) {
    return HoldsMappedValues(a, b) && HoldsMappedValues(b, a);
}

const char* CommDefaultCustomLabel(int slot) {
    static const char* const kNames[10] = {"Custom 1", "Custom 2", "Custom 3", "Custom 4", "Custom 5",
                                           "Custom 6", "Custom 7", "Custom 8", "Custom 9", "Custom 10"};
    return slot >= 0 && slot < 10 ? kNames[slot] : "";
}

const char* CommCustomSlotName(const CommAddrRec& rec, int slot) {
    if (slot < 0 || slot >= 10) return "";
    return rec.CustomLabel[slot][0] != '\0' ? rec.CustomLabel[slot] : CommDefaultCustomLabel(slot);
}

void CommAddrRules::AppendKeyRefinement(std::string& key, const CommAddrRec& rec) {
    if (!Nameless(rec)) return;
    AppendCompareTextKey(key, rec.DisplayName);
    AppendCompareTextKey(key, rec.Company);
    if (!Unnamed(rec)) return;
    for (int id : kCompareFields) AppendFieldKey(key, rec, id);
}

bool CommAddrRules::FieldEqual(const CommAddrRec& a, const CommAddrRec& b, int fieldId) {
    if (fieldId == 84) return a.Birthday == b.Birthday;
    if (fieldId == 83) return a.Anniversary == b.Anniversary;
    const CommFieldDesc* desc = FieldById(fieldId);
    if (desc == nullptr || desc->Kind != CommValueText) return false;
    return CompareText(CommFieldText(&a, *desc), CommFieldText(&b, *desc));
}

void CommAddrRules::AppendFieldKey(std::string& key, const CommAddrRec& rec, int fieldId) {
    const CommFieldDesc* desc = FieldById(fieldId);
    if (desc != nullptr && desc->Kind == CommValueText) AppendCompareTextKey(key, CommFieldText(&rec, *desc));
}
