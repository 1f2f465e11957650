#pragma once
// Google contacts: the raw record of "GAddr.dat", the contact field
// catalogue that the custom field map and the detail window use, and the
// bridge that runs the contacts helper and turns its records into common
// contacts.
#include <cstdint>
#include <string>

#include "common/bridge/CxHelperKindBridge.h"
#include "common/google/CxGAppCommon.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommAddrRec.h"

// One record of "GAddr.dat", in file order. Every text keeps one character
// less than its array; slots with type 0 are free.
struct GAddrRec {
    std::int32_t Header[3];  // record number, state, action
    char FirstName[64];
    char MiddleName[64];
    char LastName[64];
    char DisplayName[64];
    char NickName[64];
    char CompanyName[64];
    char JobTitle[64];
    std::int32_t EmailType[5];  // 1 home, 2 work, 3 other
    char Email[5][64];
    char PrimaryEmail[64];
    std::int32_t AddressType[5];  // 1 home, 2 work, 3 other
    char FormattedAddress[5][256];
    char City[5][32];
    char State[5][16];
    char Country[5][16];
    char PostalCode[5][32];
    char Street[5][128];
    char PoBox[5][32];
    char Neighborhood[5][64];
    std::int32_t PhoneType[10];  // 1 home, 2 work, 3 mobile, 4 home fax, 5 work fax, 6 pager, 7 other
    char Phone[10][32];
    char PrimaryPhone[32];
    std::int32_t WebType[10];  // 1 home, 2 work, 3 home page, 4 FTP, 5 blog, 6 profile, 7 other
    char Web[10][256];
    char PrimaryWeb[256];
    std::int32_t ImType[10];  // 1 GTalk, 2 AIM, 3 Yahoo, 4 Skype, 5 QQ, 6 MSN, 7 ICQ, 8 Jabber
    char Im[10][64];
    char PrimaryIm[64];
    char CustomLabel[10][64];
    char CustomValue[10][64];
    std::int32_t DateType[5];  // 1 birthday, 2 anniversary, 3 other
    double Date[5];
    std::int32_t RelationType[20];  // 1 spouse, 3 mother, 4 father, 11 manager, 12 assistant
    char Relation[20][64];
    char Extra[4096];  // kept, not interpreted
    char Notes[10240];
    char Group[256];
    double CreationTime;
    double LastModificationTime;
};

// One entry of the contact field catalogue.
struct GFieldInfo {
    std::int32_t FieldID;
    const char* Label;  // at most 31 characters
    int Kind;           // kGFieldText or kGFieldDate
    int Size;           // bytes: a text's capacity with its terminator, 8 for a date
};

inline constexpr int kGFieldText = 1;
inline constexpr int kGFieldDate = 6;

class CxGAddrUtil : public CxHelperKindBridge<CxGAppBaseUtil, GAddrRec, CommAddrRec, CommAddrMgr> {
public:
    static constexpr int kCustomMapSlots = 10;

    CxGAddrUtil();

    bool Load() override;

    // Maps slot 0 to 9 to a catalogue id (0: not mapped); false for other
    // slots.
    bool SetCustomFieldMap(int slot, int fieldId);
    int GetCustomFieldMap(int slot) const;

    // The catalogue: 91 entries; by position (null, 0 and "N/A" out of
    // range) and by id (the first entry with it, or null).
    static int GetFieldCount();
    static const GFieldInfo* GetFieldInfo(int index);
    static int GetFieldID(int index);
    static const char* GetFieldLabel(int index);
    static const GFieldInfo* FindFieldInfo(int fieldId);
    // The value of a catalogue field of a record as text: empty when the
    // record has none; dates as "MM/DD/YYYY" (birthday, anniversary, other
    // date) or with the time (the two record times).
    static std::string GetFieldText(const GAddrRec& rec, int fieldId);

    // The value of the first slot whose type has `code`, or null.
    template <std::size_t N, std::size_t M>
    static const char* Typed(const std::int32_t (&types)[N], const char (&values)[N][M], std::int32_t code) {
        for (std::size_t i = 0; i < N; ++i)
            if (types[i] == code) return values[i];
        return nullptr;
    }

protected:
    bool LoadRecFromFile_(CxFile& file, GAddrRec& rec) override;
    void ConvertRecord_(const GAddrRec& raw, CommAddrRec& rec) override;

private:
    int m_customMap[kCustomMapSlots] = {};
};
