#pragma once
// The folders the system keeps its files in, and file names that came from
// Windows.
#include <string>

namespace platform {

// The separator that ends folder paths and joins their components.
inline constexpr char kPathSeparator = '/';

// The user's home folder ($HOME, else the password database entry).
std::string HomeFolder();

// The per-user application-data folder: $XDG_DATA_HOME, else
// ~/.local/share, ending with a separator. When `create` is set it is made
// when missing; an empty result means it cannot be had.
std::string AppDataFolder(bool create);

// The system's per-user data folder "<application data>/norrbek/FRWY/",
// made when missing together with its sibling "FRWYCommon", and readable by
// its owner only (mode 0700, also when it existed before). Empty when a
// folder cannot be made or narrowed, with the reason in `why` when given.
std::string DataFolder(std::string* why = nullptr);

// The user's documents folder: XDG_DOCUMENTS_DIR of user-dirs.dirs, else
// ~/Documents; ends with a separator.
std::string DocumentsFolder();

// The folder of the running program file, ending with a separator.
std::string ProgramFolder();

// Creates one folder when it does not exist yet; true when it exists after
// the call.
bool EnsureFolder(const std::string& path);

// Creates a folder and its missing parents; true when it exists after the
// call.
bool EnsureFolderTree(const std::string& path);

// True when a file or folder of that path exists.
bool PathExists(const std::string& path);

// The path as it exists on disk. Each component that does not exist with
// its exact case is replaced by the entry of its folder that matches it
// without regard to case (files copied from Windows keep their own casing).
// Components that match nothing are kept as they are, so the result of a
// path to a file not yet made is the path given.
std::string ResolvePath(const std::string& path);

// Appends a separator to a non-empty folder path that does not end in one.
std::string WithTrailingSeparator(std::string folder);

}  // namespace platform
