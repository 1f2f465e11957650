#pragma once
// The native record of a Palm Desktop 6.x contacts database
// ("Address.mdb"): one row of its table "Main". Members are named after
// the columns; text capacities count the terminator.
#include <cstdint>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmRecordTypes.h"

struct PmAddrEx2Rec {
    std::int32_t RecordID;     // "Record ID"
    std::int32_t Status;       // "Status": bit 0x04 or 0x80 set means not taken over
    std::int32_t Placement;    // "Placement"
    std::int32_t Private;      // "Private" (0 or 1)
    std::int32_t CategoryID;   // "Category"
    char Note[8192];           // "Note", as much as a common contact's note holds
    char Prefix[32];           // "Prefix"
    char FirstName[64];        // "First Name"
    char MiddleName[64];       // "Middle Name"
    char LastName[64];         // "Last Name"
    char Suffix[32];           // "Suffix"
    char NickName[64];         // "NickName"
    std::int32_t Anniversary;  // "Anniversary", as stored (read it as unsigned)
    std::int32_t Birthday;     // "Birthday", as stored (read it as unsigned)
    char Profession[128];      // "Profession"
    char Company[128];         // "Company"
    char JobTitle[128];        // "Job Title"
    char AssistantName[64];    // "Assistant Name"
    char AssistantPhone[64];   // "Assistant Phone"
    PmAddress WorkAddress;     // "Work Street", "Work City", "Work State", "Work Zip", "Work Country"
    PmAddress HomeAddress;     // "Home Street" ... "Home Country"
    PmAddress OtherAddress;    // "Other Street" ... "Other Country"
    // Phone slots 1 to 7: "Work Phone", "Work Fax", "Work Mobile",
    // "Home Phone", "Home Fax", "Home Mobile", "Other Phone"; the label code
    // of slot i is PhoneLabel[i].
    char Phone[7][128];
    char OtherFax[128];     // "Other Fax"
    char OtherMobile[128];  // "Other Mobile"
    char WorkEmail[256];    // "Work E-mail"
    char Email[3][256];     // "E-mail 1" to "E-mail 3"
    char Pager[128];        // "Pager"
    // "Custom 1" to "Custom 14" (index 0 to 13).
    char Custom[14][256];
    std::int32_t PrimaryContact;       // "Primary Contact"
    std::int32_t PhoneLabel[7];        // "Phone Label1" to "Phone Label7"
    char FirstYomi[64];                // "First Yomi"
    char LastYomi[64];                 // "Last Yomi"
    char CompanyYomi[64];              // "Company Yomi"
    char Chat[2][128];                 // "Chat1", "Chat2"
    std::int32_t ChatLabelID[2];       // "Chat1 LabelID", "Chat2 LabelID"
    char Website[256];                 // "Website"
    std::int32_t BirthdayAlarmSet;     // "Birthday AlarmSet" (0 or 1)
    std::int32_t BirthdayAlarmAdv;     // "Birthday AlarmAdv"
    std::int32_t Avatar;               // "Avatar"
    std::int32_t AddrLabel[3];         // "Addr Label1" to "Addr Label3"
    std::int32_t AnniversaryAlarmSet;  // "Anniversary AlarmSet" (0 or 1)
    std::int32_t AnniversaryAlarmAdv;  // "Anniversary AlarmAdv"
    char EnglishName[128];             // "English Name"
    char PictureURL[256];              // "Picture URL"
    char PictureFilename[256];         // "Picture Filename"
    char PictureMIMEType[32];          // "Picture MIME type"
    char PictureSyncCounter[32];       // "Picture Sync counter"
    char RingtoneURL[256];             // "Ringtone URL"
    char RingtoneFilename[256];        // "Ringtone Filename"
    char RingtoneMIMEType[32];         // "Ringtone MIME type"
    char RingtoneSyncCounter[32];      // "Ringtone Sync counter"
    // Not columns: the name of category CategoryID, and the phone slot
    // texts by label code 0 to 7 (work, home, fax, other, e-mail, main,
    // pager, mobile; a later slot with the same code wins).
    char CategoryName[64];
    char PhoneByLabel[8][32];
};

using PmAddrEx2DataMgr = PmDataMgr<PmAddrEx2Rec>;
