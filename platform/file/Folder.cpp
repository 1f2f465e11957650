#include "platform/file/Folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/text/AsciiCase.h"

namespace platform::file {

namespace {

PathKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return PathKind::File;
    if (S_ISDIR(mode)) return PathKind::Folder;
    return PathKind::Other;
}

// Tells from the entry's type where the folder gives it, else from stat.
PathKind KindOfEntry(const std::string& folder, const dirent& entry) {
    switch (entry.d_type) {
    case DT_REG: return PathKind::File;
    case DT_DIR: return PathKind::Folder;
    case DT_LNK:
    case DT_UNKNOWN: break;
    default: return PathKind::Other;
    }
    std::string path = folder;
    if (path.empty() || path.back() != '/') path.push_back('/');
    return KindOf(path + entry.d_name);
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

PathKind KindOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return PathKind::Missing;
    return KindOfMode(st.st_mode);
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names, Entries which, Order order,
                std::string* error) {
    names.clear();
    std::unique_ptr<DIR, DirCloser> dir(folder.empty() ? nullptr : ::opendir(folder.c_str()));
    if (!dir) {
        const int cause = folder.empty() ? ENOENT : errno;
        if (error != nullptr) *error = "Cannot list the folder \"" + folder + "\": " + std::strerror(cause);
        return false;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno == 0) break;
            const int cause = errno;
            names.clear();
            if (error != nullptr) *error = "Cannot list the folder \"" + folder + "\": " + std::strerror(cause);
            return false;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (which != Entries::All) {
            const PathKind kind = KindOfEntry(folder, *entry);
            if (kind != (which == Entries::Files ? PathKind::File : PathKind::Folder)) continue;
        }
        names.emplace_back(entry->d_name);
    }
    if (order == Order::Name) {
        std::sort(names.begin(), names.end());
    } else if (order == Order::NoCase) {
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            const int c = CompareNoCase(a, b);
            return c != 0 ? c < 0 : a < b;
        });
    }
    return true;
}

}  // namespace platform::file
