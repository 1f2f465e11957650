#include "helpers/lotus/DxlRecords.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "common/lotus/CxLNAddrFields.h"
#include "common/misc/CxDebugUtil.h"

namespace lotus_helper {

namespace {

bool FormIs(std::string_view form, std::initializer_list<std::string_view> names) {
    const std::string lower = DxlLower(form);
    return std::find(names.begin(), names.end(), lower) != names.end();
}

// The first item of the names that has a value.
std::string FirstOf(const DxlDocument& doc, std::initializer_list<std::string_view> names, bool lines = false) {
    for (std::string_view name : names) {
        std::string value = lines ? doc.Lines(name) : doc.Text(name);
        if (!value.empty()) return value;
    }
    return {};
}

// "CN=Anna Berg/OU=Sales/O=Acme" as Notes shows it: "Anna Berg/Sales/Acme".
std::string Abbreviated(const std::string& name) {
    if (name.size() < 3 || DxlLower(name.substr(0, 3)) != "cn=") return name;
    std::string out;
    std::size_t from = 0;
    while (from <= name.size()) {
        std::size_t to = name.find('/', from);
        if (to == std::string::npos) to = name.size();
        std::string part = name.substr(from, to - from);
        const std::size_t eq = part.find('=');
        if (eq != std::string::npos && eq <= 2) part.erase(0, eq + 1);
        if (!out.empty()) out += '/';
        out += part;
        from = to + 1;
    }
    return out;
}

// The distinct addresses of the items, in order.
std::vector<std::string> Addresses(const DxlDocument& doc, std::initializer_list<std::string_view> names,
                                   std::vector<std::string>& seen) {
    std::vector<std::string> out;
    for (std::string_view name : names)
        for (const std::string& a : doc.List(name)) {
            const std::string key = DxlLower(a);
            if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
            seen.push_back(key);
            out.push_back(a);
        }
    return out;
}

// The catalogue texts that come from one item each (the first of the
// names that has a value). Street items are multi-line values.
struct ItemField {
    int id;
    std::string_view names[3];
    bool lines = false;
};

constexpr int Part(int street, int part) { return street + part; }

const ItemField kContactItems[] = {
    {kLNFirstName, {"FirstName"}},
    {kLNMiddleName, {"MiddleInitial", "MiddleName"}},
    {kLNLastName, {"LastName"}},
    {kLNSuffix, {"Suffix"}},
    {kLNCompanyName, {"CompanyName", "Company"}},
    {kLNDepartment, {"Department"}},
    {kLNJobTitle, {"JobTitle"}},
    {kLNLocation, {"Location"}},
    {kLNAssistantName, {"Assistant", "AssistantName"}},
    {kLNManagerName, {"Manager", "ManagerName"}},
    {Part(kLNBusinessStreet, kLNAddrStreet), {"OfficeStreetAddress"}, true},
    {Part(kLNBusinessStreet, kLNAddrCity), {"OfficeCity"}},
    {Part(kLNBusinessStreet, kLNAddrState), {"OfficeState"}},
    {Part(kLNBusinessStreet, kLNAddrCountry), {"OfficeCountry"}},
    {Part(kLNBusinessStreet, kLNAddrPostal), {"OfficeZIP"}},
    {Part(kLNHomeStreet, kLNAddrStreet), {"StreetAddress", "HomeStreetAddress"}, true},
    {Part(kLNHomeStreet, kLNAddrCity), {"City", "HomeCity"}},
    {Part(kLNHomeStreet, kLNAddrState), {"State", "HomeState"}},
    {Part(kLNHomeStreet, kLNAddrCountry), {"Country", "HomeCountry"}},
    {Part(kLNHomeStreet, kLNAddrPostal), {"Zip", "HomeZip"}},
    {Part(kLNOtherStreet, kLNAddrStreet), {"OtherStreetAddress"}, true},
    {Part(kLNOtherStreet, kLNAddrCity), {"OtherCity"}},
    {Part(kLNOtherStreet, kLNAddrState), {"OtherState"}},
    {Part(kLNOtherStreet, kLNAddrCountry), {"OtherCountry"}},
    {Part(kLNOtherStreet, kLNAddrPostal), {"OtherZip"}},
    {kLNPrimaryPhone, {"PrimaryPhoneNumber", "PrimaryPhone"}},
    {kLNBusinessPhone, {"OfficePhoneNumber"}},
    {kLNHomePhone, {"PhoneNumber", "HomePhoneNumber"}},
    {kLNMobilePhone, {"CellPhoneNumber"}},
    {kLNBusinessFax, {"OfficeFAXPhoneNumber"}},
    {kLNHomeFax, {"HomeFAXPhoneNumber"}},
    {kLNPager, {"PagerNumber", "Pager"}},
    {kLNInstantMessenger, {"InstantMessagingAddress", "IMAddress"}},
    {kLNWebSite, {"WebSite"}},
    {kLNBlogSite, {"BlogURL", "Blog", "PersonalWebSite"}},
    {kLNSpouseName, {"Spouse"}},
    {kLNChildrensNames, {"Children"}},
};

}  // namespace

bool DxlRecordMaker::Wants(LnKind kind, std::string_view form) {
    switch (kind) {
    case LnKind::Contacts: return FormIs(form, {"person", "contact"});
    case LnKind::Calendar: return FormIs(form, {"appointment"});
    case LnKind::Tasks: return FormIs(form, {"task"});
    case LnKind::Notebook: return FormIs(form, {"document"});
    }
    return false;
}

bool DxlRecordMaker::Add(const DxlDocument& doc) {
    if (!Wants(m_kind, doc.form)) return true;
    switch (m_kind) {
    case LnKind::Contacts:
        // A person document of the Domino Directory can stand for a group
        // only by its Type item; groups have a form of their own.
        if (DxlLower(doc.First("Type")) == "group") return true;
        return m_sink.Contact(ContactOf(doc));
    case LnKind::Calendar: return AddEntry(doc);
    case LnKind::Tasks: return m_sink.Todo(TodoOf(doc));
    case LnKind::Notebook: return m_sink.Document(NotebookDocumentOf(doc));
    }
    return true;
}

bool DxlRecordMaker::AddEntry(const DxlDocument& doc) {
    const std::string parent = doc.First("$REF");
    if (!parent.empty()) {
        // An instance document of a series: its parent stands for it.
        if (m_seriesParents.count(parent)) return true;
        for (LnEntry& e : EntriesOf(doc)) m_orphans.emplace_back(parent, std::move(e));
        return true;
    }
    if (!doc.unid.empty()) m_seriesParents.insert(doc.unid);
    for (const LnEntry& e : EntriesOf(doc))
        if (!m_sink.Entry(e)) return false;
    return true;
}

bool DxlRecordMaker::Finish() {
    for (const auto& [parent, entry] : m_orphans) {
        if (m_seriesParents.count(parent)) continue;
        CX_LOG(kLogDetail, "The calendar entry %s is one date of a series whose first entry is not in the export.",
               entry.id.c_str());
        if (!m_sink.Entry(entry)) return false;
    }
    m_orphans.clear();
    return true;
}

LnContact ContactOf(const DxlDocument& doc) {
    LnContact c;
    auto set = [&c](int id, std::string value) {
        if (!value.empty()) c.text[id] = std::move(value);
    };
    set(kLNID, doc.unid);
    for (const ItemField& f : kContactItems)
        for (std::string_view name : f.names) {
            if (name.empty() || c.text.count(f.id)) continue;
            set(f.id, f.lines ? doc.Lines(name) : doc.Text(name));
        }
    set(kLNDisplayName, Abbreviated(doc.First("FullName")));
    // Business, personal and other addresses: the first business and
    // personal ones in their own fields, the second ones also in Notes'
    // second fields. The program carries neither second field, so every
    // further address goes on: the first into the third e-mail text, the
    // rest among the record's custom values, and past those into the note.
    std::vector<std::string> seen;
    const auto business = Addresses(doc, {"MailAddress", "InternetAddress"}, seen);
    const auto personal = Addresses(doc, {"PersonalEmail", "HomeEmail", "HomeMailAddress"}, seen);
    const auto other = Addresses(doc, {"OtherEmail", "OtherMailAddress"}, seen);
    if (!business.empty()) set(kLNBusinessEmail, business[0]);
    if (!personal.empty()) set(kLNPersonalEmail, personal[0]);
    if (business.size() > 1) set(kLNBusinessEmail2, business[1]);
    if (personal.size() > 1) set(kLNPersonalEmail2, personal[1]);
    std::vector<std::pair<const char*, std::string>> spare;
    for (const std::string& a : other) spare.emplace_back("Email", a);
    for (std::size_t i = 1; i < business.size(); ++i) spare.emplace_back("Business Email", business[i]);
    for (std::size_t i = 1; i < personal.size(); ++i) spare.emplace_back("Personal Email", personal[i]);
    std::vector<std::string> overflow;
    std::size_t customs = 0;
    for (std::size_t i = 0; i < spare.size(); ++i) {
        const auto& [label, address] = spare[i];
        if (i == 0) {
            set(kLNAssistantPhone, address);
        } else if (customs < c.customValue.size()) {
            c.customLabel[customs] = label;
            c.customValue[customs++] = address;
        } else {
            overflow.push_back(std::string(label) + ": " + address);
        }
    }
    c.note = FirstOf(doc, {"Comment", "Comments"}, true);
    for (const std::string& line : overflow) c.note += (c.note.empty() ? "" : "\r\n") + line;
    c.category = doc.Text("Categories");
    c.birthDate = LocalDayOf(doc, "Birthday").value_or(0.0);
    c.anniversary = LocalDayOf(doc, "Anniversary").value_or(0.0);
    return c;
}

LnTodo TodoOf(const DxlDocument& doc) {
    LnTodo t;
    t.id = doc.unid;
    t.subject = doc.Text("Subject");
    t.body = doc.Lines("Body");
    t.category = doc.Text("Categories");
    const std::string priority = doc.First("Priority");
    t.priority = priority == "1" ? 0 : priority == "3" ? 2 : 1;
    t.isPrivate = doc.First("OrgConfidential") == "1";
    for (std::string_view name : {"DueDateTime", "EndDateTime", "DueDate"})
        if (auto due = LocalTimeOf(doc, name)) {
            t.due = *due;
            break;
        }
    for (std::string_view name : {"StartDateTime", "StartDate"})
        if (auto start = LocalTimeOf(doc, name)) {
            t.keptDate = *start;  // the to-do's start, which the detail window shows
            break;
        }
    t.completed = LocalTimeOf(doc, "CompletedDateTime").value_or(0.0);
    return t;
}

LnDocument NotebookDocumentOf(const DxlDocument& doc) {
    LnDocument d;
    d.id = doc.unid;
    d.subject = doc.Text("Subject");
    d.body = doc.Lines("Body");
    // What the detail window shows besides: the categories and the times
    // the document was created and last changed.
    d.kept = doc.Text("Categories");
    d.keptDates[1] = LocalTimeOf(doc, kDxlCreatedItem).value_or(0.0);
    d.keptDates[2] = LocalTimeOf(doc, kDxlModifiedItem).value_or(0.0);
    return d;
}

}  // namespace lotus_helper
