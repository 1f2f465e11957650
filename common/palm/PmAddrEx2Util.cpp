#include "common/palm/PmAddrEx2Util.h"

#include <iterator>
#include <type_traits>

#include "common/palm/PmValueCuts.h"
#include "common/records/CommKinds.h"
#include "platform/text/TextCopy.h"

namespace {

#define COL(name, read, member) PM_COLUMN(PmAddrEx2Rec, name, read, member)

const PmColumn kColumns[] = {
    COL("Record ID", Long, RecordID),
    COL("Status", Long, Status),
    COL("Placement", Long, Placement),
    COL("Private", Bool, Private),
    COL("Category", Long, CategoryID),
    COL("Note", Text, Note),
    COL("Prefix", Text, Prefix),
    COL("First Name", Text, FirstName),
    COL("Middle Name", Text, MiddleName),
    COL("Last Name", Text, LastName),
    COL("Suffix", Text, Suffix),
    COL("NickName", Text, NickName),
    COL("Anniversary", Long, Anniversary),
    COL("Birthday", Long, Birthday),
    COL("Profession", Text, Profession),
    COL("Company", Text, Company),
    COL("Job Title", Text, JobTitle),
    COL("Assistant Name", Text, AssistantName),
    COL("Assistant Phone", Text, AssistantPhone),
    COL("Work Street", Text, WorkAddress.Street),
    COL("Work City", Text, WorkAddress.City),
    COL("Work State", Text, WorkAddress.State),
    COL("Work Zip", Text, WorkAddress.ZipCode),
    COL("Work Country", Text, WorkAddress.Country),
    COL("Home Street", Text, HomeAddress.Street),
    COL("Home City", Text, HomeAddress.City),
    COL("Home State", Text, HomeAddress.State),
    COL("Home Zip", Text, HomeAddress.ZipCode),
    COL("Home Country", Text, HomeAddress.Country),
    COL("Other Street", Text, OtherAddress.Street),
    COL("Other City", Text, OtherAddress.City),
    COL("Other State", Text, OtherAddress.State),
    COL("Other Zip", Text, OtherAddress.ZipCode),
    COL("Other Country", Text, OtherAddress.Country),
    COL("Work Phone", Text, Phone[0]),
    COL("Work Fax", Text, Phone[1]),
    COL("Work Mobile", Text, Phone[2]),
    COL("Home Phone", Text, Phone[3]),
    COL("Home Fax", Text, Phone[4]),
    COL("Home Mobile", Text, Phone[5]),
    COL("Other Phone", Text, Phone[6]),
    COL("Other Fax", Text, OtherFax),
    COL("Other Mobile", Text, OtherMobile),
    COL("Work E-mail", Text, WorkEmail),
    COL("E-mail 1", Text, Email[0]),
    COL("E-mail 2", Text, Email[1]),
    COL("E-mail 3", Text, Email[2]),
    COL("Pager", Text, Pager),
    COL("Custom 1", Text, Custom[0]),
    COL("Custom 2", Text, Custom[1]),
    COL("Custom 3", Text, Custom[2]),
    COL("Custom 4", Text, Custom[3]),
    COL("Primary Contact", Long, PrimaryContact),
    COL("Phone Label1", Long, PhoneLabel[0]),
    COL("Phone Label2", Long, PhoneLabel[1]),
    COL("Phone Label3", Long, PhoneLabel[2]),
    COL("Phone Label4", Long, PhoneLabel[3]),
    COL("Phone Label5", Long, PhoneLabel[4]),
    COL("Phone Label6", Long, PhoneLabel[5]),
    COL("Phone Label7", Long, PhoneLabel[6]),
    COL("First Yomi", Text, FirstYomi),
    COL("Last Yomi", Text, LastYomi),
    COL("Company Yomi", Text, CompanyYomi),
    COL("Chat1", Text, Chat[0]),
    COL("Chat2", Text, Chat[1]),
    COL("Chat1 LabelID", Long, ChatLabelID[0]),
    COL("Chat2 LabelID", Long, ChatLabelID[1]),
    COL("Website", Text, Website),
    COL("Custom 5", Text, Custom[4]),
    COL("Custom 6", Text, Custom[5]),
    COL("Custom 7", Text, Custom[6]),
    COL("Custom 8", Text, Custom[7]),
    COL("Custom 9", Text, Custom[8]),
    COL("Custom 10", Text, Custom[9]),
    COL("Custom 11", Text, Custom[10]),
    COL("Custom 12", Text, Custom[11]),
    COL("Custom 13", Text, Custom[12]),
    COL("Custom 14", Text, Custom[13]),
    COL("Birthday AlarmSet", Bool, BirthdayAlarmSet),
    COL("Birthday AlarmAdv", Long, BirthdayAlarmAdv),
    COL("Avatar", Long, Avatar),
    COL("Addr Label1", Long, AddrLabel[0]),
    COL("Addr Label2", Long, AddrLabel[1]),
    COL("Addr Label3", Long, AddrLabel[2]),
    COL("Anniversary AlarmSet", Bool, AnniversaryAlarmSet),
    COL("Anniversary AlarmAdv", Long, AnniversaryAlarmAdv),
    COL("English Name", Text, EnglishName),
    COL("Picture URL", Text, PictureURL),
    COL("Picture Filename", Text, PictureFilename),
    COL("Picture MIME type", Text, PictureMIMEType),
    COL("Picture Sync counter", Text, PictureSyncCounter),
    COL("Ringtone URL", Text, RingtoneURL),
    COL("Ringtone Filename", Text, RingtoneFilename),
    COL("Ringtone MIME type", Text, RingtoneMIMEType),
    COL("Ringtone Sync counter", Text, RingtoneSyncCounter),
};
#undef COL
static_assert(std::size(kColumns) == 95);

static_assert(std::is_trivially_copyable_v<PmAddrEx2Rec>);

}  // namespace

const PmEx2Kind PmAddrEx2Util::kKind = {
    1,
    "Contacts",
    "Loading Palm Desktop Contacts:%s",
    "Open Palm Desktop Contacts database failed: %s",
    nullptr,
    kColumns,
    std::size(kColumns),
};

PmAddrEx2Util::PmAddrEx2Util() : PmEx2Reader(kKind) {}

PmAddrEx2Util::PmAddrEx2Util(const char* path) : PmEx2Reader(kKind) { LoadFile(path); }

void PmAddrEx2Util::CompleteRecord(const PmRowValues&) {
    PmAddrEx2Rec& rec = WorkRecord();
    for (int slot = 0; slot < 7; ++slot) {
        const std::int32_t label = rec.PhoneLabel[slot];
        if (label >= 0 && label < 8) platform::CopyText(rec.PhoneByLabel[label], rec.Phone[slot]);
    }
    if (CopyCategoryName(rec.CategoryID, rec.CategoryName, sizeof rec.CategoryName))
        PmReportCategoryCut(CommKindAddr, rec, GetCategoryMgr().FindByID(rec.CategoryID)->GetName());
}
