#include "platform/outlook/StoreLock.h"

#include <mutex>

#include "platform/file/FileLock.h"
#include "platform/outlook/Store.h"
#include "platform/paths/Paths.h"

namespace platform::outlook {

namespace {

struct LockState {
    std::mutex mutex;
    platform::file::FileLock lock;
    std::string root;
    std::vector<std::string> notes;
};

LockState& State() {
    static LockState state;
    return state;
}

}  // namespace

bool LockStore(const std::string& root, int waitMs) {
    const std::string folder = WithTrailingSeparator(root.empty() ? Store::DefaultRoot() : root);
    if (folder.empty() || folder == "/" || !EnsureFolderTree(folder)) return false;
    LockState& s = State();
    std::lock_guard guard(s.mutex);
    if (!s.lock.Acquire(folder + ".ferrywise.lock", waitMs)) return false;
    s.root = folder;
    return true;
}

void UnlockStore() {
    LockState& s = State();
    std::lock_guard guard(s.mutex);
    s.lock.Release();
    s.root.clear();
}

bool IsStoreLocked(const std::string& root) {
    LockState& s = State();
    std::lock_guard guard(s.mutex);
    return s.lock.Held() && s.root == WithTrailingSeparator(root);
}

std::vector<std::string> TakeStoreNotes() {
    LockState& s = State();
    std::lock_guard guard(s.mutex);
    std::vector<std::string> notes;
    notes.swap(s.notes);
    return notes;
}

std::vector<std::string> UnreadableItems(int kind) {
    std::vector<std::string> paths;
    if (kind < 0 || kind > 3) return paths;
    const std::string root = Store::DefaultRoot();
    if (root.empty()) return paths;
    const std::shared_ptr<Store> store = Store::Get(root);
    if (!store) return paths;
    const StoreFolder& folder = store->Folder(static_cast<ItemKind>(kind));
    for (const std::string& name : folder.unreadable) paths.push_back(folder.path + name);
    return paths;
}

void AddStoreNote(const std::string& note) {
    LockState& s = State();
    std::lock_guard guard(s.mutex);
    if (s.notes.size() < 1000) s.notes.push_back(note);
}

bool FlushStore(std::string* error) {
    const std::string root = Store::DefaultRoot();
    if (root.empty()) return true;
    const std::shared_ptr<Store> store = Store::Find(root);
    return !store || store->Flush(error);
}

}  // namespace platform::outlook
