// The Palm Desktop contact window: fixed edits in place of the family's
// lists, one table of rows per generation of the address book.
#include <string>
#include <vector>

#include "app/AppAdapter.h"
#include "app/wizard/DetailLayouts.h"
#include "app/wizard/DetailSources.h"
#include "app/wizard/PalmDetailTexts.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmRecordEntry.h"

namespace detail {
namespace {

using palm::Text;

// One edit of the window: the tab it is on, its name, label and text.
struct Row {
    const char* tab;
    std::string name;
    std::string label;
    std::string text;
};

constexpr const char* kGeneral = "tGeneral";
constexpr const char* kOnline = "tOnline";
constexpr const char* kCustom = "tCustom";

// The custom labels of the file the record came from: the address book
// keeps its own (four in the earlier format, nine in the 4.1.4 format; a
// 6.x database none). A label the file leaves empty reads "Custom n".
std::vector<std::string> CustomLabels(int generation, AppAdapter& adapter, int count) {
    auto* holder = dynamic_cast<AppAdapterOf<PmAddrInfo>*>(&adapter);
    std::vector<std::string> labels;
    for (int i = 0; i < count; ++i) {
        std::string label;
        if (holder != nullptr && generation == kPmGenEarly)
            label = holder->Object().GetEarlyReader().GetCustomLabel(i);
        else if (holder != nullptr && generation == kPmGenEx)
            label = holder->Object().GetExReader().GetCustomLabel(i);
        labels.push_back(label.empty() ? "Custom " + std::to_string(i + 1) : label);
    }
    return labels;
}

std::string Joined(const std::string& first, const std::string& last) {
    if (first.empty() || last.empty()) return first + last;
    return first + " " + last;
}

// The phone slots with their labels, and "Primary Contact:" naming the label
// of the slot shown in the contact list.
template <std::size_t N, std::size_t Size>
void Phones(std::vector<Row>& rows, const char (&phones)[N][Size], const std::int32_t (&labels)[N],
            std::int32_t primary) {
    for (std::size_t i = 0; i < N; ++i)
        rows.push_back({kGeneral, "edtPhone" + std::to_string(i + 1), std::string(PmPhoneLabelText(labels[i])) + ":",
                        Text(phones[i])});
    const bool known = primary >= 0 && static_cast<std::size_t>(primary) < N;
    rows.push_back({kGeneral, "edtPrimary", "Primary Contact:", known ? PmPhoneLabelText(labels[primary]) : ""});
}

// "AIM:", "MSN:", ... by the instant-messaging label code.
std::string ImLabel(std::int32_t code) {
    const char* const kLabels[] = {"IM", "AIM", "MSN", "Yahoo", "AOL", "IM"};
    return std::string(code >= 0 && code <= 5 ? kLabels[code] : kLabels[0]) + ":";
}

template <std::size_t N, std::size_t Size>
void Customs(std::vector<Row>& rows, const char (&values)[N][Size], const std::vector<std::string>& labels) {
    for (std::size_t i = 0; i < N && i < labels.size(); ++i)
        rows.push_back({kCustom, "edtCustom" + std::to_string(i + 1), labels[i] + ":", Text(values[i])});
}

void Address(DetailView& view, const char* sub, const PmAddress& a) {
    const std::string s = sub;
    SetText(view, "memStreet" + s, Text(a.Street));
    SetText(view, "edtCity" + s, Text(a.City));
    SetText(view, "edtState" + s, Text(a.State));
    SetText(view, "edtPostal" + s, Text(a.ZipCode));
    SetText(view, "edtCountry" + s, Text(a.Country));
}

std::string PackedDate(DATE date) { return DateText(date); }

// The name rows of the two address book formats.
template <class Rec>
std::vector<Row> NameRows(const Rec& r) {
    return {
        {kGeneral, "edtFirstName", "First Name:", Text(r.FirstName)},
        {kGeneral, "edtLastName", "Last Name:", Text(r.LastName)},
        {kGeneral, "edtEnglishName", "English Name:", Joined(Text(r.FirstName), Text(r.LastName))},
        {kGeneral, "edtCompany", "Company:", Text(r.Company)},
        {kGeneral, "edtTitle", "Job Title:", Text(r.Title)},
    };
}

// The earlier format: five phones, one address, four custom fields.
std::vector<Row> EarlyRows(const PmAddrRec& r, DetailView& view, AppAdapter& adapter) {
    std::vector<Row> rows = NameRows(r);
    Phones(rows, r.Phone, r.PhoneLabel, r.PrimaryContact);
    rows.push_back({kGeneral, "edtCategory", "Category:", palm::Category(r.CategoryID, r.CategoryName)});
    Customs(rows, r.Custom, CustomLabels(kPmGenEarly, adapter, 4));
    SetText(view, "memStreetWork", Text(r.Street));
    SetText(view, "edtCityWork", Text(r.City));
    SetText(view, "edtStateWork", Text(r.State));
    SetText(view, "edtPostalWork", Text(r.ZipCode));
    SetText(view, "edtCountryWork", Text(r.Country));
    SetText(view, "memNotes", Text(r.Note));
    return rows;
}

// The 4.1.4 format.
std::vector<Row> ExRows(const PmAddrExRec& r, DetailView& view, AppAdapter& adapter) {
    std::vector<Row> rows = NameRows(r);
    Phones(rows, r.Phone, r.PhoneLabel, r.PrimaryContact);
    rows.push_back({kGeneral, "edtBirthday", "Birthday:", PackedDate(PmPackedDateToOle(r.Birthday))});
    rows.push_back({kGeneral, "edtCategory", "Category:", palm::Category(r.CategoryID, r.CategoryName)});
    rows.push_back({kOnline, "edtIm1", ImLabel(r.ImLabel[0]), Text(r.Im[0])});
    rows.push_back({kOnline, "edtIm2", ImLabel(r.ImLabel[1]), Text(r.Im[1])});
    rows.push_back({kOnline, "edtUrl", "URL:", Text(r.HomePage)});
    Customs(rows, r.Custom, CustomLabels(kPmGenEx, adapter, 9));
    Address(view, "Work", r.WorkAddress);
    Address(view, "Home", r.HomeAddress);
    Address(view, "Other", r.OtherAddress);
    SetText(view, "memNotes", Text(r.Note));
    return rows;
}

// The 6.x database: its own name parts and e-mail columns, and fourteen
// custom fields without labels of their own.
std::vector<Row> Ex2Rows(const PmAddrEx2Rec& r, DetailView& view, AppAdapter& adapter) {
    const std::string english = Text(r.EnglishName);
    std::vector<Row> rows = {
        {kGeneral, "edtPrefix", "Prefix:", Text(r.Prefix)},
        {kGeneral, "edtFirstName", "First Name:", Text(r.FirstName)},
        {kGeneral, "edtMiddleName", "Middle Name:", Text(r.MiddleName)},
        {kGeneral, "edtLastName", "Last Name:", Text(r.LastName)},
        {kGeneral, "edtSuffix", "Suffix:", Text(r.Suffix)},
        {kGeneral, "edtNickName", "Nick Name:", Text(r.NickName)},
        {kGeneral, "edtEnglishName",
         "English Name:", english.empty() ? Joined(Text(r.FirstName), Text(r.LastName)) : english},
        {kGeneral, "edtCompany", "Company:", Text(r.Company)},
        {kGeneral, "edtTitle", "Job Title:", Text(r.JobTitle)},
        {kGeneral, "edtProfession", "Profession:", Text(r.Profession)},
        {kGeneral, "edtAssistant", "Assistant Name:", Text(r.AssistantName)},
        {kGeneral, "edtAssistantPhone", "Assistant Phone:", Text(r.AssistantPhone)},
    };
    Phones(rows, r.Phone, r.PhoneLabel, r.PrimaryContact);
    const std::vector<Row> more = {
        {kGeneral, "edtOtherFax", "Other Fax:", Text(r.OtherFax)},
        {kGeneral, "edtOtherMobile", "Other Mobile:", Text(r.OtherMobile)},
        {kGeneral, "edtPager", "Pager:", Text(r.Pager)},
        {kGeneral, "edtBirthday", "Birthday:", PackedDate(PmPackedDateToOle(static_cast<std::uint32_t>(r.Birthday)))},
        {kGeneral, "edtAnniversary",
         "Anniversary:", PackedDate(PmPackedDateToOle(static_cast<std::uint32_t>(r.Anniversary)))},
        {kGeneral, "edtCategory", "Category:", palm::Category(r.CategoryID, r.CategoryName)},
        {kGeneral, "edtPrivate", "Private:", YesNo(r.Private != 0)},
        {kOnline, "edtWorkEmail", "Work E-mail:", Text(r.WorkEmail)},
        {kOnline, "edtEmail1", "E-mail 1:", Text(r.Email[0])},
        {kOnline, "edtEmail2", "E-mail 2:", Text(r.Email[1])},
        {kOnline, "edtEmail3", "E-mail 3:", Text(r.Email[2])},
        {kOnline, "edtIm1", ImLabel(r.ChatLabelID[0]), Text(r.Chat[0])},
        {kOnline, "edtIm2", ImLabel(r.ChatLabelID[1]), Text(r.Chat[1])},
        {kOnline, "edtUrl", "URL:", Text(r.Website)},
    };
    rows.insert(rows.end(), more.begin(), more.end());
    Customs(rows, r.Custom, CustomLabels(kPmGenEx2, adapter, 14));
    Address(view, "Work", r.WorkAddress);
    Address(view, "Home", r.HomeAddress);
    Address(view, "Other", r.OtherAddress);
    SetText(view, "memNotes", Text(r.Note));
    return rows;
}

DetailTab EditTab(const char* name, const char* caption) {
    DetailTab tab;
    tab.name = name;
    tab.caption = caption;
    return tab;
}

// The family's contact layout with the lists replaced by tabs of edits:
// "General Information", "Addresses", "Online Presense", "Custom Fields",
// "Notes".
DetailView PalmContactLayout() {
    DetailView family = ContactLayout("View Palm Desktop Contact Record Details",
                                      "View detail information of the Palm Desktop Contact record.");
    DetailView view;
    view.title = family.title;
    view.heading = family.heading;
    view.tabs.push_back(EditTab(kGeneral, "General Information"));
    view.tabs.push_back(*FindTab(family, "tAddresses"));
    view.tabs.push_back(EditTab(kOnline, "Online Presense"));
    view.tabs.push_back(EditTab(kCustom, "Custom Fields"));
    view.tabs.push_back(*FindTab(family, "tNotes"));
    return view;
}

}  // namespace

DetailView DescribePDAddr(const void* native, AppAdapter& adapter) {
    DetailView view = PalmContactLayout();
    if (native == nullptr) return view;
    const auto& e = *static_cast<const PmAddrEntry*>(native);
    std::vector<Row> rows;
    switch (e.Generation) {
    case kPmGenEarly:
        rows = EarlyRows(e.Record.Early, view, adapter);
        // One address, on the first address tab; no online tab.
        FindTab(view, "tWork")->caption = "Address";
        ShowTab(view, "tHome", false);
        ShowTab(view, "tOther", false);
        ShowTab(view, kOnline, false);
        break;
    case kPmGenEx: rows = ExRows(e.Record.Ex, view, adapter); break;
    case kPmGenEx2: rows = Ex2Rows(e.Record.Ex2, view, adapter); break;
    default: return view;
    }
    for (Row& row : rows)
        if (DetailTab* tab = FindTab(view, row.tab))
            tab->edits.push_back({std::move(row.name), std::move(row.label), std::move(row.text), false});
    return view;
}

}  // namespace detail
