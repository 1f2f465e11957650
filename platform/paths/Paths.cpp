#include "platform/paths/Paths.h"

#include "platform/paths/PrivateFiles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/file/Folder.h"
#include "platform/text/AsciiCase.h"

namespace platform {

namespace {

std::string Getenv(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != kPathSeparator) folder.push_back(kPathSeparator);
    return folder;
}

std::string HomeFolder() {
    std::string home = Getenv("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return std::string();
}

std::string AppDataFolder(bool create) {
    std::string base = Getenv("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = HomeFolder();
        if (home.empty()) return std::string();
        base = home + "/.local/share";
    }
    if (create && !EnsureFolderTree(base)) return std::string();
    return WithTrailingSeparator(base);
}

std::string DataFolder(std::string* why) {
    const std::string base = AppDataFolder(true);
    if (base.empty()) {
        if (why != nullptr) {
            const std::string wanted = AppDataFolder(false);
            *why = wanted.empty() ? "no home folder is known" : "the folder " + wanted + " cannot be made";
        }
        return std::string();
    }
    const std::string norrbek = base + "norrbek/";
    for (const std::string& folder : {norrbek, norrbek + "FRWYCommon"}) {
        if (!EnsureFolder(folder)) {
            if (why != nullptr) *why = "the folder " + folder + " cannot be made";
            return std::string();
        }
    }
    const std::string data = norrbek + "FRWY/";
    if (!MakePrivateFolder(data, why)) return std::string();
    return data;
}

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    std::string config = Getenv("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=";
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (!value.empty() && value.front() == '/') return WithTrailingSeparator(value);
    }
    return WithTrailingSeparator(home + "/Documents");
}

std::string ProgramFolder() {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return std::string("./");
    std::string exe(buf.data(), static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind(kPathSeparator);
    if (slash == std::string::npos) return std::string("./");
    return exe.substr(0, slash + 1);
}

bool EnsureFolderTree(const std::string& path) {
    if (path.empty()) return false;
    std::string partial;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t next = path.find(kPathSeparator, pos);
        if (next == std::string::npos) next = path.size();
        partial = path.substr(0, next);
        if (!partial.empty() && !EnsureFolder(partial)) return false;
        pos = next + 1;
    }
    return true;
}

bool EnsureFolder(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0700) == 0) return true;
    return errno == EEXIST && file::IsFolder(path);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

std::string ResolvePath(const std::string& path) {
    if (path.empty() || PathExists(path)) return path;
    std::string result;
    std::size_t pos = 0;
    if (path.front() == kPathSeparator) {
        result = "/";
        pos = 1;
    }
    bool matching = true;  // stays true while every component so far exists
    while (pos < path.size()) {
        std::size_t next = path.find(kPathSeparator, pos);
        const bool last = next == std::string::npos;
        if (last) next = path.size();
        std::string component = path.substr(pos, next - pos);
        if (matching && !component.empty() && component != "." && component != "..") {
            const std::string candidate = result + component;
            if (!PathExists(candidate)) {
                const std::string folder = result.empty() ? std::string(".") : result;
                bool found = false;
                std::vector<std::string> names;
                file::ListFolder(folder, names);
                for (const std::string& name : names) {
                    if (EqualsNoCase(name, component)) {
                        component = name;
                        found = true;
                        break;
                    }
                }
                matching = found;
            }
        }
        result += component;
        if (!last) result.push_back(kPathSeparator);
        pos = next + 1;
    }
    return result;
}

}  // namespace platform
