#include "platform/outlook/ItemData.h"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/text/AsciiCase.h"
#include "platform/text/TextCopy.h"

namespace platform::outlook {

namespace {

constexpr PropType T = PropType::Text;
constexpr PropType I = PropType::Int;
constexpr PropType B = PropType::Bool;
constexpr PropType D = PropType::Date;

const std::vector<PropDef> kContact = {
    {"EntryID", T, true},
    {"Account", T, false},
    {"Anniversary", D, false},
    {"AssistantName", T, false},
    {"AssistantTelephoneNumber", T, false},
    {"Birthday", D, false},
    {"Business2TelephoneNumber", T, false},
    {"BusinessAddressCity", T, false},
    {"BusinessAddressCountry", T, false},
    {"BusinessAddressPostalCode", T, false},
    {"BusinessAddressPostOfficeBox", T, false},
    {"BusinessAddressState", T, false},
    {"BusinessAddressStreet", T, false},
    {"BusinessFaxNumber", T, false},
    {"BusinessHomePage", T, false},
    {"BusinessTelephoneNumber", T, false},
    {"CallbackTelephoneNumber", T, false},
    {"CarTelephoneNumber", T, false},
    {"CompanyMainTelephoneNumber", T, false},
    {"CompanyName", T, false},
    {"ComputerNetworkName", T, false},
    {"CustomerID", T, false},
    {"Department", T, false},
    {"Email1Address", T, false},
    {"Email1AddressType", T, false},
    {"Email1DisplayName", T, false},
    {"Email2Address", T, false},
    {"Email2AddressType", T, false},
    {"Email2DisplayName", T, false},
    {"Email3Address", T, false},
    {"Email3AddressType", T, false},
    {"Email3DisplayName", T, false},
    {"FirstName", T, false},
    {"FTPSite", T, false},
    {"FullName", T, false},
    {"Gender", I, false},
    {"Title", T, false},
    {"Suffix", T, false},
    {"Hobby", T, false},
    {"Home2TelephoneNumber", T, false},
    {"HomeAddressCity", T, false},
    {"HomeAddressCountry", T, false},
    {"HomeAddressPostalCode", T, false},
    {"HomeAddressPostOfficeBox", T, false},
    {"HomeAddressState", T, false},
    {"HomeAddressStreet", T, false},
    {"HomeFaxNumber", T, false},
    {"HomeTelephoneNumber", T, false},
    {"IMAddress", T, false},
    {"Initials", T, false},
    {"ISDNNumber", T, false},
    {"JobTitle", T, false},
    {"Language", T, false},
    {"LastName", T, false},
    {"MailingAddressCity", T, false},
    {"MailingAddressCountry", T, false},
    {"MailingAddressPostalCode", T, false},
    {"MailingAddressPostOfficeBox", T, false},
    {"MailingAddressState", T, false},
    {"MailingAddressStreet", T, false},
    {"ManagerName", T, false},
    {"MiddleName", T, false},
    {"MobileTelephoneNumber", T, false},
    {"NickName", T, false},
    {"OtherAddressCity", T, false},
    {"OtherAddressCountry", T, false},
    {"OtherAddressPostalCode", T, false},
    {"OtherAddressPostOfficeBox", T, false},
    {"OtherAddressState", T, false},
    {"OtherAddressStreet", T, false},
    {"OtherTelephoneNumber", T, false},
    {"PagerNumber", T, false},
    {"PersonalHomePage", T, false},
    {"PrimaryTelephoneNumber", T, false},
    {"Profession", T, false},
    {"RadioTelephoneNumber", T, false},
    {"Spouse", T, false},
    {"WebPage", T, false},
    {"Body", T, false},
    {"Categories", T, false},
    {"CreationTime", D, true},
    {"LastModificationTime", D, true},
};

const std::vector<PropDef> kAppointment = {
    {"EntryID", T, true},
    {"AllDayEvent", B, false},
    {"Duration", I, false},
    {"End", D, false},
    {"Start", D, false},
    {"ReminderSet", B, false},
    {"ReminderMinutesBeforeStart", I, false},
    {"ReminderTime", D, false},
    {"Subject", T, false},
    {"Body", T, false},
    {"Location", T, false},
    {"Categories", T, false},
    {"IsRecurring", B, true},
    {"CreationTime", D, true},
    {"LastModificationTime", D, true},
};

const std::vector<PropDef> kTask = {
    {"EntryID", T, true},
    {"Body", T, false},
    {"CardData", T, false},
    {"Complete", B, false},
    {"DueDate", D, false},
    {"Importance", I, false},
    {"IsRecurring", B, true},
    {"Mileage", T, false},
    {"Ordinal", I, false},
    {"PercentComplete", I, false},
    {"ReminderOverrideDefault", B, false},
    {"ReminderPlaySound", B, false},
    {"ReminderSet", B, false},
    {"ReminderSoundFile", T, false},
    {"ReminderTime", D, false},
    {"ResponseState", I, false},
    {"Role", T, false},
    {"Sensitivity", I, false},
    {"StartDate", D, false},
    {"Status", I, false},
    {"Subject", T, false},
    {"TeamTask", B, false},
    {"TotalWork", I, false},
    {"Categories", T, false},
    {"CreationTime", D, true},
    {"LastModificationTime", D, true},
};

const std::vector<PropDef> kNote = {
    {"EntryID", T, true},     {"Subject", T, true},      {"Body", T, false},
    {"Categories", T, false}, {"CreationTime", D, true}, {"LastModificationTime", D, true},
    {"Saved", B, true},       {"Color", I, false},
};

const std::string kEmpty;

}  // namespace

const std::vector<PropDef>& Schema(ItemKind kind) {
    switch (kind) {
    case ItemKind::Contact: return kContact;
    case ItemKind::Appointment: return kAppointment;
    case ItemKind::Task: return kTask;
    case ItemKind::Note: break;
    }
    return kNote;
}

const PropValue& PropValues::Empty() {
    static const PropValue empty;
    return empty;
}

int FindProp(ItemKind kind, std::string_view name) {
    // Each kind's names by their length: a name is compared only with the
    // few of its own length whose last letter it has, without hashing or
    // copying it.
    constexpr std::size_t kLongest = 48;
    struct Known {
        std::string_view name;
        char last;  // lower case
        int index;
    };
    using ByLength = std::array<std::vector<Known>, kLongest + 1>;
    static const auto tables = [] {
        std::array<ByLength, 4> t;
        for (int k = 0; k < 4; ++k) {
            const auto& schema = Schema(static_cast<ItemKind>(k));
            for (std::size_t i = 0; i < schema.size(); ++i) {
                const std::string_view n = schema[i].name;
                if (!n.empty() && n.size() <= kLongest)
                    t[k][n.size()].push_back({n, ToLowerAscii(n.back()), static_cast<int>(i)});
            }
        }
        return t;
    }();
    if (name.empty() || name.size() > kLongest) return -1;
    const char last = ToLowerAscii(name.back());
    for (const Known& known : tables[static_cast<std::size_t>(kind)][name.size()])
        if (known.last == last && EqualsNoCase(known.name, name)) return known.index;
    return -1;
}

ItemData::ItemData(ItemKind k) : kind(k), props(Schema(k).size()) {
    if (k == ItemKind::Task) SetInt("Importance", olImportanceNormal);
    if (k == ItemKind::Note) SetInt("Color", olYellow);
}

const std::string& ItemData::Text(std::string_view name) const {
    const int i = FindProp(kind, name);
    return i < 0 ? kEmpty : At(i).s;
}

std::int32_t ItemData::Int(std::string_view name) const {
    const int i = FindProp(kind, name);
    return i < 0 ? 0 : At(i).i;
}

double ItemData::Date(std::string_view name) const {
    const int i = FindProp(kind, name);
    return i < 0 ? 0.0 : At(i).d;
}

void ItemData::SetText(std::string_view name, std::string value) {
    if (const int i = FindProp(kind, name); i >= 0) At(i).s = std::move(value);
}

void ItemData::SetInt(std::string_view name, std::int32_t value) {
    if (const int i = FindProp(kind, name); i >= 0) At(i).i = value;
}

void ItemData::SetDate(std::string_view name, double value) {
    if (const int i = FindProp(kind, name); i >= 0) At(i).d = NormalizeDate(value);
}

double NormalizeDate(double date) {
    if (!(std::fabs(date) >= 0.00001) || date >= kNoDate) return 0.0;
    SYSTEMTIME st{};
    double out = 0.0;
    if (!VariantTimeToSystemTime(date, st) || !SystemTimeToVariantTime(st, out)) return 0.0;
    return out;
}

std::string NoteSubject(std::string_view body) {
    const std::size_t end = body.find_first_of("\r\n");
    std::string_view line = body.substr(0, end);
    return std::string(line.substr(0, Utf8PrefixLength(line, 255)));
}

}  // namespace platform::outlook
