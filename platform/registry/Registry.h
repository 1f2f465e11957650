#pragma once
// Read-only access to the registry of the Wine prefix, where a Palm
// Desktop, Lotus Notes, ACT! or Outlook installed under Wine keeps its
// settings.
//
// HKEY_LOCAL_MACHINE is "$WINEPREFIX/system.reg", HKEY_CURRENT_USER is
// "$WINEPREFIX/user.reg", and HKEY_CLASSES_ROOT is "Software\Classes" of the
// user's file, then of the machine's; $WINEPREFIX defaults to "~/.wine".
// A "SOFTWARE\..." key of the local machine that does not hold the value is
// also looked up as "SOFTWARE\Wow6432Node\...", where 32-bit programs keep
// theirs on a 64-bit prefix. Key paths and value names are matched without
// regard to case; only text values (plain and expandable) are read.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class RegistryRoot {
    LocalMachine,
    CurrentUser,
    ClassesRoot,
};

// The Wine prefix folder, without a trailing separator.
std::string WinePrefix();

// The text of a value; an empty value name reads the key's default value.
// Nothing when the file, the key or the value is missing or not a text.
std::optional<std::string> RegistryReadString(RegistryRoot root, std::string_view keyPath, std::string_view valueName);

// True when the key exists (with the same Wow6432Node rule).
bool RegistryKeyExists(RegistryRoot root, std::string_view keyPath);

// A Windows path ("C:\Program Files\Lotus\Notes\") as a path of this
// system, through the drive links of "$WINEPREFIX/dosdevices":
// "<prefix>/dosdevices/c:/Program Files/Lotus/Notes/". Components are
// matched on disk without regard to case; a trailing separator is kept.
// Any other text (a path of this system, a network path, an empty text) is
// returned unchanged.
std::string TranslateWindowsPath(std::string_view windowsPath);

// RegistryReadString followed by TranslateWindowsPath.
std::optional<std::string> RegistryReadPath(RegistryRoot root, std::string_view keyPath, std::string_view valueName);

}  // namespace platform
