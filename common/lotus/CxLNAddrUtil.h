#pragma once
// Lotus Notes contacts: the raw record of "LNAddr.dat", the catalogue
// functions that the custom field map and the detail window use, and the
// bridge that runs the contacts helper and turns its records into common
// contacts.
#include <cstddef>
#include <cstdint>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/lotus/CxLNAddrFields.h"
#include "common/lotus/CxLNCommon.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommAddrRec.h"

// The bytes of the catalogue fields 1 to 44 together, each at its own
// capacity.
inline constexpr std::size_t kLNAddrFieldBytes = 4064;

// One record of "LNAddr.dat", in file order: the two header integers, the
// catalogue fields 1 to 44 at the offsets LNAddrFieldOffset gives, then the
// rest. Every text keeps one character less than its capacity.
struct LNAddrRec {
    std::int32_t Header[2];
    char Fields[kLNAddrFieldBytes];
    char Note[4096];
    char Category[256];
    char CustomValue[10][256];
    char CustomLabel[10][64];
    double BirthDate;
    double Anniversary;
};

// Where a catalogue field 1 to 44 lies in LNAddrRec::Fields; -1 for any
// other id.
int LNAddrFieldOffset(int fieldId);

class CxLNAddrUtil : public CxHelperKindBridge<CxLNBaseUtil, LNAddrRec, CommAddrRec, CommAddrMgr> {
public:
    static constexpr int kCustomMapSlots = 10;

    CxLNAddrUtil();

    bool Load() override;

    // Maps slot 0 to 9 to a catalogue id (0: not mapped); false for other
    // slots.
    bool SetCustomFieldMap(int slot, int fieldId);
    int GetCustomFieldMap(int slot) const;

    // The catalogue: 54 entries; by position (null, 0 and "N/A" out of
    // range) and by id (null for an unknown id).
    static int GetFieldCount();
    static const LNFieldInfo* GetFieldInfo(int index);
    static int GetFieldID(int index);
    static const char* GetFieldLabel(int index);
    static const LNFieldInfo* FindFieldInfo(int fieldId);
    // The field itself in a record (its catalogue size in `*size` when
    // given), or null for an unknown id and for the custom field entries
    // 45 to 50, which have no value.
    static const void* GetFieldValue(const LNAddrRec& rec, int fieldId, int* size);
    // A text field's value; null where GetFieldValue gives null and for a
    // date.
    static const char* GetFieldText(const LNAddrRec& rec, int fieldId);
    // A date field's value; 0 otherwise.
    static double GetFieldDate(const LNAddrRec& rec, int fieldId);

protected:
    bool LoadRecFromFile_(CxFile& file, LNAddrRec& rec) override;
    void ConvertRecord_(const LNAddrRec& raw, CommAddrRec& rec) override;

private:
    int m_customMap[kCustomMapSlots] = {};
};
