#include "tools/palmdat/PalmDatWriter.h"

#include <bit>

#include "platform/file/AtomicFile.h"
#include "platform/text/LittleEndianWriter.h"
#include "tools/palmdat/PalmDatLayouts.h"

namespace palmdat {

namespace {

void PutLong(std::string& out, std::int32_t v) { platform::AppendLE32(out, static_cast<std::uint32_t>(v)); }

void PutWord(std::string& out, std::uint16_t v) { platform::AppendLE16(out, v); }

const char* ClassName(std::int32_t kind) {
    static const char* const kNames[] = {"CDayName",     "CWeekly",     "CDayOfMonth",
                                         "CDateOfMonth", "CDateOfYear", "CDayOfYear"};
    return kind >= 1 && kind <= 6 ? kNames[kind - 1] : "CRepeatRule";
}

std::string EncodeRepeat(const Repeat& r) {
    std::string out;
    PutLong(out, 8);
    PutWord(out, static_cast<std::uint16_t>(r.exceptions.size()));
    for (std::int32_t date : r.exceptions) PutLong(out, date);
    switch (r.marker) {
    case Repeat::Marker::None: PutWord(out, 0); return out;
    case Repeat::Marker::Named: {
        const std::string name = r.className.value_or(ClassName(r.kind));
        PutWord(out, 0xFFFF);
        PutWord(out, r.classVersion);
        PutWord(out, static_cast<std::uint16_t>(name.size()));
        out += name;
        break;
    }
    case Repeat::Marker::Bare: PutWord(out, r.bareMarker); break;
    }
    PutLong(out, r.kind);
    PutLong(out, r.interval);
    PutLong(out, r.endDate);
    PutLong(out, r.firstDayOfWeek);
    switch (r.kind) {
    case 1: PutLong(out, r.dayIndex); break;
    case 2:
        PutLong(out, r.dayIndex);
        out += static_cast<char>(r.dayMask);
        break;
    case 3:
        PutLong(out, r.dayIndex);
        PutLong(out, r.weekIndex);
        break;
    case 4: PutLong(out, r.dayNumber); break;
    case 5:
        PutLong(out, r.dayNumber);
        PutLong(out, r.monthIndex);
        break;
    default: break;
    }
    return out;
}

std::string EncodeExt(const Ext& e) {
    std::string out;
    PutLong(out, e.marker);
    PutLong(out, e.form);
    if (e.form >= 1 && e.form <= 3) {
        PutLong(out, e.param1);
        PutLong(out, e.param2);
        PutLong(out, e.size.value_or(static_cast<std::int32_t>(e.data.size())));
    }
    if (e.form != 0) out += e.data;
    return out;
}

}  // namespace

Value Value::Long(std::int32_t number, std::int32_t tag) {
    Value v;
    v.type = Type::Long;
    v.number = number;
    v.tag = tag;
    return v;
}

Value Value::Text(std::string text, bool longLength) {
    Value v;
    v.type = Type::Text;
    v.tag = 5;
    v.text = std::move(text);
    v.longLength = longLength;
    return v;
}

Value Value::Double(double real, std::int32_t tag) {
    Value v;
    v.type = Type::Double;
    v.real = real;
    v.tag = tag;
    return v;
}

Value Value::Block(palmdat::Ext ext) {
    Value v;
    v.type = Type::Ext;
    v.ext = std::move(ext);
    return v;
}

Value Value::RepeatEvent(palmdat::Repeat repeat) {
    Value v;
    v.type = Type::Repeat;
    v.repeat = std::move(repeat);
    return v;
}

Value Value::Raw(std::string bytes) {
    Value v;
    v.type = Type::Raw;
    v.text = std::move(bytes);
    return v;
}

std::string CString(const std::string& text, bool longLength) {
    std::string out;
    const std::size_t n = text.size() > 0xFFFF ? 0xFFFF : text.size();
    if (n < 255 && !longLength) {
        out += static_cast<char>(n);
    } else {
        out += static_cast<char>(255);
        PutWord(out, static_cast<std::uint16_t>(n));
    }
    out.append(text, 0, n);
    return out;
}

std::string EncodeValue(const Value& value) {
    std::string out;
    switch (value.type) {
    case Value::Type::Long:
        PutLong(out, value.tag);
        PutLong(out, value.number);
        break;
    case Value::Type::Text:
        PutLong(out, value.tag);
        PutLong(out, value.textFlag);
        out += CString(value.text, value.longLength);
        break;
    case Value::Type::Double:
        PutLong(out, value.tag);
        platform::AppendLE64(out, std::bit_cast<std::uint64_t>(value.real));
        break;
    case Value::Type::Ext: out = EncodeExt(value.ext); break;
    case Value::Type::Repeat: out = EncodeRepeat(value.repeat); break;
    case Value::Type::Raw: out = value.text; break;
    }
    return out;
}

const char* FileName(Kind kind) {
    switch (kind) {
    case Kind::Address: return "address.dat";
    case Kind::Datebook: return "datebook.dat";
    case Kind::Todo: return "todo.dat";
    case Kind::Memo: return "memopad.dat";
    }
    return "";
}

std::int32_t KindVersion(Kind kind, Format format) {
    const std::int32_t generation = format == Format::V414 ? 0x0200 : 0x0100;
    switch (kind) {
    case Kind::Address: return 0x41420000 | generation;
    case Kind::Datebook: return 0x44420000 | generation;
    case Kind::Todo: return 0x54440000 | generation;
    case Kind::Memo: return 0x4d500000 | generation;
    }
    return 0;
}

std::vector<std::uint16_t> DefaultFieldTypes(Kind kind, Format format) {
    std::vector<std::uint16_t> types;
    for (const FieldDef& field : FieldDefs(kind, format)) types.push_back(field.typeCode);
    return types;
}

DatFile NewFile(Kind kind, Format format) {
    DatFile f;
    f.kind = kind;
    f.format = format;
    f.dbName = FileName(kind);
    f.reserved2 = std::string(kind == Kind::Address ? 11 : 43, '\0');
    if (kind == Kind::Address && format == Format::V414)
        f.customLabels = {"Custom 1", "Custom 2", "Custom 3", "Custom 4", "Custom 5",
                          "Custom 6", "Custom 7", "Custom 8", "Custom 9"};
    if (kind == Kind::Address && format == Format::Earlier) f.labelBlock = "Custom 1\nCustom 2\nCustom 3\nCustom 4\n";
    switch (kind) {
    case Kind::Address: f.resourceID = 74; break;
    case Kind::Datebook: f.resourceID = 54; break;
    case Kind::Todo: f.resourceID = 44; break;
    case Kind::Memo: f.resourceID = 64; break;
    }
    f.fieldTypes = DefaultFieldTypes(kind, format);
    f.fieldsPerRow = static_cast<std::int32_t>(f.fieldTypes.size());
    f.recordIDPos = 0;
    f.statusPos = format == Format::V414 ? 2 : 1;
    f.placementPos = format == Format::V414 ? 4 : 2;
    return f;
}

Record NewRecord(Kind kind, Format format) {
    Record rec;
    for (std::uint16_t code : DefaultFieldTypes(kind, format)) {
        switch (code) {
        case 5: rec.push_back(Value::Text("")); break;
        case 8: rec.push_back(Value::RepeatEvent({})); break;
        case 64:
        case 65:
        case 66:
        case 67: rec.push_back(Value::Block({})); break;
        case 68: rec.push_back(Value::Double(0)); break;
        default: rec.push_back(Value::Long(0, code)); break;
        }
    }
    return rec;
}

std::string Build(const DatFile& f) {
    std::string out;
    const std::int32_t version = f.version.value_or(KindVersion(f.kind, f.format));
    if (f.format == Format::V414) {
        out += f.prefix;
        out += f.magic;
        PutLong(out, version);
        out += f.reserved1;
        out += CString(f.dbName);
        out += f.reserved2;
        if (f.kind == Kind::Address) {
            for (const std::string& label : f.customLabels) {
                out += CString(label);
                PutLong(out, 0);
            }
            out += f.reserved3;
        }
    } else {
        PutLong(out, version);
        out += CString(f.dbName);
        out += CString(f.kind == Kind::Address ? f.labelBlock : f.kindBlock);
    }

    PutLong(out, f.nextFreeID);
    PutLong(out, f.categoryCount.value_or(static_cast<std::int32_t>(f.categories.size())));
    for (const Category& c : f.categories) {
        PutLong(out, c.index);
        PutLong(out, c.id);
        PutLong(out, c.dirty);
        out += CString(c.name);
        out += CString(c.fileName);
    }

    PutLong(out, f.resourceID);
    PutLong(out, f.fieldsPerRow);
    PutLong(out, f.recordIDPos);
    PutLong(out, f.statusPos);
    PutLong(out, f.placementPos);
    PutWord(out, f.fieldCount.value_or(static_cast<std::uint16_t>(f.fieldTypes.size())));
    for (std::uint16_t type : f.fieldTypes) PutWord(out, type);

    const auto total = static_cast<std::uint32_t>(f.records.size()) * static_cast<std::uint32_t>(f.fieldsPerRow);
    PutLong(out, f.totalFields.value_or(static_cast<std::int32_t>(total)));
    for (const Record& rec : f.records)
        for (const Value& value : rec) out += EncodeValue(value);

    if (f.cutAt && *f.cutAt < out.size()) out.resize(*f.cutAt);
    return out;
}

bool Write(const std::string& path, const DatFile& file) {
    const std::string bytes = Build(file);
    platform::file::AtomicOptions options;
    options.flush = false;  // a fixture: whole or absent is all that counts
    return platform::file::WriteFileAtomically(path, bytes, options);
}

}  // namespace palmdat
