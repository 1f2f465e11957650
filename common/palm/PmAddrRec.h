#pragma once
// The native records of the Palm Desktop address book, as the two
// generations of "address.dat" store them, and the lookups of a phone or
// instant-messaging slot by its label code.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

// A contact of the 4.1.4 format (73 field positions).
struct PmAddrExRec {
    std::int32_t RecordID;        // 0
    std::int32_t Unused1;         // 1
    std::int32_t Status;          // 2: bit 0x04 or 0x80 set means not taken over
    std::int32_t Unused3;         // 3
    std::int32_t Placement;       // 4
    std::int32_t CategoryID;      // 5
    std::int32_t Unused6;         // 6
    PmExtBlock ExtBlock[4];       // 7 to 10
    char Unused11[32];            // 11
    char Unused12[32];            // 12
    char FirstName[32];           // 13
    char LastName[32];            // 14
    char Title[32];               // 15
    char Company[256];            // 16
    std::int32_t PrimaryContact;  // 17
    char Note[8192];              // 18, as much as a common contact's note holds
    char Phone[7][32];            // 19 to 25
    std::int32_t PhoneLabel[7];   // 26 to 32
    char Custom[9][256];          // 33 to 41
    std::int32_t Unused42;        // 42
    PmAddress WorkAddress;        // 43 to 47
    std::int32_t Unused48;        // 48
    PmAddress HomeAddress;        // 49 to 53
    std::int32_t Unused54;        // 54
    PmAddress OtherAddress;       // 55 to 59
    char Im[2][32];               // 60, 61
    std::int32_t ImLabel[2];      // 62, 63
    char HomePage[256];           // 64
    double Birthday;              // 65
    std::int32_t Unused66;        // 66
    std::int32_t Unused67;        // 67
    std::int32_t Unused68;        // 68
    char Unused69[4][32];         // 69 to 72
    char CategoryName[64];        // the name of category CategoryID (up to 63 bytes of UTF-8)
};

// A contact of the earlier format (30 field positions).
struct PmAddrRec {
    std::int32_t RecordID;        // 0
    std::int32_t Status;          // 1: bit 0x04 or 0x80 set means not taken over
    std::int32_t Placement;       // 2
    char LastName[32];            // 3
    char FirstName[32];           // 4
    char Title[32];               // 5
    char Company[256];            // 6
    std::int32_t PhoneLabel[5];   // 7, 9, 11, 13, 15
    char Phone[5][32];            // 8, 10, 12, 14, 16
    char Street[256];             // 17
    char City[32];                // 18
    char State[32];               // 19
    char ZipCode[32];             // 20
    char Country[32];             // 21
    char Note[8192];              // 22
    std::int32_t Unused23;        // 23
    std::int32_t CategoryID;      // 24
    char Custom[4][64];           // 25 to 28
    std::int32_t PrimaryContact;  // 29
    char CategoryName[64];        // the name of category CategoryID (up to 63 bytes of UTF-8)
};

using PmAddrExDataMgr = PmDataMgr<PmAddrExRec>;
using PmAddrDataMgr = PmDataMgr<PmAddrRec>;

extern const PmRecordLayout kPmAddrExLayout;
extern const PmRecordLayout kPmAddrLayout;

// Phone label codes.
enum PmPhoneLabel : std::int32_t {
    kPmPhoneWork = 0,
    kPmPhoneHome = 1,
    kPmPhoneFax = 2,
    kPmPhoneOther = 3,
    kPmPhoneEmail = 4,
    kPmPhoneMain = 5,
    kPmPhonePager = 6,
    kPmPhoneMobile = 7,
};

// Instant-messaging label codes (4.1.4 format).
enum PmImLabel : std::int32_t { kPmImAIM = 1, kPmImMSN = 2, kPmImYahoo = 3, kPmImAOL = 4, kPmImIM = 5 };

// "Work Phone", "Home Phone", ...; any unknown code reads "Work Phone".
const char* PmPhoneLabelText(std::int32_t code);

// The value of the first phone slot carrying `label`. When none does and
// `create` is set, the first slot with an empty value takes the label and
// its (empty) value is returned; null when every slot is filled. The
// returned member holds kPmPhoneValueSize bytes.
constexpr std::size_t kPmPhoneValueSize = 32;
char* PmFindPhoneByLabel(PmAddrExRec& rec, std::int32_t label, bool create);
char* PmFindPhoneByLabel(PmAddrRec& rec, std::int32_t label, bool create);
// The same on the two instant-messaging slots; a slot is free when its
// label code is 0.
char* PmFindImByLabel(PmAddrExRec& rec, std::int32_t label, bool create);
