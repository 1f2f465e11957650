#pragma once
// The Palm contacts record set, the contact conversion, and the address
// field catalogues of the three generations that the custom field map
// offers.
#include <cstdint>

#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmAddrUtil.h"
#include "common/palm/PmInfo.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommKinds.h"

struct PmAddrTraits {
    using Early = PmAddrUtil;
    using Ex = PmAddrExUtil;
    using Ex2 = PmAddrEx2Util;
    using Entry = PmAddrEntry;
    using Mgr = CommAddrMgr;
    static const PmInfoLines kLines;
};

// Value kinds of catalogue rows.
enum PmFieldKind : int {
    kPmFieldText = 1,
    kPmFieldLong = 5,
    kPmFieldDouble = 6,
};

// What a catalogue row reads: the member it names and, for phones,
// instant-messaging slots, addresses and custom fields, which one.
enum class PmFieldRef : std::uint8_t {
    FirstName,
    MiddleName,
    LastName,
    EnglishName,
    Prefix,
    Suffix,
    NickName,
    Company,
    JobTitle,
    Profession,
    AssistantName,
    AssistantPhone,
    Phone,  // Arg: the phone label code
    Street,
    City,
    State,
    Zip,
    Country,  // Arg: 0 work (the one address of generation 1), 1 home, 2 other
    Im,       // Arg: the instant-messaging label code
    HomePage,
    Birthday,
    Anniversary,
    Custom,  // Arg: 0 for "Custom 1"
    Category,
    Note,
};

// One row of an address field catalogue.
struct PmFieldInfo {
    int FieldID;  // 1 upwards, in order
    const char* Label;
    int Kind;  // PmFieldKind
    int Size;  // bytes
    PmFieldRef Ref;
    int Arg;
};

// Fills an all-zero common contact from an entry (the custom map aside).
void PmConvertContact(PmAddrEntry& entry, CommAddrRec& rec);

class PmAddrInfo : public PmInfo<PmAddrTraits> {
public:
    static constexpr int kCustomMapSlots = 10;

    PmAddrInfo();

    // Maps slot 0 to 9 to a catalogue field ID (0: not mapped); false for
    // other slots.
    bool SetCustomMapSlot(int slot, int fieldId);
    bool SetCustomFieldMap(int slot, int fieldId) { return SetCustomMapSlot(slot, fieldId); }
    int GetCustomMapSlot(int slot) const;

    // The installed generation of the address book, process-wide: set by
    // the first record set, or computed from the Palm Desktop version when
    // none was made yet.
    static int GetInstalledAddrGeneration();
    // Forgets it, so that the next use computes it again (for tests).
    static void ForgetInstalledAddrGeneration();

    // The catalogue of the installed generation.
    static int GetFieldCount();
    static int GetFieldID(int index);
    static const char* GetFieldLabel(int index);
    static const PmFieldInfo* FindFieldInfo(int fieldId);
    // The row of a field ID in the catalogue of a generation, or null.
    static const PmFieldInfo* FindFieldInfo(int generation, int fieldId);
    // The text of a catalogue field in the entry's Palm record and the row's
    // size; null when the field has no text there. A field ID of the
    // installed catalogue is read from an entry of another generation
    // through the row of that generation that names the same member. Phone
    // and instant-messaging slots of the .dat generations are looked up by
    // label, giving a free slot the label when none has it.
    static const char* GetFieldText(PmAddrEntry& entry, int fieldId, int* size);
    // The same with the field ID taken from the catalogue of `generation`.
    static const char* GetFieldText(PmAddrEntry& entry, int generation, int fieldId, int* size);
    static const char* GetPhoneLabelText(int code);

    // The rows of a generation's catalogue and their count (0 for none).
    static const PmFieldInfo* Catalogue(int generation, int* count);
    // The generation whose catalogue the field IDs of the custom map name:
    // the generation of the contacts file when contacts are read from a
    // file that a reader accepts, else the installed generation. A loaded
    // record set reads its map with the catalogue of the generation it
    // loaded, which is the same one.
    static int CatalogueGeneration(bool useFile, const char* path);

protected:
    void Convert(PmAddrEntry& entry, CommAddrRec& rec) override;

private:
    int m_customMap[kCustomMapSlots] = {};
};
