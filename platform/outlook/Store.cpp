#include "platform/outlook/Store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>

#include "platform/file/AtomicFile.h"
#include "platform/file/DataFile.h"
#include "platform/file/Folder.h"
#include "platform/outlook/ContactCard.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/ItemCalendar.h"
#include "platform/outlook/StoreLock.h"
#include "platform/paths/Paths.h"
#include "platform/process/Parallel.h"
#include "platform/text/AsciiCase.h"

namespace platform::outlook {

namespace {

double Now() {
    double d = 0;
    UtcToLocalDate(std::time(nullptr), d);
    return d;
}

// A file larger than this is no item of ours and is not read.
constexpr std::size_t kMaxItemFileSize = std::size_t{64} << 20;

// The temporary file names earlier versions of Save used: "." + 32 hex
// digits + extension + ".tmp".
bool IsOldTemporaryName(const std::string& name, const char* extension) {
    const std::string ext = std::string(extension) + ".tmp";
    if (name.size() != 1 + 32 + ext.size() || name[0] != '.' || name.compare(33, std::string::npos, ext) != 0)
        return false;
    for (std::size_t i = 1; i < 33; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

}  // namespace

const char* FileExtension(ItemKind kind) { return kind == ItemKind::Contact ? ".vcf" : ".ics"; }

std::string Store::DefaultRoot() {
    if (const char* env = std::getenv("FRWY_OUTLOOK_STORE"); env != nullptr && *env != '\0')
        return WithTrailingSeparator(env);
    const std::string data = AppDataFolder(true);
    if (data.empty()) return std::string();
    return data + "norrbek/Outlook/";
}

namespace {

std::map<std::string, std::weak_ptr<Store>>& OpenStores() {
    static std::map<std::string, std::weak_ptr<Store>> open;
    return open;
}

}  // namespace

std::shared_ptr<Store> Store::Find(const std::string& root) {
    auto& open = OpenStores();
    const auto it = open.find(WithTrailingSeparator(root));
    return it == open.end() ? nullptr : it->second.lock();
}

std::shared_ptr<Store> Store::Get(const std::string& root) {
    if (auto store = Find(root)) return store;
    auto store = std::make_shared<Store>();
    const std::string key = WithTrailingSeparator(root);
    if (!store->Open(key)) return nullptr;
    OpenStores()[key] = store;
    return store;
}

// Writes made outside a migration (that flushes them itself) become
// durable when the store closes, as far as they can.
Store::~Store() { Flush(); }

bool Store::Flush(std::string* error) {
    if (!m_flushFault.empty()) {
        if (error != nullptr) *error = m_flushFault;
        m_flushFault.clear();
        m_pending.Flush();
        return false;
    }
    return m_pending.Empty() || m_pending.Flush(error);
}

std::string Store::Encode(const ItemData& item) {
    return item.kind == ItemKind::Contact ? ContactToVCard(item) : CalendarItemToIcs(item);
}

bool Store::Decode(const std::string& text, ItemData& item) {
    return item.kind == ItemKind::Contact ? ContactFromVCard(text, item) : CalendarItemFromIcs(text, item);
}

void Store::ReadBack(ItemData& item) {
    if (item.unread.empty()) return;
    ItemData reread(item.kind);
    if (Decode(item.unread, reread)) {
        reread.entryId = std::move(item.entryId);
        item = std::move(reread);
    } else {
        item.unread.clear();  // the values saved stay the item's
    }
}

bool Store::Open(const std::string& root) {
    if (root.empty()) return false;
    m_root = WithTrailingSeparator(root);
    // Make every missing folder of the path.
    for (std::size_t pos = 1; pos < m_root.size(); ++pos) {
        if (m_root[pos] == '/' && !EnsureFolder(m_root.substr(0, pos))) return false;
    }
    static const char* names[4] = {"Contacts", "Calendar", "Tasks", "Notes"};
    for (int k = 0; k < 4; ++k) {
        StoreFolder& f = m_folders[static_cast<std::size_t>(k)];
        f = StoreFolder{};
        f.kind = static_cast<ItemKind>(k);
        f.name = names[k];
        f.path = m_root + names[k] + "/";
        if (!EnsureFolder(f.path.substr(0, f.path.size() - 1)) || !LoadFolder(f)) return false;
    }
    // A stable identifier of the store's folder.
    std::uint64_t hash = 1469598103934665603ull;
    for (char c : m_root) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char buf[64];
    std::snprintf(buf, sizeof buf, "0000000046524F5753544F5245%016llX", static_cast<unsigned long long>(hash));
    m_storeId = buf;
    return true;
}

bool Store::LoadFolder(StoreFolder& folder) {
    std::vector<std::string> entries;
    if (!platform::file::ListFolder(folder.path, entries)) return false;
    std::vector<std::string> names;
    // Only the holder of the store's lock may take away what a killed run
    // of ours left behind.
    const bool locked = IsStoreLocked(m_root);
    for (const std::string& name : entries) {
        if (locked && (IsOldTemporaryName(name, FileExtension(folder.kind)) || platform::file::IsTemporaryName(name))) {
            if (::unlink((folder.path + name).c_str()) == 0)
                AddStoreNote("Removed a temporary file left by an earlier run: " + folder.path + name);
            continue;
        }
        if (name.empty() || name[0] == '.') continue;  // hidden files, among them our temporary ones
        if (platform::EndsWithNoCase(name, FileExtension(folder.kind))) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    const std::size_t extLength = std::char_traits<char>::length(FileExtension(folder.kind));
    // The files are read, and contacts parsed, by several threads; what
    // each file gave is then taken in the order of the names. Contacts are
    // read in one pass, each thread taking the next file as it is done;
    // calendar items are parsed here, one after the other (the calendar
    // library keeps state of its own for the whole process), and read a
    // batch at a time, so that their texts are not all held at once.
    using platform::file::OpenFailure;
    const bool parseInBatch = folder.kind == ItemKind::Contact;
    struct Loaded {
        OpenFailure read = OpenFailure::None;
        std::string text;
        std::shared_ptr<ItemData> item;
        bool decoded = false;
    };
    const auto parse = [&folder](Loaded& loaded) {
        loaded.item = std::make_shared<ItemData>(folder.kind);
        loaded.decoded = Decode(loaded.text, *loaded.item);
        loaded.text = std::string();
    };
    const std::size_t batchSize = parseInBatch ? std::max<std::size_t>(names.size(), 1) : 256;
    std::vector<Loaded> batch;
    for (std::size_t first = 0; first < names.size(); first += batchSize) {
        const std::size_t count = std::min(batchSize, names.size() - first);
        batch.assign(count, Loaded{});
        platform::process::ForEachIndex(count, platform::process::Processors(), [&](std::size_t i) {
            Loaded& loaded = batch[i];
            loaded.read = platform::file::ReadWholeFile(folder.path + names[first + i], kMaxItemFileSize, loaded.text);
            if (loaded.read == OpenFailure::None && parseInBatch) parse(loaded);
        });
        for (std::size_t i = 0; i < count; ++i) {
            Loaded& loaded = batch[i];
            const std::string& name = names[first + i];
            const std::string path = folder.path + name;
            if (loaded.read == OpenFailure::NotRegular || loaded.read == OpenFailure::Missing) {
                AddStoreNote("Skipped an entry of the store that is no regular file: " + path);
                continue;
            }
            if (loaded.read == OpenFailure::TooLarge) {
                AddStoreNote("Skipped a store file larger than 64 MiB: " + path);
                continue;
            }
            if (loaded.read != OpenFailure::None) {
                // Its item exists but cannot be read: loading the folder
                // fails rather than creating the item a second time.
                folder.unreadable.push_back(name);
                continue;
            }
            if (!parseInBatch) parse(loaded);
            if (!loaded.decoded) {
                AddStoreNote("Skipped a malformed store file: " + path);
                continue;
            }
            loaded.item->entryId = name.substr(0, name.size() - extLength);
            folder.items.push_back(std::move(loaded.item));
        }
    }
    // Items without a place (written by other programs) come first, in
    // the order of their names; then ours in the order they were created.
    std::stable_sort(folder.items.begin(), folder.items.end(),
                     [](const auto& a, const auto& b) { return a->order < b->order; });
    for (const auto& item : folder.items) folder.nextOrder = std::max(folder.nextOrder, item->order + 1);
    return true;
}

std::string Store::NewEntryId() {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(std::time(nullptr))};
    char buf[40];
    std::snprintf(buf, sizeof buf, "%016llX%016llX", static_cast<unsigned long long>(random()),
                  static_cast<unsigned long long>(random()));
    return buf;
}

bool Store::Save(StoreFolder& folder, ItemData& working, std::shared_ptr<ItemData>& stored) {
    if (stored) ReadBack(*stored);
    // A copy of an item not yet read back holds the values that were saved:
    // they are its values, whatever it was read back as.
    working.unread.clear();
    if (stored && folder.kind == ItemKind::Contact) {
        // A contact whose values did not change keeps its file as it is.
        ItemData probe = working;
        probe.SetDate("LastModificationTime", stored->Date("LastModificationTime"));
        if (Encode(probe) == stored->kept) {
            working = *stored;
            return true;
        }
    }
    ItemData next = working;
    const double now = Now();
    if (!stored) {
        next.order = folder.nextOrder;
        next.SetDate("CreationTime", now);
    }
    next.SetDate("LastModificationTime", now);
    platform::file::AtomicOptions options;
    options.pending = &m_pending;
    if (stored) {
        // A file made read-only is not replaced behind its owner's back;
        // a replaced file keeps its permissions.
        struct stat st {};
        if (::stat((folder.path + next.entryId + FileExtension(folder.kind)).c_str(), &st) == 0) {
            if ((st.st_mode & S_IWUSR) == 0) return false;
            options.mode = static_cast<int>(st.st_mode & 07777);
        }
    } else {
        // A new item takes a name no file has: the write fails rather than
        // replace a file already there, and the item takes another name.
        options.createOnly = true;
    }
    std::string text;
    for (int attempt = 0;; ++attempt) {
        if (!stored) next.entryId = NewEntryId();
        text = Encode(next);
        platform::file::AtomicFileWriter writer;
        if (writer.Open(folder.path + next.entryId + FileExtension(folder.kind), options)) {
            writer.Write(text);
            if (writer.Commit()) break;
        }
        if (stored || writer.Failure() != EEXIST || attempt == 8) return false;
    }
    // What the file says from now on is the item (read back on first use).
    next.recurrenceChanged = false;
    if (next.recurring) next.originalRule.clear();
    working = next;  // the values as saved: the caller's copy is not read back
    next.unread = std::move(text);
    if (stored) {
        *stored = std::move(next);
    } else {
        stored = std::make_shared<ItemData>(std::move(next));
        folder.items.push_back(stored);
        folder.nextOrder = stored->order + 1;
    }
    return true;
}

bool Store::Delete(StoreFolder& folder, const std::shared_ptr<ItemData>& stored) {
    auto it = std::find(folder.items.begin(), folder.items.end(), stored);
    if (it == folder.items.end()) return false;
    const std::string path = folder.path + stored->entryId + FileExtension(folder.kind);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return false;
    m_pending.AddFolder(folder.path.substr(0, folder.path.size() - 1));
    folder.items.erase(it);
    return true;
}

}  // namespace platform::outlook
