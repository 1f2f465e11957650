#include "common/palm/PmUsers.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmDesktop.h"
#include "platform/palm/PalmUserLibrary.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"
#include "platform/ui/UserInterface.h"

namespace {

constexpr int kNoEntryPoint = -100;

struct LibrarySlot {
    unsigned flag;
    const char* file;
    bool loaded;
};

// The user library's entry points; empty while it is not loaded.
struct UserEntryPoints {
    std::int16_t (platform::PalmUserLibrary::*GetUserCount)() const = nullptr;
    int (platform::PalmUserLibrary::*GetUserID)(std::int16_t, std::uint32_t*) const = nullptr;
    int (platform::PalmUserLibrary::*GetUserName)(std::uint32_t, char*, std::int16_t*) const = nullptr;
    int (platform::PalmUserLibrary::*GetUserDirectory)(std::uint32_t, char*, std::int16_t*) const = nullptr;
    int (platform::PalmUserLibrary::*GetRootDirectory)(char*, std::int16_t*) const = nullptr;
};

struct PalmUsersState {
    LibrarySlot libraries[4] = {{kPmLibCondMgr, "condmgr.dll", false},
                                {kPmLibUserData, "UserData.dll", false},
                                {kPmLibHSAPI, "HSAPI.DLL", false},
                                {kPmLibInstAide, "instaide.dll", false}};
    platform::PalmUserLibrary userLibrary;
    UserEntryPoints entry;
    std::vector<std::unique_ptr<PalmUserEntry>> users;
    bool usersLoaded = false;
};

PalmUsersState& State() {
    static PalmUsersState state;
    return state;
}

// What the user library exports, by name.
bool UserLibraryExports(const char* name) {
    static const char* const kNames[] = {"UmGetUserCount", "UmGetUserID", "UmGetUserName", "UmGetUserDirectory",
                                         "UmGetRootDirectory"};
    for (const char* known : kNames)
        if (std::strcmp(known, name) == 0) return true;
    return false;
}

void UnloadLibrary(LibrarySlot& slot) {
    PalmUsersState& s = State();
    if (slot.flag == kPmLibUserData) {
        s.entry = UserEntryPoints{};
        s.userLibrary.Unload();
    }
    slot.loaded = false;
}

bool LoadOne(LibrarySlot& slot) {
    UnloadLibrary(slot);
    char folder[kPmPathSize];
    if (GetPalmDesktopPath(folder, sizeof folder) != kPmPathFound) return false;
    if (!platform::PalmLibraryPresent(folder, slot.file)) return false;
    PalmUsersState& s = State();
    if (slot.flag == kPmLibUserData) {
        if (!s.userLibrary.Load(folder)) return false;
        UserEntryPoints& e = s.entry;
        if (UserLibraryExports("UmGetUserCount")) e.GetUserCount = &platform::PalmUserLibrary::UmGetUserCount;
        if (UserLibraryExports("UmGetUserID")) e.GetUserID = &platform::PalmUserLibrary::UmGetUserID;
        if (UserLibraryExports("UmGetUserName")) e.GetUserName = &platform::PalmUserLibrary::UmGetUserName;
        if (UserLibraryExports("UmGetUserDirectory"))
            e.GetUserDirectory = &platform::PalmUserLibrary::UmGetUserDirectory;
        if (UserLibraryExports("UmGetRootDirectory"))
            e.GetRootDirectory = &platform::PalmUserLibrary::UmGetRootDirectory;
    }
    slot.loaded = true;
    return true;
}

// Makes a folder the current directory for the life of the object and then
// returns to the one that was current before.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& folder) {
        std::error_code ec;
        m_previous = std::filesystem::current_path(ec);
        if (ec) m_previous.clear();
        std::filesystem::current_path(platform::ResolvePath(folder), ec);
        if (ec) CX_LOG(kLogCritical, "Can not change to the Palm Desktop folder %s.", folder.c_str());
    }
    ~CurrentDirectoryScope() {
        std::error_code ec;
        const std::filesystem::path back =
            m_previous.empty() ? std::filesystem::path(platform::ProgramFolder()) : m_previous;
        std::filesystem::current_path(back, ec);
    }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::filesystem::path m_previous;
};

}  // namespace

