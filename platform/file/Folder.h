#pragma once
// What a path names, and the entries of a folder.
#include <string>
#include <vector>

namespace platform::file {

// What a path names, following symbolic links.
enum class PathKind { Missing, File, Folder, Other };
PathKind KindOf(const std::string& path);
inline bool IsRegularFile(const std::string& path) { return KindOf(path) == PathKind::File; }
inline bool IsFolder(const std::string& path) { return KindOf(path) == PathKind::Folder; }

// Which entries a listing gives: "." and ".." never.
enum class Entries {
    All,      // every entry, whatever it names
    Files,    // regular files (links followed)
    Folders,  // folders (links followed)
};
// How a listing is ordered.
enum class Order {
    None,    // as the folder gives them (cheapest)
    Name,    // by bytes
    NoCase,  // as a Windows folder lists them: by name without regard to
             // case, names that differ only in case by bytes
};

// Names (not paths) of the entries of `folder`. False, with the reason in
// `error` when given and `names` empty, when the folder cannot be read: it
// is missing, not a folder, or not readable.
bool ListFolder(const std::string& folder, std::vector<std::string>& names, Entries which = Entries::All,
                Order order = Order::None, std::string* error = nullptr);

}  // namespace platform::file
