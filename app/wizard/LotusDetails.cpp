// The Lotus Notes detail windows: per window a table of rows, each naming
// where its value lies in the raw record of "LNAddr.dat", "LNDate.dat",
// "LNTask.dat" or "LNNote.dat" and how it is shown.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "app/wizard/DetailLayouts.h"
#include "app/wizard/DetailRows.h"
#include "app/wizard/DetailSources.h"
#include "app/wizard/RecordColumns.h"
#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "common/misc/CxDateTime.h"

namespace detail {
namespace {

bool IsSet(double date) { return date > 0.001; }

bool SameDay(double a, double b) { return DateText(a) == DateText(b); }

// The value of a decimal text's leading digits; 0 for anything else.
int DecimalOf(const char* text) {
    const long v = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

// Contacts: the catalogue fields by id.
template <int Id>
std::string FieldOf(const LNAddrRec& rec) {
    const char* text = CxLNAddrUtil::GetFieldText(rec, Id);
    return text ? std::string(text) : std::string();
}

using AddrRow = Entry<LNAddrRec>;

// The display name; a contact without one (Notes fills it from the full
// name, which a contact made elsewhere may lack) shows its name parts.
std::string NameOf(const LNAddrRec& rec) {
    std::string name = FieldOf<kLNDisplayName>(rec);
    if (!name.empty()) return name;
    for (const std::string& part :
         {FieldOf<kLNFirstName>(rec), FieldOf<kLNMiddleName>(rec), FieldOf<kLNLastName>(rec), FieldOf<kLNSuffix>(rec)})
        if (!part.empty()) name += (name.empty() ? "" : " ") + part;
    return name;
}

const AddrRow kAddrHeader[] = {
    {"edtDisplayName", NameOf},
    {"edtCompany", FieldOf<kLNCompanyName>},
    {"edtTitle", FieldOf<kLNJobTitle>},
};

const AddrRow kAddrPhones[] = {
    {"Primary Phone", FieldOf<kLNPrimaryPhone>},
    {"Work Phone", FieldOf<kLNBusinessPhone>},
    {"Home Phone", FieldOf<kLNHomePhone>},
    {"Mobile Phone", FieldOf<kLNMobilePhone>},
    {"Work Fax", FieldOf<kLNBusinessFax>},
    {"Home Fax", FieldOf<kLNHomeFax>},
    {"Pager", FieldOf<kLNPager>},
    {"Work Email", FieldOf<kLNBusinessEmail>},
    {"Personal Email", FieldOf<kLNPersonalEmail>},
    {"Work Email 2", FieldOf<kLNBusinessEmail2>},
    {"Personal Email 2", FieldOf<kLNPersonalEmail2>},
};

const AddrRow kAddrMisc[] = {
    {"First Name", FieldOf<kLNFirstName>},
    {"Middle/Initial", FieldOf<kLNMiddleName>},
    {"Last Name", FieldOf<kLNLastName>},
    {"Suffix", FieldOf<kLNSuffix>},
    {"Department", FieldOf<kLNDepartment>},
    {"Location", FieldOf<kLNLocation>},
    {"Assistant Name", FieldOf<kLNAssistantName>},
    {"Manager Name", FieldOf<kLNManagerName>},
    {"Instant Messenger", FieldOf<kLNInstantMessenger>},
    {"Website", FieldOf<kLNWebSite>},
    {"Blog Site", FieldOf<kLNBlogSite>},
    {"Spouse", FieldOf<kLNSpouseName>},
    {"Children", FieldOf<kLNChildrensNames>},
    {"Category", Text<&LNAddrRec::Category>},
    {"Birthday", Date<&LNAddrRec::BirthDate>},
    {"Anniversary", Date<&LNAddrRec::Anniversary>},
};

// The address sub-tabs with the street field of each; the edits of a
// sub-tab are named after it.
struct AddressTab {
    const char* sub;
    int street;
};
const AddressTab kAddressTabs[] = {{"Work", kLNBusinessStreet}, {"Home", kLNHomeStreet}, {"Other", kLNOtherStreet}};

struct AddressPart {
    const char* prefix;
    int offset;
};
const AddressPart kAddressParts[] = {{"memStreet", kLNAddrStreet},
                                     {"edtCity", kLNAddrCity},
                                     {"edtState", kLNAddrState},
                                     {"edtPostal", kLNAddrPostal},
                                     {"edtCountry", kLNAddrCountry}};

void FillAddresses(DetailView& view, const LNAddrRec& rec) {
    for (const AddressTab& tab : kAddressTabs)
        for (const AddressPart& part : kAddressParts) {
            const char* text = CxLNAddrUtil::GetFieldText(rec, tab.street + part.offset);
            SetText(view, std::string(part.prefix) + tab.sub, text ? text : "");
        }
}

// A custom slot is there when it has a label or a value; its row shows the
// value after the label, and "[Empty]" for a slot without value.
void FillCustom(DetailView& view, const LNAddrRec& rec) {
    constexpr std::size_t kSlots = std::extent_v<decltype(LNAddrRec::CustomValue)>;
    for (std::size_t i = 0; i < kSlots; ++i) {
        const std::string label = FixedText(rec.CustomLabel[i]);
        std::string value = FixedText(rec.CustomValue[i]);
        if (label.empty() && value.empty()) continue;
        if (value.empty()) value = "[Empty]";
        AddRow(view, "lvCustom", std::to_string(i + 1), label.empty() ? value : label + ": " + value);
    }
}

// Calendar entries: the displayed start and end.
using DateRow = Entry<LNDateRec>;

std::string EndTimeOf(const LNDateRec& rec) {
    // An entry that ends on another day shows that day too.
    if (IsSet(rec.DisplayStart) && !SameDay(rec.DisplayStart, rec.DisplayEnd)) return DateTimeText(rec.DisplayEnd);
    return TimeText(rec.DisplayEnd);
}

const DateRow kDateGeneral[] = {
    {"edtDescription", Text<&LNDateRec::Subject>},
    {"edtDate", Date<&LNDateRec::DisplayStart>},
    {"edtStartTime", [](const LNDateRec& r) { return TimeText(r.DisplayStart); }},
    {"edtEndTime", EndTimeOf},
    {"edtLocation", Text<&LNDateRec::Location>},
    {"memNotes", Text<&LNDateRec::Body>},
};

// Notes keeps no all-day flag: an all-day entry runs from midnight to
// midnight, whole days apart. The record holds no alarm: "Alarm" stays
// unchecked.
bool AllDay(const LNDateRec& rec) {
    const auto midnight = [](double d) { return IsSet(d) && TimeText(d) == "00:00:00"; };
    return midnight(rec.DisplayStart) && midnight(rec.DisplayEnd) && rec.DisplayEnd > rec.DisplayStart;
}

const Entry<LNDateRec, bool> kDateChecks[] = {
    {"cbPrivate", [](const LNDateRec& r) { return r.Private != 0; }},
    {"cbAllDay", AllDay},
};

const DateRow kDateMisc[] = {
    {"Resources", Text<&LNDateRec::Resources>},
    {"Start Time Zone", Text<&LNDateRec::StartTimeZone>},
    {"End Time Zone", Text<&LNDateRec::EndTimeZone>},
};

// Notes' repeat units and the sub-tab each is shown on.
struct RepeatUnit {
    const char* unit;
    RepeatView view;
    bool monthlyByDate;
};
const RepeatUnit kRepeatUnits[] = {
    {"D", RepeatView::Daily, true},     {"W", RepeatView::Weekly, true}, {"MD", RepeatView::Monthly, true},
    {"MP", RepeatView::Monthly, false}, {"Y", RepeatView::Yearly, true},
};

DetailRecurrence RepeatOf(const LNDateRec& rec) {
    DetailRecurrence repeat;
    if (rec.Repeats[0] != '1') return repeat;
    const std::string unit = FixedText(rec.RepeatUnit);
    const auto found = std::find_if(std::begin(kRepeatUnits), std::end(kRepeatUnits),
                                    [&unit](const RepeatUnit& u) { return unit == u.unit; });
    if (found == std::end(kRepeatUnits)) return repeat;
    repeat.type = found->view;
    repeat.monthlyByDate = found->monthlyByDate;
    repeat.interval = DecimalOf(rec.RepeatInterval);
    // The weekdays of a weekly rule and of a monthly one on a weekday; a
    // monthly rule on a date holds the day of the month instead.
    if (unit == "W" || unit == "MP") repeat.dayMask = DecimalOf(rec.RepeatOn) & 0x7F;
    repeat.start = IsSet(rec.DisplayStart) ? rec.DisplayStart : rec.Start;
    repeat.end = rec.RepeatUntil;
    return repeat;
}

// To-dos.
using TaskRow = Entry<LNTaskRec>;

const TaskRow kTaskGeneral[] = {
    {"edtDescription", Text<&LNTaskRec::Subject>},
    {"edtPriority", [](const LNTaskRec& r) { return NativePriorityText(r.Priority); }},
    {"edtDueDate", Date<&LNTaskRec::DueDate>},
    {"edtCategory", Text<&LNTaskRec::Category>},
    {"memNotes", Text<&LNTaskRec::Body>},
};

// Done when completed by now, as the to-do reaches Outlook.
bool Completed(const LNTaskRec& rec) {
    return rec.CompletionDate > 0.0 && rec.CompletionDate <= CxDateTime().GetVariantTime();
}

const Entry<LNTaskRec, bool> kTaskChecks[] = {
    {"cbCompleted", Completed},
    {"cbPrivate", [](const LNTaskRec& r) { return r.Private != 0; }},
};

// The to-do's start (the date after the due date in the record) and its
// end, Notes' due date and time.
const TaskRow kTaskMisc[] = {
    {"Start Time", DateTime<&LNTaskRec::KeptDate>},
    {"End Time", DateTime<&LNTaskRec::DueDate>},
};

// Notebook documents: the fields after the body are the categories, the
// border colour and the diary, creation and edit dates.
using NoteRow = Entry<LNNoteRec>;

std::string BorderColorOf(const LNNoteRec& rec) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(rec.KeptValue));
    return buffer;
}

const NoteRow kNoteMisc[] = {
    {"Subject", Text<&LNNoteRec::Subject>},
    {"Categories", Text<&LNNoteRec::KeptText>},
    {"Border Color", BorderColorOf},
    {"Diary Date", [](const LNNoteRec& r) { return DateText(r.KeptDates[0]); }},
    {"Create Time", [](const LNNoteRec& r) { return DateTimeText(r.KeptDates[1]); }},
    {"Edit Time", [](const LNNoteRec& r) { return DateTimeText(r.KeptDates[2]); }},
};

const NoteRow kNoteTexts[] = {{"memNotes", Text<&LNNoteRec::Body>}};

}  // namespace

