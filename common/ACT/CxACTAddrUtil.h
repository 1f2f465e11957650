#pragma once
// ACT! contacts: the raw record of "ACTAddr.dat", the catalogue functions
// that the custom field map and the detail window use, and the bridge that
// runs the contacts helper and turns its records into common contacts.
#include <cstddef>
#include <cstdint>

#include "common/ACT/CxACTAddrFields.h"
#include "common/ACT/CxACTCommon.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommAddrRec.h"

// The bytes of the 89 catalogue fields together, each at its own capacity:
// texts of their catalogue size, flags of 4 bytes, dates of 8.
inline constexpr std::size_t kACTAddrFieldBytes = 5856;

// One record of "ACTAddr.dat": the two header integers, then the catalogue
// fields in id order, each at the offset ACTAddrFieldOffset gives.
struct ACTAddrRec {
    std::int32_t Header[2];
    alignas(8) unsigned char Fields[kACTAddrFieldBytes];
};

// Where a catalogue field lies in ACTAddrRec::Fields; -1 for an unknown id.
int ACTAddrFieldOffset(int fieldId);

class CxACTAddrUtil : public CxHelperKindBridge<CxACTBaseUtil, ACTAddrRec, CommAddrRec, CommAddrMgr> {
public:
    static constexpr int kCustomMapSlots = 10;

    CxACTAddrUtil();

    bool Load() override;

    // Maps slot 0 to 9 to a catalogue id (0: not mapped); false for other
    // slots.
    bool SetCustomFieldMap(int slot, int fieldId);
    int GetCustomFieldMap(int slot) const;

    // The catalogue: 89 entries; by position (null, 0 and "N/A" out of
    // range) and by id (null for an unknown id).
    static int GetFieldCount();
    static const ACTFieldInfo* GetFieldInfo(int index);
    static int GetFieldID(int index);
    static const char* GetFieldLabel(int index);
    static const ACTFieldInfo* FindFieldInfo(int fieldId);
    // The field itself in a record (its catalogue size in `*size` when
    // given), or null for an unknown id.
    static const void* GetFieldValue(const ACTAddrRec& rec, int fieldId, int* size);
    // A text field's value; null for an unknown id or a field of another kind.
    static const char* GetFieldText(const ACTAddrRec& rec, int fieldId);
    // A flag field's value (0 or 1), a date field's value; 0 otherwise.
    static std::int32_t GetFieldFlag(const ACTAddrRec& rec, int fieldId);
    static double GetFieldDate(const ACTAddrRec& rec, int fieldId);

protected:
    bool LoadRecFromFile_(CxFile& file, ACTAddrRec& rec) override;
    void ConvertRecord_(const ACTAddrRec& raw, CommAddrRec& rec) override;

private:
    int m_customMap[kCustomMapSlots] = {};
};
