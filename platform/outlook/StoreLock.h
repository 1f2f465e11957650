#pragma once
// One migration per store: the lock file ".ferrywise.lock" in the store's
// folder, held by this process from the first load of the store until its
// migration ended; and what the store tells of the files it skipped or
// could not read.
#include <string>
#include <vector>

namespace platform::outlook {

// How long a second process waits for the store, in milliseconds.
inline constexpr int kStoreLockWaitMs = 10000;

// Takes the lock of the store at `root` (Store::DefaultRoot() when empty),
// making the folder when missing; waits up to `waitMs`. True when this
// process holds it.
bool LockStore(const std::string& root = std::string(), int waitMs = kStoreLockWaitMs);
void UnlockStore();
// True when this process holds the lock of the store at `root`.
bool IsStoreLocked(const std::string& root);

// The lines the store left since the last call: files skipped as
// malformed, too large or no regular file.
std::vector<std::string> TakeStoreNotes();
// The item files of a kind's folder (0 contacts, 1 calendar, 2 tasks,
// 3 notes) in the store at Store::DefaultRoot() that exist but could not
// be read, full paths.
std::vector<std::string> UnreadableItems(int kind);
void AddStoreNote(const std::string& note);

// Makes every write to the store at Store::DefaultRoot() since its last
// flush durable; a migration calls it when a kind's items are written. True
// when the store is not open; on failure `error` holds the cause.
bool FlushStore(std::string* error);

}  // namespace platform::outlook
