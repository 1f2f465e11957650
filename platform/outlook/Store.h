#pragma once
// The Outlook store: one folder of standard files per default folder,
// Contacts (vCard), Calendar, Tasks and Notes (iCalendar), one file per
// item named after its EntryID. Items keep the order in which they were
// created, also across restarts. Every file is replaced atomically; the
// writes are made durable together by Flush (a migration flushes once per
// kind), or at the latest when the store is closed.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/file/AtomicFile.h"
#include "platform/outlook/ItemData.h"

namespace platform::outlook {

struct StoreFolder {
    ItemKind kind = ItemKind::Contact;
    std::string name;                              // "Contacts", "Calendar", "Tasks", "Notes"
    std::string path;                              // ends with a separator
    std::vector<std::shared_ptr<ItemData>> items;  // in creation order
    std::vector<std::string> unreadable;           // files that could not be read, left as they are
    long long nextOrder = 0;
};

class Store {
public:
    Store() = default;
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The store of this user: $FRWY_OUTLOOK_STORE, else
    // "<XDG data home>/norrbek/Outlook/"; ends with a separator.
    static std::string DefaultRoot();

    // The one open store of a folder in this process, opened when needed;
    // null when its folders cannot be made.
    static std::shared_ptr<Store> Get(const std::string& root);
    // The store of a folder when it is open in this process, else null.
    static std::shared_ptr<Store> Find(const std::string& root);

    // Creates the folders when missing and loads every item.
    bool Open(const std::string& root);
    StoreFolder& Folder(ItemKind kind) { return m_folders[static_cast<std::size_t>(kind)]; }
    const std::string& Root() const { return m_root; }
    // The store's identifier, as a folder's "StoreID".
    const std::string& StoreId() const { return m_storeId; }

    // Writes an item's file. A new item (`stored` null) gets its EntryID,
    // its creation time and its place at the end of its folder, and
    // `stored` then points at it; an existing item takes over the values of
    // `working`. False when the file cannot be written: then no file, no
    // item and no value has changed. The saved item is read back from its
    // file on its first use (ReadBack); `working` keeps the values saved,
    // with the EntryID and times the item got.
    bool Save(StoreFolder& folder, ItemData& working, std::shared_ptr<ItemData>& stored);

    // Removes an item and its file; false when the file cannot be removed.
    bool Delete(StoreFolder& folder, const std::shared_ptr<ItemData>& stored);

    // Makes every write and removal since the last flush durable; on
    // failure `error` holds the cause.
    bool Flush(std::string* error = nullptr);
    void SetFlushWay(platform::file::FlushWay way) { m_pending.SetWay(way); }
    // Lets the next Flush fail with `error` (for tests of that failure).
    void FailNextFlush(std::string error) { m_flushFault = std::move(error); }

    // The text of an item's file, and an item read back from such a text.
    static std::string Encode(const ItemData& item);
    static bool Decode(const std::string& text, ItemData& item);
    // What the file of an item just saved holds becomes the item: Save
    // leaves reading it back to the first use of the item's values, since
    // a migration writes item after item and looks at none again.
    static void ReadBack(ItemData& item);

private:
    bool LoadFolder(StoreFolder& folder);
    static std::string NewEntryId();

    std::string m_root;
    std::string m_storeId;
    std::array<StoreFolder, 4> m_folders;
    platform::file::PendingFlush m_pending;
    std::string m_flushFault;
};

// The file name extension of a kind's files, ".vcf" or ".ics".
const char* FileExtension(ItemKind kind);

}  // namespace platform::outlook
