#include "platform/outlook/OutlookObjects.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/automation/Utf16.h"
#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/ItemCalendar.h"
#include "platform/outlook/OutlookDispIds.h"
#include "platform/outlook/OutlookEnums.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/text/AsciiCase.h"

namespace platform::outlook {

namespace {

using Names = std::initializer_list<std::pair<std::u16string_view, DISPID>>;

DISPID Lookup(std::u16string_view folded, Names names) {
    for (const auto& [name, id] : names)
        if (name == folded) return id;
    return DISPID_UNKNOWN;
}

// Hands a new object (holding one reference) to the caller's result.
HRESULT Return(VARIANT* result, DispatchObject* object) {
    if (result == nullptr) {
        object->Release();
        return S_OK;
    }
    VariantClear(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
}

HRESULT ReturnNothing(VARIANT* result) {
    if (result) {
        VariantClear(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = nullptr;
    }
    return S_OK;
}

bool IsGet(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }
bool IsPut(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }

bool ToDate(const VARIANT& v, double& out) {
    if (v.vt == VT_DATE || v.vt == VT_R8) {
        out = v.dblVal;
        return std::isfinite(out);
    }
    std::int32_t i = 0;
    if (VariantToInt(v, i)) {
        out = i;
        return true;
    }
    return false;
}

OlItemType ItemType(ItemKind kind) {
    switch (kind) {
    case ItemKind::Appointment: return olAppointmentItem;
    case ItemKind::Contact: return olContactItem;
    case ItemKind::Task: return olTaskItem;
    case ItemKind::Note: break;
    }
    return olNoteItem;
}

OlObjectClass ObjectClass(ItemKind kind) {
    switch (kind) {
    case ItemKind::Appointment: return olAppointment;
    case ItemKind::Contact: return olContact;
    case ItemKind::Task: return olTask;
    case ItemKind::Note: break;
    }
    return olNote;
}

bool KnownRecurrenceType(std::int32_t type) {
    switch (type) {
    case olRecursDaily:
    case olRecursWeekly:
    case olRecursMonthly:
    case olRecursMonthNth:
    case olRecursYearly:
    case olRecursYearNth: return true;
    default: return false;
    }
}

int WeekdayBit(double date) {
    SYSTEMTIME st{};
    return date != 0.0 && VariantTimeToSystemTime(date, st) ? olSunday << st.wDayOfWeek : 0;
}

bool SameValue(const PropValue& a, const PropValue& b) { return a.s == b.s && a.i == b.i && a.d == b.d; }

// True when saving `working` over `stored` would change nothing that the
// item shows: its properties (Outlook's own derived values settled), its
// pattern and its user-defined properties.
bool SameValues(const ItemData& working, const ItemData& stored) {
    ItemData a = working, b = stored;
    SettleDerivedValues(a);
    SettleDerivedValues(b);
    const auto& schema = Schema(a.kind);
    for (std::size_t i = 0; i < schema.size(); ++i) {
        if (std::string_view(schema[i].name) == "LastModificationTime") continue;
        if (!SameValue(a.props[i], b.props[i])) return false;
    }
    if (a.recurring != b.recurring) return false;
    if (a.recurring && !SamePattern(a.recurrence, b.recurrence)) return false;
    if (a.userProps.size() != b.userProps.size()) return false;
    for (std::size_t i = 0; i < a.userProps.size(); ++i) {
        const UserProperty& x = a.userProps[i];
        const UserProperty& y = b.userProps[i];
        if (x.name != y.name || x.type != y.type || x.text != y.text || x.number != y.number) return false;
    }
    return true;
}

}  // namespace

// ---- application ----

HRESULT OutlookApplication::QueryInterface(REFIID iid, void** out) {
    if (out != nullptr && iid == IID_IRunnableObject) {
        *out = static_cast<IRunnableObject*>(this);
        AddRef();
        return S_OK;
    }
    return DispatchObject::QueryInterface(iid, out);
}

HRESULT OutlookApplication::Run() {
    if (!m_store) m_store = Store::Get(m_root.empty() ? Store::DefaultRoot() : m_root);
    return m_store ? S_OK : E_FAIL;
}

DISPID OutlookApplication::FindMember(std::u16string_view n) const {
    return Lookup(n, {{u"getnamespace", ApplicationId::GetNamespace},
                      {u"session", ApplicationId::Session},
                      {u"name", ApplicationId::Name},
                      {u"version", ApplicationId::Version}});
}

HRESULT OutlookApplication::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case ApplicationId::GetNamespace: {
        std::u16string type;
        if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
        if (FAILED(args.GetString(0, type))) return DISP_E_TYPEMISMATCH;
        if (FoldName(type) != u"mapi") return E_INVALIDARG;
        [[fallthrough]];
    }
    case ApplicationId::Session:
        if (FAILED(Run())) return E_FAIL;
        return Return(result, new OutlookNameSpace(m_store));
    case ApplicationId::Name:
        if (result) *result = VARIANT::Bstr(u"Outlook");
        return S_OK;
    case ApplicationId::Version:
        if (result) *result = VARIANT::Bstr(u"16.0.0.0");
        return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

// ---- name space ----

DISPID OutlookNameSpace::FindMember(std::u16string_view n) const {
    return Lookup(n, {{u"getdefaultfolder", NameSpaceId::GetDefaultFolder}, {u"type", NameSpaceId::Type}});
}

HRESULT OutlookNameSpace::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    if (id == NameSpaceId::Type) {
        if (result) *result = VARIANT::Bstr(u"MAPI");
        return S_OK;
    }
    if (id != NameSpaceId::GetDefaultFolder) return DISP_E_MEMBERNOTFOUND;
    std::int32_t number = 0;
    if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
    if (FAILED(args.GetInt(0, number))) return DISP_E_TYPEMISMATCH;
    ItemKind kind;
    switch (number) {
    case olFolderCalendar: kind = ItemKind::Appointment; break;
    case olFolderContacts: kind = ItemKind::Contact; break;
    case olFolderNotes: kind = ItemKind::Note; break;
    case olFolderTasks: kind = ItemKind::Task; break;
    default: return E_INVALIDARG;
    }
    return Return(result, new OutlookFolder(m_store, kind));
}

// ---- folder ----

DISPID OutlookFolder::FindMember(std::u16string_view n) const {
    return Lookup(n, {{u"name", FolderId::Name},
                      {u"storeid", FolderId::StoreId},
                      {u"items", FolderId::Items},
                      {u"defaultitemtype", FolderId::DefaultItemType}});
}

HRESULT OutlookFolder::Call(DISPID id, WORD flags, const DispatchArgs&, VARIANT* result) {
    if (IsPut(flags)) return E_ACCESSDENIED;
    switch (id) {
    case FolderId::Name:
        if (result) *result = VARIANT::Bstr(Utf8ToUtf16(m_store->Folder(m_kind).name));
        return S_OK;
    case FolderId::StoreId:
        if (result) *result = VARIANT::Bstr(Utf8ToUtf16(m_store->StoreId()));
        return S_OK;
    case FolderId::Items: return Return(result, new OutlookItems(m_store, m_kind));
    case FolderId::DefaultItemType:
        if (result) *result = VARIANT::I4(ItemType(m_kind));
        return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

// ---- items ----

DISPID OutlookItems::FindMember(std::u16string_view n) const {
    return Lookup(n, {{u"getfirst", ItemsId::GetFirst},
                      {u"getnext", ItemsId::GetNext},
                      {u"add", ItemsId::Add},
                      {u"item", ItemsId::Item},
                      {u"count", ItemsId::Count}});
}

HRESULT OutlookItems::ItemAt(std::size_t position, VARIANT* result) {
    auto& items = m_store->Folder(m_kind).items;
    if (position >= items.size()) return ReturnNothing(result);
    return Return(result, new OutlookItem(m_store, m_kind, items[position]));
}

HRESULT OutlookItems::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    if (IsPut(flags)) return E_ACCESSDENIED;
    auto& items = m_store->Folder(m_kind).items;
    switch (id) {
    case ItemsId::GetFirst: m_cursor = 0; return ItemAt(m_cursor, result);
    case ItemsId::GetNext:
        if (m_cursor < items.size()) ++m_cursor;
        return ItemAt(m_cursor, result);
    case ItemsId::Add: {
        std::int32_t type = ItemType(m_kind);
        if (args.Count() > 1) return DISP_E_BADPARAMCOUNT;
        if (args.Count() == 1 && FAILED(args.GetInt(0, type))) return DISP_E_TYPEMISMATCH;
        if (type != ItemType(m_kind)) return E_INVALIDARG;
        return Return(result, new OutlookItem(m_store, m_kind, nullptr));
    }
    case ItemsId::Item: {
        std::int32_t index = 0;
        if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
        if (FAILED(args.GetInt(0, index))) return DISP_E_TYPEMISMATCH;
        if (index < 1 || static_cast<std::size_t>(index) > items.size()) return DISP_E_BADINDEX;
        return ItemAt(static_cast<std::size_t>(index - 1), result);
    }
    case ItemsId::Count:
        if (result) *result = VARIANT::I4(static_cast<std::int32_t>(items.size()));
        return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

// ---- item ----

OutlookItem::OutlookItem(std::shared_ptr<Store> store, ItemKind kind, std::shared_ptr<ItemData> stored)
    : m_store(std::move(store)), m_stored(std::move(stored)) {
    if (!m_stored) m_copy = std::make_unique<ItemData>(kind);
}

const ItemData& OutlookItem::View() const {
    if (!m_copy) Store::ReadBack(*m_stored);
    return Held();
}

ItemData& OutlookItem::Working() {
    if (!m_copy) {
        Store::ReadBack(*m_stored);
        m_copy = std::make_unique<ItemData>(*m_stored);
    }
    return *m_copy;
}

namespace {

struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view n) const { return std::hash<std::u16string_view>{}(n); }
};

// Each kind's member names, folded, with their ids: the methods, then the
// properties of the kind's schema.
const std::unordered_map<std::u16string, DISPID, FoldedHash, std::equal_to<>>& MembersOf(ItemKind kind) {
    static const auto tables = [] {
        std::array<std::unordered_map<std::u16string, DISPID, FoldedHash, std::equal_to<>>, 4> t;
        for (int k = 0; k < 4; ++k) {
            const auto itemKind = static_cast<ItemKind>(k);
            auto& names = t[static_cast<std::size_t>(k)];
            const auto& schema = Schema(itemKind);
            for (std::size_t i = 0; i < schema.size(); ++i)
                names.emplace(FoldName(Utf8ToUtf16(schema[i].name)), ItemId::FirstProperty + static_cast<DISPID>(i));
            names[u"save"] = ItemId::Save;
            names[u"class"] = ItemId::Class;
            names[u"delete"] = ItemId::Delete;
            if (itemKind == ItemKind::Contact) names[u"userproperties"] = ItemId::UserProperties;
            if (itemKind == ItemKind::Appointment || itemKind == ItemKind::Task) {
                names[u"getrecurrencepattern"] = ItemId::GetRecurrencePattern;
                names[u"clearrecurrencepattern"] = ItemId::ClearRecurrencePattern;
            }
        }
        return t;
    }();
    return tables[static_cast<std::size_t>(kind)];
}

}  // namespace

DISPID OutlookItem::FindMember(std::u16string_view n) const {
    const auto& members = MembersOf(Kind());
    const auto found = members.find(n);
    return found == members.end() ? DISPID_UNKNOWN : found->second;
}

HRESULT OutlookItem::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    switch (id) {
    case ItemId::Save: return IsGet(flags) ? Save() : DISP_E_MEMBERNOTFOUND;
    case ItemId::Delete:
        if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
        if (m_stored && !m_store->Delete(m_store->Folder(Kind()), m_stored)) return STG_E_WRITEFAULT;
        Working();  // the object keeps its values
        m_stored.reset();
        return S_OK;
    case ItemId::Class:
        if (IsPut(flags)) return E_ACCESSDENIED;
        if (result) *result = VARIANT::I4(ObjectClass(Kind()));
        return S_OK;
    case ItemId::GetRecurrencePattern:
        if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
        if (!View().recurring) StartPattern();
        return Return(result, new OutlookRecurrencePattern(ComRef<OutlookItem>::Share(this)));
    case ItemId::ClearRecurrencePattern:
        if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
        Working().recurring = false;
        Working().recurrenceChanged = true;
        Working().originalRule.clear();
        Touch();
        return S_OK;
    case ItemId::UserProperties:
        if (IsPut(flags)) return E_ACCESSDENIED;
        return Return(result, new OutlookUserProperties(ComRef<OutlookItem>::Share(this)));
    default: break;
    }
    const int index = id - ItemId::FirstProperty;
    if (index < 0 || static_cast<std::size_t>(index) >= Schema(Kind()).size()) return DISP_E_MEMBERNOTFOUND;
    if (IsPut(flags)) return PutProp(index, *args.PutValue());
    return GetProp(index, result);
}

HRESULT OutlookItem::GetProp(int index, VARIANT* result) {
    const PropDef& def = Schema(Kind())[static_cast<std::size_t>(index)];
    const std::string_view name = def.name;
    if (name == "EntryID") {
        // Known without reading back the file of an item just saved.
        if (result) *result = VARIANT::Bstr(Utf8ToUtf16(Held().entryId));
        return S_OK;
    }
    const ItemData& item = View();
    const PropValue& v = item.At(index);
    std::int32_t number = v.i;
    if (item.kind == ItemKind::Task && (name == "Complete" || name == "Status" || name == "PercentComplete") &&
        (item.Int("Complete") != 0 || item.Int("Status") == 2)) {
        // A complete task shows the status and percentage Outlook derives.
        number = name == "Complete" ? 1 : name == "Status" ? 2 : 100;
    }
    VARIANT out;
    if (name == "IsRecurring") {
        out = VARIANT::Bool(item.recurring);
    } else if (item.kind == ItemKind::Note && name == "Subject") {
        out = VARIANT::Bstr(Utf8ToUtf16(NoteSubject(item.Text("Body"))));
    } else if (item.kind == ItemKind::Note && name == "Saved") {
        out = VARIANT::Bool(m_stored != nullptr && !m_dirty);
    } else if (item.kind == ItemKind::Appointment && (name == "End" || name == "ReminderTime")) {
        const double start = item.Date("Start");
        const long long minutes = name == "End" ? item.Int("Duration") : -item.Int("ReminderMinutesBeforeStart");
        out = VARIANT::Date(start == 0.0 ? 0.0 : AddSeconds(start, minutes * 60));
    } else {
        switch (def.type) {
        case PropType::Text: out = VARIANT::Bstr(Utf8ToUtf16(v.s)); break;
        case PropType::Int: out = VARIANT::I4(number); break;
        case PropType::Bool: out = VARIANT::Bool(number != 0); break;
        case PropType::Date: out = VARIANT::Date(v.d); break;
        }
    }
    if (result) *result = std::move(out);
    return S_OK;
}

HRESULT OutlookItem::PutProp(int index, const VARIANT& value) {
    const PropDef& def = Schema(Kind())[static_cast<std::size_t>(index)];
    if (def.readOnly) return E_ACCESSDENIED;
    ItemData& item = Working();
    const std::string_view name = def.name;
    PropValue& v = item.At(index);
    if (item.kind == ItemKind::Appointment && (name == "End" || name == "ReminderTime")) {
        double date = 0;
        if (!ToDate(value, date)) return DISP_E_TYPEMISMATCH;
        const double start = item.Date("Start");
        const long long minutes = SecondsBetween(start, NormalizeDate(date)) / 60;
        if (name == "End")
            item.SetInt("Duration", minutes < 0 ? 0 : static_cast<std::int32_t>(minutes));
        else
            item.SetInt("ReminderMinutesBeforeStart", static_cast<std::int32_t>(-minutes));
        Touch();
        return S_OK;
    }
    switch (def.type) {
    case PropType::Text:
        if (value.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
        v.s = Utf16ToUtf8(value.bstrVal);
        break;
    case PropType::Int:
    case PropType::Bool: {
        std::int32_t i = 0;
        if (!VariantToInt(value, i)) return DISP_E_TYPEMISMATCH;
        v.i = def.type == PropType::Bool ? (i != 0 ? 1 : 0) : i;
        break;
    }
    case PropType::Date: {
        double date = 0;
        if (!ToDate(value, date)) return DISP_E_TYPEMISMATCH;
        v.d = NormalizeDate(date);
        // A task's start and due dates are days, as in Outlook.
        if (item.kind == ItemKind::Task && (name == "StartDate" || name == "DueDate")) v.d = DayOf(v.d);
        break;
    }
    }
    Touch();
    return S_OK;
}

void OutlookItem::StartPattern() {
    ItemData& item = Working();
    item.recurring = true;
    item.recurrenceChanged = true;
    item.originalRule.clear();
    item.recurrence = Recurrence{};
    const double start = item.kind == ItemKind::Task ? item.Date("StartDate") : item.Date("Start");
    item.recurrence.dayOfWeekMask = WeekdayBit(start);
    Touch();
}

HRESULT OutlookItem::Save() {
    // Another object of the same item may have saved it since the copy.
    if (m_stored && m_copy) Store::ReadBack(*m_stored);
    if (m_stored && (!m_copy || SameValues(*m_copy, *m_stored))) {
        // Nothing changed: the file stays as it is.
        m_copy.reset();
        m_dirty = false;
        return S_OK;
    }
    ItemData& item = Working();
    if (!m_store->Save(m_store->Folder(item.kind), item, m_stored)) return STG_E_WRITEFAULT;
    m_copy.reset();  // the stored values are this item's values again
    m_dirty = false;
    return S_OK;
}

// ---- user-defined properties ----

namespace {

bool KnownUserType(std::int32_t type) {
    switch (type) {
    case olText:
    case olNumber:
    case olDateTime:
    case olYesNo:
    case olDuration:
    case olKeywords:
    case olPercent:
    case olCurrency:
    case olInteger: return true;
    default: return false;
    }
}

}  // namespace

DISPID OutlookUserProperties::FindMember(std::u16string_view n) const {
    return Lookup(n, {{u"count", UserPropertiesId::Count},
                      {u"item", UserPropertiesId::Item},
                      {u"find", UserPropertiesId::Find},
                      {u"add", UserPropertiesId::Add},
                      {u"remove", UserPropertiesId::Remove}});
}

HRESULT OutlookUserProperties::Property(std::size_t index, VARIANT* result) {
    const auto& props = m_item->View().userProps;
    if (index >= props.size()) return DISP_E_BADINDEX;
    return Return(result, new OutlookUserProperty(m_item, props[index].name));
}

HRESULT OutlookUserProperties::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    if (IsPut(flags)) return E_ACCESSDENIED;
    const auto& props = m_item->View().userProps;
    auto findName = [&](const std::u16string& name) -> std::ptrdiff_t {
        const std::string key = ToLowerAscii(Utf16ToUtf8(name));
        for (std::size_t i = 0; i < props.size(); ++i)
            if (ToLowerAscii(props[i].name) == key) return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    switch (id) {
    case UserPropertiesId::Count:
        if (result) *result = VARIANT::I4(static_cast<std::int32_t>(props.size()));
        return S_OK;
    case UserPropertiesId::Item: {
        if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
        std::u16string name;
        if (SUCCEEDED(args.GetString(0, name))) {
            const auto at = findName(name);
            return at < 0 ? DISP_E_BADINDEX : Property(static_cast<std::size_t>(at), result);
        }
        std::int32_t index = 0;
        if (FAILED(args.GetInt(0, index))) return DISP_E_TYPEMISMATCH;
        if (index < 1) return DISP_E_BADINDEX;
        return Property(static_cast<std::size_t>(index - 1), result);
    }
    case UserPropertiesId::Find: {
        std::u16string name;
        if (args.Count() < 1 || args.Count() > 2) return DISP_E_BADPARAMCOUNT;
        if (FAILED(args.GetString(0, name))) return DISP_E_TYPEMISMATCH;
        const auto at = findName(name);
        return at < 0 ? ReturnNothing(result) : Property(static_cast<std::size_t>(at), result);
    }
    case UserPropertiesId::Add: {
        std::u16string name;
        std::int32_t type = olText;
        if (args.Count() < 1 || args.Count() > 5) return DISP_E_BADPARAMCOUNT;
        if (FAILED(args.GetString(0, name))) return DISP_E_TYPEMISMATCH;
        if (args.Count() >= 2 && FAILED(args.GetInt(1, type))) return DISP_E_TYPEMISMATCH;
        // Outlook refuses a property without a name, and a second one of the same name.
        if (name.empty() || findName(name) >= 0 || !KnownUserType(type)) return E_INVALIDARG;
        UserProperty up;
        up.name = Utf16ToUtf8(name);
        up.type = type;
        auto& changed = m_item->Working().userProps;
        changed.push_back(up);
        m_item->Touch();
        return Property(changed.size() - 1, result);
    }
    case UserPropertiesId::Remove: {
        std::int32_t index = 0;
        if (args.Count() != 1 || FAILED(args.GetInt(0, index))) return DISP_E_BADPARAMCOUNT;
        if (index < 1 || static_cast<std::size_t>(index) > props.size()) return DISP_E_BADINDEX;
        auto& changed = m_item->Working().userProps;
        changed.erase(changed.begin() + (index - 1));
        m_item->Touch();
        return S_OK;
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

DISPID OutlookUserProperty::FindMember(std::u16string_view n) const {
    return Lookup(
        n, {{u"name", UserPropertyId::Name}, {u"value", UserPropertyId::Value}, {u"type", UserPropertyId::Type}});
}

const UserProperty* OutlookUserProperty::Find() const {
    for (const UserProperty& up : m_item->View().userProps)
        if (up.name == m_name) return &up;
    return nullptr;
}

HRESULT OutlookUserProperty::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    const UserProperty* found = Find();
    if (found == nullptr) return E_FAIL;  // removed meanwhile
    if (id == UserPropertyId::Name || id == UserPropertyId::Type) {
        if (IsPut(flags)) return E_ACCESSDENIED;
        if (result)
            *result = id == UserPropertyId::Name ? VARIANT::Bstr(Utf8ToUtf16(found->name)) : VARIANT::I4(found->type);
        return S_OK;
    }
    if (id != UserPropertyId::Value) return DISP_E_MEMBERNOTFOUND;
    if (!IsPut(flags)) {
        VARIANT out;
        switch (found->type) {
        case olText:
        case olKeywords: out = VARIANT::Bstr(Utf8ToUtf16(found->text)); break;
        case olDateTime: out = VARIANT::Date(found->number); break;
        case olYesNo: out = VARIANT::Bool(found->number != 0.0); break;
        case olNumber:
        case olCurrency: out = VARIANT::R8(found->number); break;
        default: out = VARIANT::I4(static_cast<std::int32_t>(found->number)); break;
        }
        if (result) *result = std::move(out);
        return S_OK;
    }
    UserProperty* up = nullptr;
    for (UserProperty& p : m_item->Working().userProps)
        if (p.name == m_name) up = &p;
    const VARIANT& value = *args.PutValue();
    if (up->type == olText || up->type == olKeywords) {
        if (value.vt == VT_BSTR) {
            up->text = Utf16ToUtf8(value.bstrVal);
        } else {
            double d = 0;
            if (!ToDate(value, d)) return DISP_E_TYPEMISMATCH;
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.15g", d);
            up->text = buf;
        }
    } else {
        double d = 0;
        if (value.vt == VT_BSTR) {
            const std::string text = Utf16ToUtf8(value.bstrVal);
            char* end = nullptr;
            d = std::strtod(text.c_str(), &end);
            const bool number = end != text.c_str() && *end == '\0' && std::isfinite(d);
            if (!number && !(up->type == olDateTime && ParseDateText(text, d))) return DISP_E_TYPEMISMATCH;
        } else if (!ToDate(value, d)) {
            return DISP_E_TYPEMISMATCH;
        }
        up->number = up->type == olDateTime ? NormalizeDate(d) : up->type == olYesNo ? (d != 0.0 ? 1.0 : 0.0) : d;
    }
    m_item->Touch();
    return S_OK;
}

// ---- recurrence pattern ----

DISPID OutlookRecurrencePattern::FindMember(std::u16string_view n) const {
    using Id = RecurrencePatternId;
    return Lookup(n, {{u"recurrencetype", Id::RecurrenceType},
                      {u"interval", Id::Interval},
                      {u"dayofweekmask", Id::DayOfWeekMask},
                      {u"dayofmonth", Id::DayOfMonth},
                      {u"instance", Id::Instance},
                      {u"monthofyear", Id::MonthOfYear},
                      {u"patternenddate", Id::PatternEndDate},
                      {u"noenddate", Id::NoEndDate}});
}

HRESULT OutlookRecurrencePattern::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) {
    using Id = RecurrencePatternId;
    if (id < Id::RecurrenceType || id > Id::NoEndDate) return DISP_E_MEMBERNOTFOUND;
    if (!IsPut(flags)) {
        const Recurrence& r = m_item->View().recurrence;
        const std::int32_t values[] = {r.type, r.interval, r.dayOfWeekMask, r.dayOfMonth, r.instance, r.monthOfYear};
        if (!result) return S_OK;
        if (id <= Id::MonthOfYear)
            *result = VARIANT::I4(values[id - Id::RecurrenceType]);
        else if (id == Id::PatternEndDate)
            *result = VARIANT::Date(r.patternEndDate);
        else
            *result = VARIANT::Bool(r.patternEndDate == 0.0);
        return S_OK;
    }
    ItemData& item = m_item->Working();
    Recurrence& r = item.recurrence;
    std::int32_t* fields[] = {&r.type, &r.interval, &r.dayOfWeekMask, &r.dayOfMonth, &r.instance, &r.monthOfYear};
    const VARIANT& value = *args.PutValue();
    if (id == Id::PatternEndDate) {
        double d = 0;
        if (!ToDate(value, d)) return DISP_E_TYPEMISMATCH;
        r.patternEndDate = NormalizeDate(d);
    } else {
        std::int32_t v = 0;
        if (!VariantToInt(value, v)) return DISP_E_TYPEMISMATCH;
        if (id == Id::NoEndDate) {
            if (v != 0) r.patternEndDate = 0.0;
        } else if (id == Id::RecurrenceType) {
            if (!KnownRecurrenceType(v)) return E_INVALIDARG;
            if (v != r.type) {
                // A new type starts from its own defaults, as in Outlook.
                const std::int32_t interval = r.interval;
                const double end = r.patternEndDate;
                r = Recurrence{};
                r.type = v;
                r.interval = interval;
                r.patternEndDate = end;
            }
        } else {
            if (v < 0) return E_INVALIDARG;
            *fields[id - Id::RecurrenceType] = v;
        }
    }
    item.recurring = true;
    item.recurrenceChanged = true;
    m_item->Touch();
    return S_OK;
}

// ---- registration ----

const CLSID CLSID_OutlookApplication = {0x0006F03A, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

void RegisterOutlookApplication(const std::string& root) {
    RegisterAutomationClass(u"Outlook.Application", CLSID_OutlookApplication, CLSCTX_INPROC_SERVER,
                            [root]() -> IUnknown* { return static_cast<IDispatch*>(new OutlookApplication(root)); });
}

void UnregisterOutlookApplication() { UnregisterAutomationClass(u"Outlook.Application"); }

}  // namespace platform::outlook
