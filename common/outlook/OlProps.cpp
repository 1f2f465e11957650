#include "common/outlook/OlProps.h"

#include <cmath>
#include <cstring>
#include <string_view>
#include <typeinfo>

#include "common/records/CommSourceFields.h"
#include "platform/text/TextCopy.h"

namespace {

template <class T>
T* At(void* rec, std::size_t offset) {
    return reinterpret_cast<T*>(static_cast<unsigned char*>(rec) + offset);
}
template <class T>
const T* At(const void* rec, std::size_t offset) {
    return reinterpret_cast<const T*>(static_cast<const unsigned char*>(rec) + offset);
}

}  // namespace

void OlCopyText(char* dst, std::size_t dstSize, const char* src, std::size_t srcSize) {
    platform::CopyText(dst, dstSize, std::string_view(src, strnlen(src, srcSize)));
}

std::vector<DISPID>& OlPropIds::Of(std::span<const OlProp> props, const IDispatch& object) {
    const std::type_index type(typeid(object));
    for (Table& table : m_tables)
        if (table.props == props.data() && table.ids.size() == props.size() && table.type == type) return table.ids;
    m_tables.push_back({props.data(), type, std::vector<DISPID>(props.size(), DISPID_UNKNOWN)});
    return m_tables.back().ids;
}

namespace {

// The id of a table's property on an item: the one found before, else the
// one a lookup finds now. False when the item has no such property.
bool IdOf(CDispCmd& item, const OlProp& p, DISPID& id) {
    if (id == DISPID_UNKNOWN && FAILED(item.FindId(p.name, &id))) id = DISPID_UNKNOWN;
    return id != DISPID_UNKNOWN;
}

}  // namespace

void OlReadProps(CDispCmd& item, void* rec, std::span<const OlProp> props, OlPropIds& ids) {
    if (item.GetInterface() == nullptr) return;
    std::vector<DISPID>& known = ids.Of(props, *item.GetInterface());
    for (std::size_t i = 0; i < props.size(); ++i) {
        const OlProp& p = props[i];
        if (!IdOf(item, p, known[i])) continue;
        const DispMember member(known[i]);
        switch (p.kind) {
        case OlPropKind::Text: {
            const bool entryId = p.size > 1023 && std::u16string_view(p.name) == u"EntryID";
            item.GetString(member, At<char>(rec, p.offset), entryId ? 1023 : p.size);
            break;
        }
        case OlPropKind::Int: {
            std::int32_t v = 0;
            if (item.GetInt(member, &v) == S_OK) std::memcpy(At<char>(rec, p.offset), &v, sizeof v);
            break;
        }
        case OlPropKind::Flag: item.GetBool(member, At<std::uint8_t>(rec, p.offset)); break;
        case OlPropKind::Date: {
            DATE d = 0;
            if (item.GetDate(member, &d) == S_OK) std::memcpy(At<char>(rec, p.offset), &d, sizeof d);
            break;
        }
        }
    }
}

void OlWriteProps(CDispCmd& item, const void* rec, std::span<const OlProp> props, OlPropIds& ids) {
    if (item.GetInterface() == nullptr) return;
    std::vector<DISPID>& known = ids.Of(props, *item.GetInterface());
    for (std::size_t i = 0; i < props.size(); ++i) {
        const OlProp& p = props[i];
        if (!p.writable) continue;
        switch (p.kind) {
        case OlPropKind::Text: {
            const char* text = At<char>(rec, p.offset);
            const std::size_t length = strnlen(text, p.size);
            if (length == 0 || !IdOf(item, p, known[i])) break;  // an empty text is not written
            item.PutString(DispMember(known[i]), std::string(text, length).c_str());
            break;
        }
        case OlPropKind::Int: {
            std::int32_t v = 0;
            std::memcpy(&v, At<char>(rec, p.offset), sizeof v);
            if (IdOf(item, p, known[i])) item.PutInt(DispMember(known[i]), v);
            break;
        }
        case OlPropKind::Flag:
            if (IdOf(item, p, known[i])) item.PutBool(DispMember(known[i]), *At<std::uint8_t>(rec, p.offset));
            break;
        case OlPropKind::Date: {
            DATE d = 0;
            std::memcpy(&d, At<char>(rec, p.offset), sizeof d);
            if (std::fabs(d) < 0.00001 || !IdOf(item, p, known[i])) break;  // nor is a zero date
            item.PutDate(DispMember(known[i]), d);
            break;
        }
        }
    }
}

void OlCopyToCommon(const void* ol, void* comm, std::span<const OlField> fields) {
    for (const OlField& f : fields) {
        if (f.direction == OlCopy::ToOutlook) continue;
        if (f.date)
            std::memcpy(At<char>(comm, f.commOffset), At<char>(ol, f.olOffset), sizeof(DATE));
        else
            OlCopyText(At<char>(comm, f.commOffset), f.commSize, At<char>(ol, f.olOffset), f.olSize);
    }
}

void OlCopyToOutlook(const void* comm, void* ol, std::span<const OlField> fields) {
    for (const OlField& f : fields) {
        if (f.direction == OlCopy::ToCommon) continue;
        if (f.date)
            std::memcpy(At<char>(ol, f.olOffset), At<char>(comm, f.commOffset), sizeof(DATE));
        else
            OlCopyText(At<char>(ol, f.olOffset), f.olSize, At<char>(comm, f.commOffset), f.commSize);
    }
}

void OlApplyUpdate(CDispCmd& item, const void* loaded, void* working, std::span<const OlClearable> members,
                   std::int32_t sourceType, CommRecordKind kind) {
    for (const OlClearable& m : members) {
        if (!CommSourceSupplies(sourceType, kind, m.commOffset)) {
            std::memcpy(At<char>(working, m.olOffset), At<char>(loaded, m.olOffset), m.olSize);
            continue;
        }
        if (m.kind == OlPropKind::Date) {
            DATE now = 0, before = 0;
            std::memcpy(&now, At<char>(working, m.olOffset), sizeof now);
            std::memcpy(&before, At<char>(loaded, m.olOffset), sizeof before);
            if (now == 0.0 && before != 0.0) {
                VARIANT none = VARIANT::Date(kOlNoDate);
                item.PutProperty(m.name, &none);
            }
        } else if (At<char>(working, m.olOffset)[0] == '\0' && At<char>(loaded, m.olOffset)[0] != '\0') {
            VARIANT empty = VARIANT::Bstr(u"");
            item.PutProperty(m.name, &empty);
        }
    }
}

std::vector<OlClearable> OlClearablesOf(std::span<const OlProp> props, std::span<const OlField> fields) {
    std::vector<OlClearable> out;
    for (const OlField& f : fields) {
        if (f.direction == OlCopy::ToCommon) continue;
        for (const OlProp& p : props) {
            if (p.offset != f.olOffset || !p.writable) continue;
            out.push_back(OlClearable{p.name, p.offset, p.size, p.kind, f.commOffset});
            break;
        }
    }
    return out;
}
