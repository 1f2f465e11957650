#include "common/outlook/OlProps.h"

#include <cstring>
#include <string_view>

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

void OlReadProps(CDispCmd& item, void* rec, std::span<const OlProp> props) {
    for (const OlProp& p : props) {
        switch (p.kind) {
        case OlPropKind::Text: {
            const bool entryId = std::u16string_view(p.name) == u"EntryID";
            item.GetString(p.name, At<char>(rec, p.offset), entryId && p.size > 1023 ? 1023 : p.size);
            break;
        }
        case OlPropKind::Int: {
            std::int32_t v = 0;
            if (item.GetInt(p.name, &v) == S_OK) std::memcpy(At<char>(rec, p.offset), &v, sizeof v);
            break;
        }
        case OlPropKind::Flag: item.GetBool(p.name, At<std::uint8_t>(rec, p.offset)); break;
        case OlPropKind::Date: {
            DATE d = 0;
            if (item.GetDate(p.name, &d) == S_OK) std::memcpy(At<char>(rec, p.offset), &d, sizeof d);
            break;
        }
        }
    }
}

void OlWriteProps(CDispCmd& item, const void* rec, std::span<const OlProp> props) {
    for (const OlProp& p : props) {
        if (!p.writable) continue;
        switch (p.kind) {
        case OlPropKind::Text: {
            const char* text = At<char>(rec, p.offset);
            item.PutString(p.name, std::string(text, strnlen(text, p.size)).c_str());
            break;
        }
        case OlPropKind::Int: {
            std::int32_t v = 0;
            std::memcpy(&v, At<char>(rec, p.offset), sizeof v);
            item.PutInt(p.name, v);
            break;
        }
        case OlPropKind::Flag: item.PutBool(p.name, *At<std::uint8_t>(rec, p.offset)); break;
        case OlPropKind::Date: {
            DATE d = 0;
            std::memcpy(&d, At<char>(rec, p.offset), sizeof d);
            item.PutDate(p.name, d);
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