bool LoadPalmLibraries(unsigned flags) {
    for (LibrarySlot& slot : State().libraries) {
        if ((flags & slot.flag) == 0) continue;
        if (!LoadOne(slot)) return false;
    }
    return true;
}

bool IsPalmLibraryLoaded(unsigned flag) {
    for (const LibrarySlot& slot : State().libraries)
        if (slot.flag == flag) return slot.loaded;
    return false;
}

std::int16_t PmUmGetUserCount() {
    const PalmUsersState& s = State();
    return s.entry.GetUserCount ? (s.userLibrary.*s.entry.GetUserCount)() : static_cast<std::int16_t>(kNoEntryPoint);
}

int PmUmGetUserID(std::int16_t index, std::uint32_t* id) {
    const PalmUsersState& s = State();
    return s.entry.GetUserID ? (s.userLibrary.*s.entry.GetUserID)(index, id) : kNoEntryPoint;
}

int PmUmGetUserName(std::uint32_t id, char* buffer, std::int16_t* length) {
    const PalmUsersState& s = State();
    return s.entry.GetUserName ? (s.userLibrary.*s.entry.GetUserName)(id, buffer, length) : kNoEntryPoint;
}

int PmUmGetUserDirectory(std::uint32_t id, char* buffer, std::int16_t* length) {
    const PalmUsersState& s = State();
    return s.entry.GetUserDirectory ? (s.userLibrary.*s.entry.GetUserDirectory)(id, buffer, length) : kNoEntryPoint;
}

int PmUmGetRootDirectory(char* buffer, std::int16_t* length) {
    const PalmUsersState& s = State();
    return s.entry.GetRootDirectory ? (s.userLibrary.*s.entry.GetRootDirectory)(buffer, length) : kNoEntryPoint;
}

void LoadPalmUsers() {
    PalmUsersState& s = State();
    if (s.usersLoaded) return;
    char folder[kPmPathSize];
    if (GetPalmDesktopPath(folder, sizeof folder) != kPmPathFound) return;
    {
        CurrentDirectoryScope inPalmFolder(folder);
        LoadPalmLibraries(kPmLibAll);

        s.users.clear();
        const std::int16_t count = PmUmGetUserCount();
        for (std::int16_t i = 0; i < count; ++i) {
            // Zero-filled, so that a call that fails leaves empty texts.
            auto entry = std::make_unique<PalmUserEntry>();
            PmUmGetUserID(i, &entry->UserID);
            std::int16_t nameLength = sizeof entry->UserName;
            PmUmGetUserName(entry->UserID, entry->UserName, &nameLength);
            std::int16_t dirLength = sizeof entry->UserDirectory;
            PmUmGetUserDirectory(entry->UserID, entry->UserDirectory, &dirLength);
            s.users.push_back(std::move(entry));
        }
        if (count < 0)
            platform::CurrentUserInterface().MessageBox(nullptr,
                                                        "Can not find any Palm users in your desktop environment.",
                                                        "Error", platform::MessageIcon::Error);
        s.usersLoaded = true;
    }
}

bool PalmUsersLoaded() { return State().usersLoaded; }

const std::vector<std::unique_ptr<PalmUserEntry>>& GetPalmUsers() { return State().users; }

bool GetUserDataPath(std::uint32_t userId, char* buffer) {
    if (buffer == nullptr) return false;
    buffer[0] = '\0';
    if (!State().usersLoaded) LoadPalmUsers();

    char root[kPmPathSize] = {};
    std::int16_t length = kPmPathSize;
    // Not loaded (-100) is as much a failure as not found (0).
    if (PmUmGetRootDirectory(root, &length) <= 0 || root[0] == '\0') return false;
    char directory[kPmPathSize] = {};
    length = kPmPathSize;
    if (PmUmGetUserDirectory(userId, directory, &length) != 0 || directory[0] == '\0') return false;

    const std::string path = platform::WithTrailingSeparator(root) + directory + platform::kPathSeparator;
    if (path.size() >= kPmPathSize) return false;
    platform::CopyText(buffer, kPmPathSize, path);
    return true;
}

void PmResetPalmUsers() {
    PalmUsersState& s = State();
    for (LibrarySlot& slot : s.libraries) UnloadLibrary(slot);
    s.users.clear();
    s.usersLoaded = false;
}
