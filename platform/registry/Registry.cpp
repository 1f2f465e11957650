#include "platform/registry/Registry.h"

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "platform/paths/Paths.h"
#include "platform/registry/WineRegistryFile.h"

namespace platform {

namespace {

// Parsed files, kept while their size and modification time stay the same.
class RegistryCache {
public:
    std::shared_ptr<const WineRegistryFile> Get(const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return nullptr;
        std::lock_guard lock(m_mutex);
        Entry& entry = m_entries[path];
        if (entry.file && entry.size == st.st_size && entry.mtimeSec == st.st_mtim.tv_sec &&
            entry.mtimeNsec == st.st_mtim.tv_nsec)
            return entry.file;
        auto file = std::make_shared<WineRegistryFile>();
        if (!file->Load(path)) file.reset();
        entry.file = file;
        entry.size = st.st_size;
        entry.mtimeSec = st.st_mtim.tv_sec;
        entry.mtimeNsec = st.st_mtim.tv_nsec;
        return file;
    }

private:
    struct Entry {
        std::shared_ptr<const WineRegistryFile> file;
        off_t size = 0;
        time_t mtimeSec = 0;
        long mtimeNsec = 0;
    };
    std::mutex m_mutex;
    std::map<std::string, Entry> m_entries;
};

RegistryCache& Cache() {
    static RegistryCache cache;
    return cache;
}

std::shared_ptr<const WineRegistryFile> MachineFile() { return Cache().Get(WinePrefix() + "/system.reg"); }
std::shared_ptr<const WineRegistryFile> UserFile() { return Cache().Get(WinePrefix() + "/user.reg"); }

constexpr std::string_view kSoftware = "software\\";
constexpr std::string_view kWow = "software\\wow6432node";
constexpr std::string_view kClasses = "software\\classes\\";

// The "SOFTWARE\Wow6432Node\..." twin of a "SOFTWARE\..." key, or empty.
std::string WowKey(std::string_view keyPath) {
    const std::string key = WineRegistryFile::NormalizeKey(keyPath);
    if (key.compare(0, kSoftware.size(), kSoftware) != 0) return std::string();
    if (key.compare(0, kWow.size(), kWow) == 0 && (key.size() == kWow.size() || key[kWow.size()] == '\\'))
        return std::string();
    return std::string(kWow) + "\\" + key.substr(kSoftware.size());
}

// Calls `look` on each (file, key) place the key may live in, in order,
// until it gives a result.
template <class Look>
auto Lookup(RegistryRoot root, std::string_view keyPath, Look look) -> decltype(look(WineRegistryFile(), "")) {
    switch (root) {
    case RegistryRoot::LocalMachine:
        if (auto file = MachineFile()) {
            if (auto r = look(*file, keyPath)) return r;
            const std::string wow = WowKey(keyPath);
            if (!wow.empty()) return look(*file, wow);
        }
        return {};
    case RegistryRoot::CurrentUser:
        if (auto file = UserFile()) return look(*file, keyPath);
        return {};
    case RegistryRoot::ClassesRoot: {
        const std::string key = std::string(kClasses) + std::string(keyPath);
        if (auto file = UserFile())
            if (auto r = look(*file, key)) return r;
        if (auto file = MachineFile()) return look(*file, key);
        return {};
    }
    }
    return {};
}

}  // namespace

std::string WinePrefix() {
    const char* env = std::getenv("WINEPREFIX");
    std::string prefix = (env && *env) ? std::string(env) : HomeFolder() + "/.wine";
    while (prefix.size() > 1 && prefix.back() == kPathSeparator) prefix.pop_back();
    return prefix;
}

std::optional<std::string> RegistryReadString(RegistryRoot root, std::string_view keyPath, std::string_view valueName) {
    return Lookup(root, keyPath,
                  [valueName](const WineRegistryFile& file, std::string_view key) { return file.Get(key, valueName); });
}

bool RegistryKeyExists(RegistryRoot root, std::string_view keyPath) {
    return Lookup(root, keyPath, [](const WineRegistryFile& file, std::string_view key) { return file.HasKey(key); });
}

std::string TranslateWindowsPath(std::string_view windowsPath) {
    const std::string_view p = windowsPath;
    const bool drive = p.size() >= 2 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' &&
                       (p.size() == 2 || p[2] == '\\' || p[2] == '/');
    if (!drive) return std::string(windowsPath);
    std::string out = WinePrefix() + "/dosdevices/";
    out.push_back(static_cast<char>(p[0] | 0x20));
    out.push_back(':');
    if (p.size() == 2) out.push_back(kPathSeparator);
    for (std::size_t i = 2; i < p.size(); ++i) {
        const char c = p[i] == '\\' ? kPathSeparator : p[i];
        if (c == kPathSeparator && out.back() == kPathSeparator) continue;  // "C:\\dir" reads as "C:\dir"
        out.push_back(c);
    }
    return ResolvePath(out);
}

std::optional<std::string> RegistryReadPath(RegistryRoot root, std::string_view keyPath, std::string_view valueName) {
    std::optional<std::string> value = RegistryReadString(root, keyPath, valueName);
    if (value) *value = TranslateWindowsPath(*value);
    return value;
}

}  // namespace platform