DetailView DescribeLNAddr(const void* native, AppAdapter&) {
    DetailView view = ContactLayout("Lotus Notes Contact Record Details",
                                    "View detail information of the Lotus Notes Contact record.");
    if (native == nullptr) return view;
    const auto& rec = *static_cast<const LNAddrRec*>(native);
    SetTexts(view, rec, kAddrHeader);
    AddRows(view, "lvPhone", rec, kAddrPhones);
    FillAddresses(view, rec);
    AddRows(view, "lvMisc", rec, kAddrMisc);
    SetText(view, "memNotes", FixedText(rec.Note));
    FillCustom(view, rec);
    return view;
}

DetailView DescribeLNDate(const void* native, AppAdapter&) {
    DetailView view = CalendarLayout("Lotus Notes Calendar Record Details",
                                     "View detail information of the Lotus Notes Calendar record.");
    if (native == nullptr) return view;
    const auto& rec = *static_cast<const LNDateRec*>(native);
    SetTexts(view, rec, kDateGeneral);
    SetChecks(view, rec, kDateChecks);
    AddRows(view, "lvMisc", rec, kDateMisc);
    SetRepeat(view, RepeatOf(rec));
    return view;
}

DetailView DescribeLNTask(const void* native, AppAdapter&) {
    DetailView view =
        TaskLayout("Lotus Notes Task Record Details", "View detail information of the Lotus Notes Task record.");
    if (native == nullptr) return view;
    const auto& rec = *static_cast<const LNTaskRec*>(native);
    SetTexts(view, rec, kTaskGeneral);
    SetChecks(view, rec, kTaskChecks);
    AddRows(view, "lvMisc", rec, kTaskMisc);
    return view;
}

DetailView DescribeLNNote(const void* native, AppAdapter&) {
    DetailView view = NoteLayout("Lotus Notes Notebook Record Details",
                                 "View detail information of the Lotus Notes Notebook record.");
    if (native == nullptr) return view;
    const auto& rec = *static_cast<const LNNoteRec*>(native);
    AddRows(view, "lvMisc", rec, kNoteMisc);
    SetTexts(view, rec, kNoteTexts);
    return view;
}

}  // namespace detail
