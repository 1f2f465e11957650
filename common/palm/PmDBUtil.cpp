#include "common/palm/PmDBUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"
#include "common/palm/PmValueCuts.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"

namespace {

std::uint32_t LittleEndian32(const unsigned char* b) {
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

}  // namespace

PmDBUtil::PmDBUtil() : m_decoder(std::make_unique<PmTextDecoder>()) {}

PmDBUtil::~PmDBUtil() { CloseFile(); }

void PmDBUtil::SetName(std::string_view name) { platform::CopyText(m_name, name); }

bool PmDBUtil::OpenFile(const char* path, int mode) {
    if (path == nullptr || path[0] == '\0') return false;
    CloseFile();
    using platform::file::Access;
    Access access = Access::Read;
    switch (mode) {
    case kReadOnly: break;
    case kWriteOnly: access = Access::Write; break;
    case kReadWrite: access = Access::ReadWrite; break;
    case kCreate: access = Access::Create; break;
    default: return false;
    }
    // Only a regular file is read, and nobody else may have it while it is
    // read (Palm Desktop itself takes the same lock).
    if (!m_file.Open(platform::ResolvePath(path), true, access)) {
        SetCause(platform::file::DescribeFailure(m_file.Failure()));
        return false;
    }
    m_decoder = std::make_unique<PmTextDecoder>();
    SetName(path);
    return true;
}

void PmDBUtil::CloseFile() { m_file.Close(); }

bool PmDBUtil::ReadBytes(void* buffer, std::size_t count, std::size_t* delivered) {
    const std::size_t got = m_file.Read(buffer, count);
    if (got < count && m_file.ReadFailed()) SetCause("the file cannot be read.");
    if (delivered != nullptr) *delivered = got;
    return got == count;
}

bool PmDBUtil::SkipBytes(std::uint64_t count) {
    if (!m_file.IsOpen()) return count == 0;
    const std::uint64_t remaining = Remaining();
    if (count > remaining) {
        MoveFilePosition(remaining);
        return false;
    }
    MoveFilePosition(count);
    return true;
}

void PmDBUtil::MoveFilePosition(std::uint64_t count) { m_file.Skip(count); }

long PmDBUtil::GetFilePosition() const { return m_file.IsOpen() ? static_cast<long>(Position()) : 0; }

bool PmDBUtil::ReadByte(std::uint8_t& value) { return ReadBytes(&value, 1); }

bool PmDBUtil::ReadWord(std::uint16_t& value) {
    unsigned char b[2];
    if (!ReadBytes(b, 2)) return false;
    value = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    return true;
}

bool PmDBUtil::ReadLong(std::int32_t& value) {
    unsigned char b[4];
    if (!ReadBytes(b, 4)) return false;
    value = static_cast<std::int32_t>(LittleEndian32(b));
    return true;
}

bool PmDBUtil::ReadDouble(double& value) {
    unsigned char b[8];
    if (!ReadBytes(b, 8)) return false;
    const std::uint64_t bits = LittleEndian32(b) | static_cast<std::uint64_t>(LittleEndian32(b + 4)) << 32;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool PmDBUtil::ReadCStringLength(std::size_t& length) {
    std::uint8_t shortLength = 0;
    if (!ReadByte(shortLength)) return false;
    if (shortLength < 255) {
        length = shortLength;
        return true;
    }
    std::uint16_t longLength = 0;
    if (!ReadWord(longLength)) return false;
    length = longLength;
    return true;
}

bool PmDBUtil::ReadCStringRaw(std::string& raw, std::size_t capacity, std::size_t* length) {
    std::size_t n = 0;
    if (!ReadCStringLength(n)) return false;
    if (length != nullptr) *length = n;
    if (n > capacity) return false;
    raw.resize(n);
    return ReadBytes(raw.data(), n);
}

bool PmDBUtil::ReadCString(char* buffer, std::int32_t& capacity) {
    if (buffer == nullptr || capacity < 0) return false;
    std::size_t length = 0;
    if (!ReadCStringRaw(m_raw, static_cast<std::size_t>(capacity), &length)) {
        if (length > static_cast<std::size_t>(capacity)) capacity = static_cast<std::int32_t>(length);
        return false;
    }
    Decode(m_raw, m_text);
    platform::CopyText(buffer, static_cast<std::size_t>(capacity) + 1, m_text);
    return true;
}

bool PmDBUtil::ReadTaggedLong(std::int32_t& value) {
    std::int32_t tag = 0;
    if (!ReadLong(tag) || (tag != 1 && tag != 3 && tag != 6)) return false;
    return ReadLong(value);
}

bool PmDBUtil::ReadTaggedText(char* buffer, std::size_t size, std::size_t* fullLength) {
    std::int32_t tag = 0, flag = 0;
    if (!ReadLong(tag) || tag != 5 || !ReadLong(flag)) return false;
    std::size_t n = 0;
    if (!ReadCStringLength(n)) return false;
    const std::size_t kept = std::min(n, kTextLimit);
    m_raw.resize(kept);
    if (!ReadBytes(m_raw.data(), kept) || !SkipBytes(n - kept)) return false;
    Decode(m_raw, m_text);
    platform::CopyText(buffer, size, m_text);
    if (fullLength != nullptr) *fullLength = m_text.size();
    return true;
}

bool PmDBUtil::ReadExtendedBlock(PmExtBlock& block, std::vector<unsigned char>& data) {
    block = PmExtBlock{};
    data.clear();
    if (!ReadLong(block.Marker) || !ReadLong(block.Form)) return false;
    std::int32_t size = 0;
    if (block.Form == 0) return true;
    if (block.Form < 0) return false;
    if (block.Form >= 4) {
        size = block.Form;
    } else if (!ReadLong(block.Param1) || !ReadLong(block.Param2) || !ReadLong(size) || size < 0) {
        return false;
    }
    // The data must be in the file before room is made for it.
    if (static_cast<std::uint64_t>(size) > Remaining()) {
        SkipBytes(static_cast<std::uint64_t>(size));
        return false;
    }
    data.resize(static_cast<std::size_t>(size));
    if (!ReadBytes(data.data(), data.size())) return false;
    block.Size = size;
    block.Data = size > 0 ? data.data() : nullptr;
    return true;
}

bool PmDBUtil::ReadTaggedDouble(double& value) {
    std::int32_t tag = 0;
    return ReadLong(tag) && ReadDouble(value);
}

bool PmDBUtil::ReadRepeatEvent(PmRepeatInfo& repeat) {
    repeat = PmRepeatInfo{};
    std::int32_t tag = 0;
    if (!ReadLong(tag) || tag != 8) return false;
    std::uint16_t exceptions = 0;
    // The exception dates are not kept.
    if (!ReadWord(exceptions) || !SkipBytes(4ull * exceptions)) return false;
    std::uint16_t marker = 0;
    if (!ReadWord(marker)) return false;
    if (marker == 0) return true;
    if (marker == 0xFFFF) {
        std::uint16_t version = 0, nameLength = 0;
        if (!ReadWord(version) || version != 1 || !ReadWord(nameLength)) return false;
        // The class name only repeats what the kind says.
        if (!SkipBytes(nameLength)) return false;
    }
    PmRepeatInfo r{};
    if (!ReadLong(r.RepeatKind) || !ReadLong(r.Interval) || !ReadLong(r.EndDate) || !ReadLong(r.FirstDayOfWeek))
        return false;
    bool ok = true;
    switch (r.RepeatKind) {
    case 1: ok = ReadLong(r.DayIndex); break;
    case 2: ok = ReadLong(r.DayIndex) && ReadByte(r.DayMask); break;
    case 3: ok = ReadLong(r.DayIndex) && ReadLong(r.WeekIndex); break;
    case 4: ok = ReadLong(r.DayNumber); break;
    case 5: ok = ReadLong(r.DayNumber) && ReadLong(r.MonthIndex); break;
    default: break;
    }
    if (!ok) return false;
    repeat = r;
    return true;
}

bool PmDBUtil::GetCategoryText(std::int32_t id, char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0 || !m_categories) return false;
    const PmCategory* category = m_categories->FindByID(id);
    if (category == nullptr) return false;
    platform::CopyText(buffer, size, category->GetName());
    return true;
}

std::string PmDBUtil::HexDump(const void* data, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const unsigned char*>(data);
    size = std::min<std::size_t>(size, 1024);
    std::string out;
    out.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) out += ' ';
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

void PmDBUtil::SetDefaultSchema(const PmRecordLayout& layout, std::int32_t resourceID, std::int32_t statusPos,
                                std::int32_t placementPos) {
    m_layoutCount = layout.Count;
    m_schema.ResourceID = resourceID;
    m_schema.FieldsPerRow = static_cast<std::int32_t>(layout.Count);
    m_schema.RecordIDPos = 0;
    m_schema.StatusPos = statusPos;
    m_schema.PlacementPos = placementPos;
    m_schema.FieldCount = static_cast<std::uint16_t>(layout.Count);
    m_schema.FieldTypes.resize(layout.Count);
    for (std::uint32_t i = 0; i < layout.Count; ++i) m_schema.FieldTypes[i] = layout.Slots[i].TypeCode;
}

bool PmDBUtil::ReadField(const PmRecordLayout& layout, std::uint32_t pos, unsigned char* record) {
    if (pos >= layout.Count) return true;
    const PmFieldSlot& slot = layout.Slots[pos];
    unsigned char* member = record + slot.Offset;
    switch (slot.Decode) {
    case PmDecode::None: return true;
    case PmDecode::Long: {
        std::int32_t value = 0;
        if (!ReadTaggedLong(value)) return false;
        std::memcpy(member, &value, sizeof value);
        break;
    }
    case PmDecode::Text: {
        std::size_t full = 0;
        if (!ReadTaggedText(reinterpret_cast<char*>(member), slot.Size, &full)) return false;
        PmReportReaderCut(layout.Kind, record, slot.Name, full, reinterpret_cast<const char*>(member));
        return true;
    }
    case PmDecode::Ext: {
        PmExtBlock block{};
        if (!ReadExtendedBlock(block, m_extData[slot.ExtIndex % 4])) return false;
        std::memcpy(member, &block, sizeof block);
        break;
    }
    case PmDecode::Double: {
        double value = 0;
        if (!ReadTaggedDouble(value)) return false;
        std::memcpy(member, &value, sizeof value);
        break;
    }
    case PmDecode::Repeat: {
        PmRepeatInfo repeat{};
        if (!ReadRepeatEvent(repeat)) return false;
        std::memcpy(member, &repeat, sizeof repeat);
        break;
    }
    }
    if (static_cast<std::int32_t>(pos) == layout.CategoryPos) {
        std::int32_t id = 0;
        std::memcpy(&id, member, sizeof id);
        char* name = reinterpret_cast<char*>(record + layout.CategoryNameOffset);
        if (!GetCategoryText(id, name, layout.CategoryNameSize))
            name[0] = '\0';
        else
            PmReportReaderCut(layout.Kind, record, "Category", std::strlen(m_categories->FindByID(id)->GetName()),
                              name);
    }
    return true;
}

bool PmDBUtil::CheckNothingMore(const PmRecordLayout& layout, std::uint32_t positions, unsigned char* scratch,
                                std::uint32_t recordCount) {
    const std::uint64_t left = BytesLeft();
    if (left == 0 || positions == 0 || scratch == nullptr) return true;
    const long at = GetFilePosition();
    bool read = true;
    for (std::uint32_t pos = 0; pos < positions && read; ++pos) read = ReadField(layout, pos, scratch);
    if (read) {
        CX_LOG(kLogCritical, "More records follow the %u records that the header counts, file position: %ld.",
               recordCount, at);
        SetCause("it holds more records than the " + std::to_string(recordCount) + " its header counts.");
        return false;
    }
    CX_LOG(kLogDetail, "%llu bytes after the last record are not read.", static_cast<unsigned long long>(left));
    return true;
}

void PmDBUtil::NoteLoadFailure(const char* path, const char* fallbackCause) {
    CxNoteFailure(path != nullptr ? path : "", m_cause.empty() ? std::string(fallbackCause) : m_cause);
}
