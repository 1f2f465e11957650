// The Google detail windows: a contact's fields by the Google field
// catalogue, and an event with its repeat rule, each filled from the raw
// record the Google bridge keeps.
#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "app/wizard/DetailLayouts.h"
#include "app/wizard/DetailRows.h"
#include "app/wizard/DetailSources.h"
#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "common/google/CxGRecurText.h"

namespace detail {
namespace {

// ---- contact ----

// Catalogue ids, listed under their catalogue labels.
constexpr int kPhoneIds[] = {8, 9, 10, 11, 36, 37, 38, 39, 40, 41, 42, 43};
constexpr int kMiscIds[] = {2,  5,  44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56,
                            57, 58, 59, 60, 81, 82, 83, 84, 85, 86, 87, 88, 91, 92};

void AddCatalogueRows(DetailView& view, std::string_view list, const GAddrRec& r, std::span<const int> ids) {
    for (int id : ids)
        if (const GFieldInfo* info = CxGAddrUtil::FindFieldInfo(id))
            AddRow(view, list, info->Label, CxGAddrUtil::GetFieldText(r, id));
}

constexpr Entry<GAddrRec> kHeader[] = {
    {"edtDisplayName", Text<&GAddrRec::DisplayName>},
    {"edtCompany", Text<&GAddrRec::CompanyName>},
    {"edtTitle", Text<&GAddrRec::JobTitle>},
    {"memNotes", Text<&GAddrRec::Notes>},
};

// The address slot typed `code` (1 home, 2 work, 3 other), or none.
template <std::size_t M>
std::string_view Slot(const GAddrRec& r, const char (&values)[5][M], int code) {
    const char* value = CxGAddrUtil::Typed(r.AddressType, values, code);
    return value ? std::string_view(value, std::find(value, value + M, '\0') - value) : std::string_view();
}

// The street memo: street, post office box and neighbourhood; a contact
// whose address came as one formatted text only shows that text.
std::string Street(const GAddrRec& r, int code) {
    std::string street = JoinLines({Slot(r, r.Street, code), Slot(r, r.PoBox, code), Slot(r, r.Neighborhood, code)});
    return street.empty() ? std::string(Slot(r, r.FormattedAddress, code)) : street;
}

struct AddressEdit {
    const char* name;
    std::string (*value)(const GAddrRec&, int code);
};
constexpr AddressEdit kAddress[] = {
    {"memStreet", Street},
    {"edtCity", [](const GAddrRec& r, int code) { return std::string(Slot(r, r.City, code)); }},
    {"edtState", [](const GAddrRec& r, int code) { return std::string(Slot(r, r.State, code)); }},
    {"edtPostal", [](const GAddrRec& r, int code) { return std::string(Slot(r, r.PostalCode, code)); }},
    {"edtCountry", [](const GAddrRec& r, int code) { return std::string(Slot(r, r.Country, code)); }},
};
constexpr std::pair<const char*, int> kAddressTabs[] = {{"Work", 2}, {"Home", 1}, {"Other", 3}};

// ---- event ----

constexpr Entry<GDateRec> kEventEdits[] = {
    {"edtDescription", Text<&GDateRec::Title>}, {"edtDate", Date<&GDateRec::Start>},
    {"edtStartTime", Time<&GDateRec::Start>},   {"edtEndTime", Time<&GDateRec::End>},
    {"edtLocation", Text<&GDateRec::Location>}, {"edtCategory", Text<&GDateRec::Category>},
    {"memNotes", Text<&GDateRec::Description>},
};
constexpr Entry<GDateRec, bool> kEventChecks[] = {
    {"cbAlarm", [](const GDateRec& r) { return r.ReminderCount > 0; }},
    {"cbPrivate", [](const GDateRec& r) { return r.Visibility == 2; }},
    {"cbAllDay", Flag<&GDateRec::AllDay>},
};
constexpr Entry<GDateRec> kEventMisc[] = {
    {"Creation Time", DateTime<&GDateRec::CreationTime>},
    {"Last Modification Time", DateTime<&GDateRec::LastModificationTime>},
};

// The rule as the bridge reads it: the record's type and numbers, with the
// type and interval its recurrence text gives.
DetailRecurrence Repeat(const GDateRec& r) {
    auto rec = std::make_unique<CommDateRec>();
    rec->Repeat.Type = r.RecurrenceType >= CommRepeatNone && r.RecurrenceType <= CommRepeatYearlyByDate
                           ? r.RecurrenceType
                           : CommRepeatNone;
    rec->Repeat.Interval = r.Interval;
    CxGApplyRecurrenceText(FixedText(r.Recurrence), *rec);

    DetailRecurrence repeat;
    switch (rec->Repeat.Type) {
    case CommRepeatDaily: repeat.type = RepeatView::Daily; break;
    case CommRepeatWeekly: repeat.type = RepeatView::Weekly; break;
    case CommRepeatMonthlyByDay:
    case CommRepeatMonthlyByDate: repeat.type = RepeatView::Monthly; break;
    case CommRepeatYearlyByDay:
    case CommRepeatYearlyByDate: repeat.type = RepeatView::Yearly; break;
    default: return repeat;
    }
    repeat.interval = rec->Repeat.Interval;
    if (repeat.type == RepeatView::Weekly) repeat.dayMask = r.DayOfWeekMask & 0x7F;
    repeat.monthlyByDate = rec->Repeat.Type == CommRepeatMonthlyByDate;
    SetRange(repeat, r.RecurrenceStart, r.RecurrenceEnd, r.RecurrenceHasEnd != 0);
    return repeat;
}

}  // namespace

DetailView DescribeGGAddr(const void* native, AppAdapter&) {
    DetailView view =
        ContactLayout("Google Contact Record Details", "View detail information of the Google Contact record.");
    if (native == nullptr) return view;
    const auto& r = *static_cast<const GAddrRec*>(native);
    SetTexts(view, r, kHeader);
    AddCatalogueRows(view, "lvPhone", r, kPhoneIds);
    for (const auto& [sub, code] : kAddressTabs)
        for (const AddressEdit& edit : kAddress) SetText(view, std::string(edit.name) + sub, edit.value(r, code));
    AddCatalogueRows(view, "lvMisc", r, kMiscIds);
    for (int i = 0; i < 10; ++i) {
        const std::string value = FixedText(r.CustomValue[i]);
        if (value.empty()) continue;
        const std::string label = FixedText(r.CustomLabel[i]);
        AddRow(view, "lvCustom", std::to_string(i + 1), (label.empty() ? "[None]" : label) + ": " + value);
    }
    return view;
}

DetailView DescribeGGDate(const void* native, AppAdapter&) {
    DetailView view =
        CalendarLayout("Google Calendar Record Details", "View detail information of the Google Calendar record.");
    if (native == nullptr) return view;
    const auto& r = *static_cast<const GDateRec*>(native);
    SetTexts(view, r, kEventEdits);
    SetChecks(view, r, kEventChecks);
    AddRows(view, "lvMisc", r, kEventMisc);
    SetRepeat(view, Repeat(r));
    return view;
}

}  // namespace detail
