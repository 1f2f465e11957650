#include "common/palm/PmDesktop.h"

#include <mutex>
#include <optional>

#include "common/records/CommKinds.h"
#include "platform/paths/Paths.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/registry/Registry.h"
#include "platform/text/TextCopy.h"
#include "platform/version/FileVersion.h"

namespace {

constexpr const char* kUserCoreKey = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
constexpr const char* kMachineCoreKey = "Software\\PalmSource\\Desktop\\Core";
constexpr std::size_t kPathBufferSize = 260;

std::mutex g_folderMutex;
std::string g_programFolder;  // empty: the program's own folder

// Puts a folder into the caller's buffer when it fits with its terminator.
int Deliver(const std::string& folder, char* buffer, std::size_t size) {
    if (folder.size() >= size) {
        buffer[0] = '\0';
        return kPmPathTooLong;
    }
    platform::CopyText(buffer, size, folder);
    return kPmPathFound;
}

// The folder part of a program path, drive included, ending with its
// separator; empty when the path names no folder.
std::string FolderOf(const std::string& programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
}

}  // namespace

std::string PmProgramFolder() {
    {
        std::lock_guard lock(g_folderMutex);
        if (!g_programFolder.empty()) return g_programFolder;
    }
    return platform::ProgramFolder();
}

void PmSetProgramFolder(const std::string& folder) {
    std::lock_guard lock(g_folderMutex);
    g_programFolder = folder.empty() ? folder : platform::WithTrailingSeparator(folder);
}

int GetPalmDesktopPath(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return kPmPathNoBuffer;
    buffer[0] = '\0';

    // An explicit folder beside the program wins over the registry.
    const std::optional<std::string> configured =
        platform::ReadProfileString(PmProgramFolder() + "norrbek.ini", "Path", "PDPath");
    if (configured && !configured->empty()) {
        // Read at most as much as the buffer holds, as a profile read does.
        std::string value = configured->substr(0, platform::Utf8PrefixLength(*configured, size - 1));
        return Deliver(platform::TranslateWindowsPath(value), buffer, size);
    }

    platform::RegistryRoot root = platform::RegistryRoot::CurrentUser;
    const char* key = kUserCoreKey;
    if (!platform::RegistryKeyExists(root, key)) {
        root = platform::RegistryRoot::LocalMachine;
        key = kMachineCoreKey;
        if (!platform::RegistryKeyExists(root, key)) return kPmPathNotFound;
    }

    const std::optional<std::string> desktop = platform::RegistryReadString(root, key, "DesktopPath");
    if (desktop && !desktop->empty()) return Deliver(platform::TranslateWindowsPath(*desktop), buffer, size);

    // The folder of the HotSync program, which Palm Desktop shares.
    const std::optional<std::string> hotSync = platform::RegistryReadString(root, key, "HotSyncPath");
    if (!hotSync || hotSync->size() >= kPathBufferSize) return kPmPathNotFound;
    const std::string folder = FolderOf(*hotSync);
    if (folder.empty()) return kPmPathNotFound;
    return Deliver(platform::TranslateWindowsPath(folder), buffer, size);
}

std::uint32_t GetPalmDesktopVersion() {
    char folder[kPathBufferSize];
    if (GetPalmDesktopPath(folder, sizeof folder) != kPmPathFound) return kPmUnknownVersion;
    // The folder may already end with a separator; a doubled one is harmless.
    const std::string program = std::string(folder) + platform::kPathSeparator + "palm.exe";
    platform::FixedFileVersion version;
    if (!platform::ReadFileVersion(program, version)) return kPmUnknownVersion;
    const std::uint32_t major = version.fileVersionMS >> 16;
    const std::uint32_t minor = version.fileVersionMS & 0xFFFFu;
    const std::uint32_t third = version.fileVersionLS >> 16;
    return major * 10000u + minor * 100u + third;
}

int PmInstalledGeneration(int kind, std::uint32_t version) {
    if (version >= 60000u) return kPmGenEx2;
    if (version >= 40102u) return kPmGenEx;
    if (version >= 30500u) return kPmGenEarly;
    // Calendar and tasks of older releases still use the earlier format.
    return (kind == CommKindDate || kind == CommKindTask) ? kPmGenEarly : kPmGenNone;
}
