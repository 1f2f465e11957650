// Default locations that the option pages offer: the ACT! database in the
// documents folder, and the Lotus Notes files named in the registry.
#include <optional>
#include <string>
#include <vector>

#include "app/AppCommon.h"
#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/TextCopy.h"

namespace {

using platform::file::IsFolder;
using platform::file::IsRegularFile;

// The entries of a folder in the order a Windows folder lists them (by
// name, without regard to case); none for a folder that cannot be read.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    platform::file::ListFolder(folder, names, platform::file::Entries::All, platform::file::Order::NoCase);
    return names;
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
            if (platform::EndsWithNoCase(file, ".pad") && IsRegularFile(databases + "/" + file))
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
    if (!IsRegularFile(path)) return true;  // no notebook: an empty path
    return Give(path, buffer, size);
}
