#include "platform/palm/PalmUserLibrary.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/text/LittleEndian.h"
#include "platform/text/TextCopy.h"

namespace platform {

namespace {

constexpr int kNotLoaded = -100;

bool SafeFolderName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string("/\\\0:", 4)) == std::string::npos;
}

// One user's fixed part at `at`; `next` receives the offset after it.
std::optional<PalmUser> ParseUser(const std::string& b, std::size_t at, std::size_t& next) {
    auto id = LittleEndianReader(b).U32(at);
    if (!id || at + 5 > b.size()) return std::nullopt;
    std::size_t pos = at + 4;
    const std::size_t nameLen = static_cast<unsigned char>(b[pos++]);
    if (nameLen == 0 || pos + nameLen >= b.size()) return std::nullopt;
    PalmUser user;
    user.id = *id;
    user.name = b.substr(pos, nameLen);
    pos += nameLen;
    const std::size_t dirLen = static_cast<unsigned char>(b[pos++]);
    if (pos + dirLen > b.size()) return std::nullopt;
    user.directory = b.substr(pos, dirLen);
    if (user.name.find('\0') != std::string::npos || !SafeFolderName(user.directory)) return std::nullopt;
    next = pos + dirLen;
    return user;
}

bool HasPalmDataFolder(const std::string& folder) {
    for (const char* name : {"address", "datebook", "todo", "memopad"}) {
        const std::string path = ResolvePath(folder + "/" + name);
        if (file::IsFolder(path)) return true;
    }
    return false;
}

// A stable ID for a user found only by its folder.
std::uint32_t FolderId(const std::string& name) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h == 0 ? 1 : h;
}

int CopyOut(const std::string& text, char* buffer, std::int16_t* length) {
    if (buffer == nullptr || length == nullptr || *length <= 0) return -2;
    const std::size_t n = CopyText(buffer, static_cast<std::size_t>(*length), text);
    *length = static_cast<std::int16_t>(n);
    return 0;
}

}  // namespace

bool ParseUsersDat(const std::string& b, std::vector<PalmUser>& users) {
    users.clear();
    const LittleEndianReader r(b);
    auto count = r.U16(0);
    if (!count) return false;
    if (*count == 0) return true;
    auto mark = r.U16(2);
    auto nameLen = r.U16(6);
    if (!mark || *mark != 0xFFFF || !nameLen || *nameLen != 5 || b.size() < 13 || b.compare(8, 5, "CUser") != 0)
        return false;
    std::size_t pos = 8 + *nameLen;
    for (std::uint32_t i = 0; i < *count; ++i) {
        std::size_t next = 0;
        auto user = ParseUser(b, pos, next);
        if (!user) return !users.empty();
        users.push_back(*user);
        if (i + 1 == *count) break;
        // The user's own data runs up to the next user's mark: the first
        // 0x8001 after which a whole user follows.
        bool found = false;
        for (std::size_t at = next; at + 2 <= b.size(); ++at) {
            if (static_cast<unsigned char>(b[at]) != 0x01 || static_cast<unsigned char>(b[at + 1]) != 0x80) continue;
            std::size_t after = 0;
            if (ParseUser(b, at + 2, after)) {
                pos = at + 2;
                found = true;
                break;
            }
        }
        if (!found) break;
    }
    return true;
}

bool PalmLibraryPresent(const std::string& palmFolder, const std::string& fileName) {
    if (palmFolder.empty()) return false;
    const std::string path = ResolvePath(WithTrailingSeparator(palmFolder) + fileName);
    return file::IsRegularFile(path);
}

bool PalmUserLibrary::Load(const std::string& palmFolder) {
    Unload();
    const std::string root = ResolvePath(WithTrailingSeparator(palmFolder));
    if (palmFolder.empty() || !file::IsFolder(root)) return false;
    m_root = WithTrailingSeparator(root);
    std::ifstream in(ResolvePath(m_root + "USERS.DAT"), std::ios::binary);
    if (in) {
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ParseUsersDat(bytes, m_users);
    } else if (std::vector<std::string> names; file::ListFolder(m_root, names, file::Entries::All, file::Order::Name)) {
        for (const std::string& name : names)
            if (SafeFolderName(name) && HasPalmDataFolder(m_root + name))
                m_users.push_back(PalmUser{FolderId(name), name, name});
    }
    m_loaded = true;
    return true;
}

void PalmUserLibrary::Unload() {
    m_loaded = false;
    m_root.clear();
    m_users.clear();
}

const PalmUser* PalmUserLibrary::Find(std::uint32_t id) const {
    for (const PalmUser& u : m_users)
        if (u.id == id) return &u;
    return nullptr;
}

std::int16_t PalmUserLibrary::UmGetUserCount() const {
    if (!m_loaded) return kNotLoaded;
    return static_cast<std::int16_t>(std::min<std::size_t>(m_users.size(), 32767));
}

int PalmUserLibrary::UmGetUserID(std::int16_t index, std::uint32_t* id) const {
    if (!m_loaded) return kNotLoaded;
    if (id == nullptr || index < 0 || static_cast<std::size_t>(index) >= m_users.size()) return -1;
    *id = m_users[static_cast<std::size_t>(index)].id;
    return 0;
}

int PalmUserLibrary::UmGetUserName(std::uint32_t id, char* buffer, std::int16_t* length) const {
    if (!m_loaded) return kNotLoaded;
    const PalmUser* u = Find(id);
    return u ? CopyOut(u->name, buffer, length) : -1;
}

int PalmUserLibrary::UmGetUserDirectory(std::uint32_t id, char* buffer, std::int16_t* length) const {
    if (!m_loaded) return kNotLoaded;
    const PalmUser* u = Find(id);
    return u ? CopyOut(u->directory, buffer, length) : -1;
}

int PalmUserLibrary::UmGetRootDirectory(char* buffer, std::int16_t* length) const {
    if (!m_loaded) return kNotLoaded;
    if (buffer == nullptr || length == nullptr || *length <= 0 || m_root.size() >= static_cast<std::size_t>(*length))
        return 0;
    CopyOut(m_root, buffer, length);
    return 1;
}

}  // namespace platform
