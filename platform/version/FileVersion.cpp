#include "platform/version/FileVersion.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/paths/Paths.h"
#include "platform/text/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint32_t kSignature = 0xFEEF04BD;
constexpr std::size_t kFixedInfoSize = 52;  // thirteen 32-bit fields
constexpr std::uint32_t kVersionType = 16;  // the resource type of version information

bool ReadFixedInfo(const LittleEndianReader& r, std::size_t at, FixedFileVersion& out) {
    auto sig = r.U32(at);
    if (!sig || *sig != kSignature) return false;
    auto ms = r.U32(at + 8), ls = r.U32(at + 12), pms = r.U32(at + 16), pls = r.U32(at + 20);
    if (!ms || !ls || !pms || !pls) return false;
    out.fileVersionMS = *ms;
    out.fileVersionLS = *ls;
    out.productVersionMS = *pms;
    out.productVersionLS = *pls;
    return true;
}

// The first signature in a range of bytes followed by a whole fixed
// information block.
bool ScanForFixedInfo(const LittleEndianReader& r, std::size_t from, std::size_t to, FixedFileVersion& out) {
    to = std::min(to, r.Bytes().size());
    for (std::size_t at = from; at + kFixedInfoSize <= to; ++at) {
        if (static_cast<unsigned char>(r.Bytes()[at]) == 0xBD && ReadFixedInfo(r, at, out)) return true;
    }
    return false;
}

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

std::optional<std::size_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint32_t span = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
            const std::uint32_t delta = rva - s.virtualAddress;
            if (delta >= s.rawSize) return std::nullopt;
            return static_cast<std::size_t>(s.rawOffset) + delta;
        }
    }
    return std::nullopt;
}

// Walks one level of the resource directory at `dir` (an offset from the
// resource root) and returns the first entry, or the entry with the given
// id. The high bit of an entry's target marks a subdirectory.
std::optional<std::uint32_t> FindEntry(const LittleEndianReader& r, std::size_t root, std::uint32_t dir,
                                       std::optional<std::uint32_t> id, bool wantDirectory) {
    const std::size_t at = root + dir;
    auto named = r.U16(at + 12), ids = r.U16(at + 14);
    if (!named || !ids) return std::nullopt;
    const std::uint32_t count = *named + *ids;
    for (std::uint32_t i = 0; i < count && i < 4096; ++i) {
        const std::size_t e = at + 16 + static_cast<std::size_t>(i) * 8;
        auto name = r.U32(e), target = r.U32(e + 4);
        if (!name || !target) return std::nullopt;
        if (id && (*name & 0x80000000u || *name != *id)) continue;
        const bool isDirectory = (*target & 0x80000000u) != 0;
        if (isDirectory != wantDirectory) continue;
        return *target & 0x7FFFFFFFu;
    }
    return std::nullopt;
}

bool ParsePe(const LittleEndianReader& r, FixedFileVersion& out) {
    auto peOffset = r.U32(0x3C);
    if (!peOffset) return false;
    auto sig = r.U32(*peOffset);
    if (!sig || *sig != 0x00004550) return false;  // "PE\0\0"
    const std::size_t coff = *peOffset + 4;
    auto sectionCount = r.U16(coff + 2), optSize = r.U16(coff + 16);
    if (!sectionCount || !optSize) return false;
    const std::size_t opt = coff + 20;
    auto magic = r.U16(opt);
    if (!magic) return false;
    std::size_t dataDirs;
    if (*magic == 0x10B)
        dataDirs = opt + 96;  // PE32
    else if (*magic == 0x20B)
        dataDirs = opt + 112;  // PE32+
    else
        return false;
    auto resourceRva = r.U32(dataDirs + 2 * 8);
    if (!resourceRva || *resourceRva == 0) return false;

    std::vector<Section> sections;
    const std::size_t table = opt + *optSize;
    for (std::uint32_t i = 0; i < *sectionCount && i < 96; ++i) {
        const std::size_t s = table + static_cast<std::size_t>(i) * 40;
        auto vsize = r.U32(s + 8), va = r.U32(s + 12), rawSize = r.U32(s + 16), rawOffset = r.U32(s + 20);
        if (!vsize || !va || !rawSize || !rawOffset) return false;
        sections.push_back({*va, *vsize, *rawOffset, *rawSize});
    }
    auto root = RvaToOffset(sections, *resourceRva);
    if (!root) return false;
    auto names = FindEntry(r, *root, 0, kVersionType, true);
    if (!names) return false;
    auto languages = FindEntry(r, *root, *names, std::nullopt, true);
    if (!languages) return false;
    auto data = FindEntry(r, *root, *languages, std::nullopt, false);
    if (!data) return false;
    auto dataRva = r.U32(*root + *data), dataSize = r.U32(*root + *data + 4);
    if (!dataRva || !dataSize) return false;
    auto start = RvaToOffset(sections, *dataRva);
    if (!start) return false;
    // VS_VERSIONINFO: its fixed information follows the key "VS_VERSION_INFO"
    // on a 4-byte boundary; the scan within the block finds it.
    return ScanForFixedInfo(r, *start, *start + *dataSize, out);
}

}  // namespace

bool ParseFileVersion(const std::string& bytes, FixedFileVersion& out) {
    const LittleEndianReader r(bytes);
    if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z' && ParsePe(r, out)) return true;
    return ScanForFixedInfo(r, 0, bytes.size(), out);
}

bool ReadFileVersion(const std::string& path, FixedFileVersion& out) {
    std::ifstream in(ResolvePath(path), std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseFileVersion(bytes, out);
}

}  // namespace platform
