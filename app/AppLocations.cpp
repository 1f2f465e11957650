// Default locations that the option pages offer: the ACT! database in the
// documents folder, and the Lotus Notes files named in the registry.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/AppCommon.h"
#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/text/TextCopy.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The entries of a folder in the order a Windows folder lists them (by
// name, without regard to case).
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = ::strcasecmp(a.c_str(), b.c_str());
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool EndsWithNoCase(const std::string& text, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return text.size() >= n && ::strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

bool Give(const std::string& path, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0 || path.size() >= size) return false;
    platform::CopyText(buffer, size, path);
    return true;
}

// The Lotus Notes program folder, ending with a separator.
std::optional<std::string> NotesProgramFolder() {
    auto path = platform::RegistryReadPath(platform::RegistryRoot::LocalMachine, "SOFTWARE\\Lotus\\Notes", "Path");
    if (!path || path->empty()) return std::nullopt;
    return platform::WithTrailingSeparator(*path);
}

// The Lotus Notes data folder, ending with a separator.
std::optional<std::string> NotesDataFolder() {
    auto path =
        platform::RegistryReadPath(platform::RegistryRoot::CurrentUser, "SOFTWARE\\Lotus\\Notes\\Installer", "DATADIR");
    if (!path || path->empty()) return std::nullopt;
    return platform::WithTrailingSeparator(*path);
}

}  // namespace

bool FindActDatabase(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const std::string act = platform::ResolvePath(platform::DocumentsFolder() + "ACT");
    for (const std::string& name : Entries(act)) {
        const std::string sub = act + "/" + name;
        if (!IsFolder(sub)) continue;
        // Only the first subfolder counts.
        const std::string databases = platform::ResolvePath(sub + "/Databases");
        for (const std::string& file : Entries(databases))
            if (EndsWithNoCase(file, ".pad") && IsFile(databases + "/" + file))
                return Give(databases + "/" + file, buffer, size);
        return false;
    }
    return false;
}

bool GetNotesProgramPath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder = NotesProgramFolder();
    return folder && Give(platform::ResolvePath(*folder + "Notes.exe"), buffer, size);
}

bool GetNotesIdFilePath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder = NotesProgramFolder();
    return folder && Give(platform::ResolvePath(*folder + "Data/user.id"), buffer, size);
}

bool GetNotesAddressBookPath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder = NotesDataFolder();
    return folder && Give(platform::ResolvePath(*folder + "names.nsf"), buffer, size);
}

bool GetNotesNotebookPath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder = NotesDataFolder();
    if (!folder) return false;
    const std::string path = platform::ResolvePath(*folder + "notebook.nsf");
    if (!IsFile(path)) return true;  // no notebook: an empty path
    return Give(path, buffer, size);
}
