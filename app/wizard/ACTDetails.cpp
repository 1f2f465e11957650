// The ACT! detail windows: a contact with its secondary contact, a calendar
// activity with its repeat rule, a to-do and a note, each filled from the
// raw record the ACT! bridge keeps.
#include <algorithm>

#include "app/wizard/DetailLayouts.h"
#include "app/wizard/DetailRows.h"
#include "app/wizard/DetailSources.h"
#include "app/wizard/RecordColumns.h"
#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"

namespace detail {
namespace {

// ---- contact: catalogue fields by id ----

std::string_view FieldText(const ACTAddrRec& r, int id) {
    const char* text = CxACTAddrUtil::GetFieldText(r, id);
    const ACTFieldInfo* info = CxACTAddrUtil::FindFieldInfo(id);
    if (text == nullptr || info == nullptr) return {};
    return std::string_view(text, std::find(text, text + info->Size, '\0') - text);
}

template <int Id>
std::string FieldOf(const ACTAddrRec& r) {
    return std::string(FieldText(r, Id));
}
template <int Id, int Extension>
std::string PhoneOf(const ACTAddrRec& r) {
    return PhoneText(FieldText(r, Id), FieldText(r, Extension));
}
template <int Id>
std::string DateOf(const ACTAddrRec& r) {
    return DateText(CxACTAddrUtil::GetFieldDate(r, Id));
}
template <int Id>
std::string DateTimeOf(const ACTAddrRec& r) {
    return DateTimeText(CxACTAddrUtil::GetFieldDate(r, Id));
}
// The three address lines of the address group starting at `country`.
template <int Country>
std::string StreetOf(const ACTAddrRec& r) {
    return JoinLines({FieldText(r, Country + kACTAddrLine1), FieldText(r, Country + kACTAddrLine2),
                      FieldText(r, Country + kACTAddrLine3)});
}
template <int Country, int Part>
std::string AddressPartOf(const ACTAddrRec& r) {
    return std::string(FieldText(r, Country + Part));
}

using ContactEntry = Entry<ACTAddrRec>;

constexpr ContactEntry kHeader[] = {
    {"edtDisplayName", FieldOf<kACTFullName>},
    {"edtCompany", FieldOf<kACTCompany>},
    {"edtTitle", FieldOf<kACTTitle>},
};

constexpr ContactEntry kPhones[] = {
    {"Work Phone", PhoneOf<kACTBusinessPhone, kACTBusinessPhoneExtension>},
    {"Home Phone", PhoneOf<kACTHomePhone, kACTHomePhoneExtension>},
    {"Mobile Phone", PhoneOf<kACTMobilePhone, kACTMobilePhoneExtension>},
    {"Alternate Phone", PhoneOf<kACTAlternatePhone, kACTAlternatePhoneExtension>},
    {"Fax", PhoneOf<kACTFax, kACTFaxExtension>},
    {"Pager", PhoneOf<kACTPager, kACTPagerExtension>},
    {"Work Email", FieldOf<kACTBusinessEmail>},
    {"Personal Email", FieldOf<kACTPersonalEmail>},
};

template <int Country>
constexpr ContactEntry kAddress[] = {
    {"memStreet", StreetOf<Country>},
    {"edtCity", AddressPartOf<Country, kACTAddrCity>},
    {"edtState", AddressPartOf<Country, kACTAddrState>},
    {"edtPostal", AddressPartOf<Country, kACTAddrPostal>},
    {"edtCountry", AddressPartOf<Country, kACTAddrCountry>},
};

// The catalogue ids of the fields without a name of their own here.
constexpr int kRecordCreator = 2, kLastEditedBy = 3, kRecordManager = 4, kReferredBy = 13;
constexpr int kLastAttempt = 65, kLastEmail = 66, kLastMeeting = 67, kLastReach = 68, kLastLetter = 69;
constexpr int kSecondaryLastName = 71, kSecondaryContact = 72, kSecondaryCompany = 73, kSecondaryTitle = 74;
constexpr int kSecondaryMobile = 83, kSecondaryFax = 84, kSecondaryExtension = 85, kSecondaryWebsite = 87,
              kSecondaryCategory = 88;

constexpr ContactEntry kMisc[] = {
    {"Rcord Creator", FieldOf<kRecordCreator>},
    {"Record Manager", FieldOf<kRecordManager>},
    {"Last Edited By", FieldOf<kLastEditedBy>},
    {"ID/Status", FieldOf<kACTCategory>},
    {"Salutation", FieldOf<kACTSalutation>},
    {"Referred By", FieldOf<kReferredBy>},
    {"Company", FieldOf<kACTCompany>},
    {"Department", FieldOf<kACTDepartment>},
    {"Job Title", FieldOf<kACTTitle>},
    {"Website", FieldOf<kACTWebsite>},
    {"Messenger ID", FieldOf<kACTInstantMessenger>},
    {"Spouse", FieldOf<kACTSpouseName>},
    {"Last Results", FieldOf<kACTLastResults>},
    {"Birthday", DateOf<kACTBirthday>},
    {"Create Time", DateTimeOf<kACTCreateDate>},
    {"Edit Time", DateTimeOf<kACTEditDate>},
    {"Last Attempt Time", DateTimeOf<kLastAttempt>},
    {"Last Email Time", DateTimeOf<kLastEmail>},
    {"Last Meet Time", DateTimeOf<kLastMeeting>},
    {"Last Reach Time", DateTimeOf<kLastReach>},
    {"Last Letter Time", DateTimeOf<kLastLetter>},
};

constexpr int kSec = kACTSecondaryCountry;
constexpr ContactEntry kSecondary[] = {
    {"First Name", FieldOf<kACTSecondaryFirstName>},
    {"Last Name", FieldOf<kSecondaryLastName>},
    {"Contact", FieldOf<kSecondaryContact>},
    {"Company", FieldOf<kSecondaryCompany>},
    {"Job Title", FieldOf<kSecondaryTitle>},
    {"Country", FieldOf<kSec + kACTAddrCountry>},
    {"State", FieldOf<kSec + kACTAddrState>},
    {"City", FieldOf<kSec + kACTAddrCity>},
    {"Address (line 1)", FieldOf<kSec + kACTAddrLine1>},
    {"Address (line 2)", FieldOf<kSec + kACTAddrLine2>},
    {"Address (line 3)", FieldOf<kSec + kACTAddrLine3>},
    {"Postal", FieldOf<kSec + kACTAddrPostal>},
    {"Work Phone", PhoneOf<kACTSecondaryPhone, kSecondaryExtension>},
    {"Mobile Phone", FieldOf<kSecondaryMobile>},
    {"Fax", FieldOf<kSecondaryFax>},
    {"Email", FieldOf<kACTSecondaryEmail>},
    {"Website", FieldOf<kSecondaryWebsite>},
    {"ID/Status", FieldOf<kSecondaryCategory>},
    {"Is Private",
     [](const ACTAddrRec& r) -> std::string {
         return YesNo(CxACTAddrUtil::GetFieldFlag(r, kACTSecondaryIsPrivate) != 0);
     }},
};

template <std::size_t N>
void SetAddress(DetailView& view, const ACTAddrRec& r, const std::string& sub, const ContactEntry (&edits)[N]) {
    for (const ContactEntry& edit : edits) SetText(view, std::string(edit.name) + sub, edit.value(r));
}

// ---- calendar, to-do, note ----

std::string EventType(const ACTDateRec& r) {
    static constexpr const char* kTypes[] = {"Appointment", "Meeting", "Call", "Todo"};
    return r.ActivityType >= 0 && r.ActivityType < 4 ? kTypes[r.ActivityType] : "";
}

constexpr Entry<ACTDateRec> kEventEdits[] = {
    {"edtDescription", Text<&ACTDateRec::Description>},
    {"edtDate", Date<&ACTDateRec::Start>},
    {"edtStartTime", Time<&ACTDateRec::Start>},
    {"edtEndTime", Time<&ACTDateRec::End>},
    {"edtLocation", Text<&ACTDateRec::Location>},
    {"edtCategory", EventType},
    {"memNotes", Text<&ACTDateRec::Notes>},
};
constexpr Entry<ACTDateRec, bool> kEventChecks[] = {
    {"cbPrivate", Flag<&ACTDateRec::Private>},
    {"cbAllDay", Flag<&ACTDateRec::AllDay>},
};
constexpr Entry<ACTDateRec> kEventMisc[] = {
    {"Create Time", DateTime<&ACTDateRec::CreateTime>},
    {"Edit Date", DateTime<&ACTDateRec::EditDate>},
};

// The activity's recurrence code (0 none, 1 daily, 2 weekly, 3 monthly,
// 4 yearly); the day value is a weekday mask except for a monthly or
// yearly rule on a date. The range ends as the bridge reads it: only on a
// day after 30 December 1899.
DetailRecurrence Repeat(const ACTDateRec& r) {
    DetailRecurrence repeat;
    static constexpr RepeatView kViews[] = {RepeatView::None, RepeatView::Daily, RepeatView::Weekly,
                                            RepeatView::Monthly, RepeatView::Yearly};
    if (r.Recurrence < 1 || r.Recurrence > 4) return repeat;
    repeat.type = kViews[r.Recurrence];
    repeat.interval = r.Interval;
    if (repeat.type == RepeatView::Weekly) repeat.dayMask = r.DayValue & 0x7F;
    repeat.monthlyByDate = r.OnDate == 1;
    SetRange(repeat, r.Start, r.RecurrenceEnd, r.RecurrenceEnd > 1.0);
    return repeat;
}

constexpr Entry<ACTTaskRec> kTaskEdits[] = {
    {"edtDescription", Text<&ACTTaskRec::Description>},
    {"edtPriority", [](const ACTTaskRec& r) { return NativePriorityText(r.Priority); }},
    {"edtDueDate", Date<&ACTTaskRec::DueDate>},
    {"memNotes", Text<&ACTTaskRec::Notes>},
};
constexpr Entry<ACTTaskRec, bool> kTaskChecks[] = {
    {"cbCompleted", Flag<&ACTTaskRec::Completed>},
    {"cbPrivate", Flag<&ACTTaskRec::Private>},
};
constexpr Entry<ACTTaskRec> kTaskMisc[] = {
    {"Create Time", DateTime<&ACTTaskRec::CreateTime>},
    {"Edit Date", DateTime<&ACTTaskRec::EditDate>},
};

constexpr Entry<ACTNoteRec> kNoteEdits[] = {{"memNotes", Text<&ACTNoteRec::Text>}};
constexpr Entry<ACTNoteRec> kNoteMisc[] = {
    {"Create User Name", Text<&ACTNoteRec::CreateUser>}, {"Edit User Name", Text<&ACTNoteRec::EditUser>},
    {"Manage User Name", Text<&ACTNoteRec::ManageUser>}, {"Private", YesNoOf<&ACTNoteRec::Private>},
    {"Create Time", DateTime<&ACTNoteRec::CreateTime>},  {"Edit Time", DateTime<&ACTNoteRec::EditTime>},
};

}  // namespace

DetailView DescribeACTAddr(const void* native, AppAdapter&) {
    DetailView view =
        ContactLayout("ACT! Contact Record Details", "View detail information of the ACT! Contact record.");
    ShowTab(view, "tNotes", false);
    if (DetailTab* third = FindTab(view, "tOther")) third->caption = "Secondary";
    view.tabs.push_back(ListTab("tSecondary", "Secondary Contacts", "lvSec", "Field", "Content"));
    if (native == nullptr) return view;
    const auto& r = *static_cast<const ACTAddrRec*>(native);
    SetTexts(view, r, kHeader);
    AddRows(view, "lvPhone", r, kPhones);
    SetAddress(view, r, "Work", kAddress<kACTBusinessCountry>);
    SetAddress(view, r, "Home", kAddress<kACTHomeCountry>);
    for (int i = 0; i < 10; ++i)
        AddRow(view, "lvCustom", std::to_string(i + 1), std::string(FieldText(r, kACTUserDefined1 + i)));
    AddRows(view, "lvMisc", r, kMisc);
    AddRows(view, "lvSec", r, kSecondary);
    return view;
}

DetailView DescribeACTDate(const void* native, AppAdapter&) {
    DetailView view =
        CalendarLayout("ACT! Calendar Record Details", "View detail information of the ACT! Calendar record.");
    if (DetailEdit* type = FindEdit(view, "edtCategory")) type->label = "Event Type:";
    if (DetailCheck* isPrivate = FindCheck(view, "cbPrivate")) isPrivate->label = "Is Private";
    if (native == nullptr) return view;
    const auto& r = *static_cast<const ACTDateRec*>(native);
    SetTexts(view, r, kEventEdits);
    SetChecks(view, r, kEventChecks);
    AddRows(view, "lvMisc", r, kEventMisc);
    SetRepeat(view, Repeat(r));
    return view;
}

DetailView DescribeACTTask(const void* native, AppAdapter&) {
    DetailView view = TaskLayout("ACT! Todo Record Details", "View detail information of the ACT! Todo record.");
    if (native == nullptr) return view;
    const auto& r = *static_cast<const ACTTaskRec*>(native);
    SetTexts(view, r, kTaskEdits);
    SetChecks(view, r, kTaskChecks);
    AddRows(view, "lvMisc", r, kTaskMisc);
    return view;
}

DetailView DescribeACTNote(const void* native, AppAdapter&) {
    DetailView view = NoteLayout("ACT! Note Record Details", "View detail information of the ACT! Note record.");
    if (native == nullptr) return view;
    const auto& r = *static_cast<const ACTNoteRec*>(native);
    SetTexts(view, r, kNoteEdits);
    AddRows(view, "lvMisc", r, kNoteMisc);
    return view;
}

}  // namespace detail
