// Default locations that the option pages offer: the ACT! database in the
// documents folder, the ACT!, Outlook and Lotus Notes programs and files
// named in the registry, and the versions of the programs.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/AppCommon.h"
#include "common/misc/DispCmd.h"
#include "common/palm/PmDesktop.h"
#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/TextCopy.h"
#include "platform/version/FileVersion.h"

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

// The folder OUTLOOK.EXE was installed in, from its App Paths entry,
// ending with a separator.
std::optional<std::string> OutlookProgramFolder() {
    auto path =
        platform::RegistryReadPath(platform::RegistryRoot::LocalMachine,
                                   "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE", "Path");
    if (!path || path->empty()) return std::nullopt;
    return platform::WithTrailingSeparator(*path);
}

// The "Version" that "Outlook.Application" tells through automation;
// empty when it does not answer.
std::string AskOutlookVersion() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(u"Outlook.Application", &clsid))) return std::string();
    void* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, &object)) || object == nullptr)
        return std::string();
    auto* dispatch = static_cast<IDispatch*>(object);
    CDispCmd application(dispatch);
    dispatch->Release();  // the wrapper holds its own reference
    char version[64] = "";
    if (application.GetString(u"Version", version, sizeof version) != S_OK) return std::string();
    return version;
}

}  // namespace

std::string FileVersionText(const std::string& path) {
    platform::FixedFileVersion version;
    if (path.empty() || !platform::ReadFileVersion(platform::ResolvePath(path), version)) return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(version.fileVersionMS >> 16),
                  static_cast<unsigned>(version.fileVersionMS & 0xFFFF),
                  static_cast<unsigned>(version.fileVersionLS >> 16),
                  static_cast<unsigned>(version.fileVersionLS & 0xFFFF));
    return text;
}

bool GetActProgramPath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder =
        platform::RegistryReadPath(platform::RegistryRoot::LocalMachine, "SOFTWARE\\ACT\\Install", "InstallPath");
    const auto name =
        platform::RegistryReadString(platform::RegistryRoot::LocalMachine, "SOFTWARE\\ACT\\Install", "AppName");
    if (!folder || folder->empty() || !name || name->empty()) return false;
    return Give(platform::ResolvePath(platform::WithTrailingSeparator(*folder) + *name), buffer, size);
}

bool GetOutlookProgramPath(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    const auto folder = OutlookProgramFolder();
    return folder && Give(platform::ResolvePath(*folder + "OUTLOOK.EXE"), buffer, size);
}

std::string GetOutlookVersionText() {
    if (const auto folder = OutlookProgramFolder()) {
        std::string text = FileVersionText(*folder + "OUTLOOK.EXE");
        if (!text.empty()) return text;
    }
    // No Outlook program registered: the Outlook that answers tells its own.
    return AskOutlookVersion();
}

std::string GetPalmDesktopVersionText() {
    char folder[260];
    if (GetPalmDesktopPath(folder, sizeof folder) != kPmPathFound) return std::string();
    return FileVersionText(platform::WithTrailingSeparator(folder) + "palm.exe");
}

std::string GetNotesVersionText() {
    const auto folder = NotesProgramFolder();
    return folder ? FileVersionText(*folder + "Notes.exe") : std::string();
}

bool IsActTextExport(const char* path) {
    if (path == nullptr) return false;
    return platform::EndsWithNoCase(path, ".csv") || platform::EndsWithNoCase(path, ".txt");
}

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
