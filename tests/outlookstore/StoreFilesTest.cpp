// How the store treats the files it writes: new items are the owner's
// only, a replaced file keeps its rights, a read-only item stays as it is,
// the lock keeps a second holder out, unfinished writes are never items,
// and writes become durable together.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/file/FileLock.h"
#include "platform/outlook/Store.h"
#include "platform/outlook/StoreLock.h"
#include "platform/paths/Paths.h"
#include "tests/support/TempDir.h"

using namespace platform::outlook;

namespace {

TEST(StoreFiles, ModesAreKeptAndReadOnlyItemsAreNotReplaced) {
    fwtest::TempDir dir;
    std::shared_ptr<Store> store = Store::Get(dir.Path() + "store");
    ASSERT_TRUE(store);
    StoreFolder& folder = store->Folder(ItemKind::Contact);
    ItemData item(ItemKind::Contact);
    std::shared_ptr<ItemData> stored;
    ASSERT_TRUE(store->Save(folder, item, stored));
    const std::string path = folder.path + stored->entryId + ".vcf";
    EXPECT_EQ(fwtest::FileMode(path), 0600);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    item.SetText("FirstName", "Ann");  // an unchanged item is not written at all
    ASSERT_TRUE(store->Save(folder, item, stored));
    EXPECT_EQ(fwtest::FileMode(path), 0640);
    ASSERT_EQ(::chmod(path.c_str(), 0440), 0);
    const std::string before = fwtest::ReadFile(path);
    item.SetText("FirstName", "Bo");
    EXPECT_FALSE(store->Save(folder, item, stored));
    EXPECT_EQ(fwtest::ReadFile(path), before);
    EXPECT_EQ(fwtest::FileMode(path), 0440);
}

TEST(StoreFiles, ASavedItemBecomesWhatItsFileSaysOnItsFirstUse) {
    fwtest::TempDir dir;
    std::shared_ptr<Store> store = Store::Get(dir.Path() + "store");
    ASSERT_TRUE(store);
    for (const ItemKind kind : {ItemKind::Contact, ItemKind::Appointment, ItemKind::Task, ItemKind::Note}) {
        StoreFolder& folder = store->Folder(kind);
        ItemData item(kind);
        item.SetText("Body", "line one\r\nline two");
        std::shared_ptr<ItemData> stored;
        ASSERT_TRUE(store->Save(folder, item, stored));
        const std::string text = fwtest::ReadFile(folder.path + stored->entryId + FileExtension(kind));
        EXPECT_EQ(stored->unread, text);
        EXPECT_TRUE(item.unread.empty());  // the caller's copy holds the values saved
        EXPECT_EQ(item.entryId, stored->entryId);

        ItemData fromFile(kind);
        ASSERT_TRUE(Store::Decode(text, fromFile));
        fromFile.entryId = stored->entryId;
        Store::ReadBack(*stored);
        EXPECT_TRUE(stored->unread.empty());
        EXPECT_EQ(Store::Encode(*stored), Store::Encode(fromFile));
        EXPECT_EQ(stored->kept, fromFile.kept);
        EXPECT_EQ(stored->Date("LastModificationTime"), fromFile.Date("LastModificationTime"));
        EXPECT_EQ(stored->Text("Body"), "line one\r\nline two");

        // A change to the caller's copy is saved over the item as it was read.
        item.SetText("Body", "changed");
        ASSERT_TRUE(store->Save(folder, item, stored));
        Store::ReadBack(*stored);
        EXPECT_EQ(stored->Text("Body"), "changed");
        EXPECT_EQ(folder.items.size(), 1u);
    }
}

TEST(StoreFiles, TheLockKeepsASecondHolderOutUntilReleased) {
    fwtest::TempDir dir;
    ASSERT_TRUE(LockStore(dir.Path(), 0));
    EXPECT_TRUE(IsStoreLocked(dir.Path()));
    EXPECT_EQ(fwtest::FileMode(dir.Path() + ".ferrywise.lock"), 0600);
    platform::file::FileLock other;  // another open of the file: as another process would
    EXPECT_FALSE(other.Acquire(dir.Path() + ".ferrywise.lock", 100));
    UnlockStore();
    EXPECT_FALSE(IsStoreLocked(dir.Path()));
    EXPECT_TRUE(other.Acquire(dir.Path() + ".ferrywise.lock", 0));
    EXPECT_FALSE(LockStore(dir.Path(), 0));
}

TEST(StoreFiles, UnfinishedWritesOfEitherNamingAreNeverItemsAndTheLockHolderRemovesThem) {
    fwtest::TempDir dir;
    const std::string contacts = dir.Path() + "store/Contacts/";
    ASSERT_TRUE(platform::EnsureFolderTree(contacts));
    const std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Half\r\nN:Half;;;;\r\nEND:VCARD\r\n";
    const std::vector<std::string> temporaries = {".0123456789ABCDEF0123456789abcdef.vcf.tmp",
                                                  ".0123456789ABCDEF0123456789ABCDEF.vcf.~Qx12aB.tmp",
                                                  ".whole.vcf.~zzzzzz.tmp"};
    for (const std::string& name : temporaries) fwtest::WriteFile(contacts + name, card);
    fwtest::WriteFile(contacts + "whole.vcf", card);
    fwtest::WriteFile(contacts + ".theirs.vcf.tmp", card);  // not ours: left alone
    for (const bool locked : {false, true}) {
        if (locked) {
            ASSERT_TRUE(LockStore(dir.Path() + "store", 0));
        }
        std::shared_ptr<Store> store = Store::Get(dir.Path() + "store");
        ASSERT_TRUE(store);
        ASSERT_EQ(store->Folder(ItemKind::Contact).items.size(), 1u) << locked;
        EXPECT_EQ(store->Folder(ItemKind::Contact).items[0]->entryId, "whole");
        for (const std::string& name : temporaries) EXPECT_EQ(platform::PathExists(contacts + name), !locked) << name;
        EXPECT_TRUE(platform::PathExists(contacts + ".theirs.vcf.tmp"));
    }
    UnlockStore();
    TakeStoreNotes();
}

TEST(StoreFiles, WritesAreFlushedTogetherAndAFailedFlushIsReportedOnce) {
    fwtest::TempDir dir;
    std::shared_ptr<Store> store = Store::Get(dir.Path() + "store");
    ASSERT_TRUE(store);
    EXPECT_EQ(Store::Find(dir.Path() + "store"), store);
    EXPECT_EQ(Store::Find(dir.Path() + "elsewhere"), nullptr);
    StoreFolder& folder = store->Folder(ItemKind::Task);
    for (const auto way : {platform::file::FlushWay::EachFile, platform::file::FlushWay::FileSystem}) {
        store->SetFlushWay(way);
        std::vector<std::shared_ptr<ItemData>> saved(3);
        for (auto& stored : saved) {
            ItemData item(ItemKind::Task);
            item.SetText("Subject", "flushed");
            ASSERT_TRUE(store->Save(folder, item, stored));
        }
        ASSERT_TRUE(store->Delete(folder, saved[0]));
        std::string error;
        EXPECT_TRUE(store->Flush(&error)) << error;
        store->FailNextFlush("no space left");
        ItemData item(ItemKind::Task);
        std::shared_ptr<ItemData> fresh;
        ASSERT_TRUE(store->Save(folder, item, fresh));
        EXPECT_FALSE(store->Flush(&error));
        EXPECT_EQ(error, "no space left");
        EXPECT_TRUE(store->Flush(&error)) << error;  // the failure is told once
    }
    EXPECT_EQ(folder.items.size(), 6u);
}

TEST(StoreFiles, AFolderOfManyFilesLoadsWholeInNameOrderAndTellsWhatItSkipsInThatOrder) {
    // More files than are read in one batch, with malformed files and a
    // folder among them, for each parser: the contacts are parsed by the
    // reading threads, the calendar items after them.
    fwtest::TempDir dir;
    const std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nN:A;;;;\r\nEND:VCARD\r\n";
    const std::string task = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:u\r\nSUMMARY:T\r\n"
                             "END:VTODO\r\nEND:VCALENDAR\r\n";
    struct Case {
        ItemKind kind;
        std::string folder, extension, good;
    };
    for (const Case& c : {Case{ItemKind::Contact, "Contacts/", ".vcf", card}, Case{ItemKind::Task, "Tasks/", ".ics", task}}) {
        const std::string root = dir.Path() + c.extension.substr(1) + "-store/";  // a store of its own
        ASSERT_TRUE(platform::EnsureFolderTree(root + c.folder));
        std::vector<std::string> good, expectedNotes;
        for (int n = 0; n < 700; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "i%04d", n);
            const std::string path = root + c.folder + name + c.extension;
            if (n % 97 == 5) {
                ASSERT_TRUE(platform::EnsureFolderTree(path));
                expectedNotes.push_back("Skipped an entry of the store that is no regular file: " + path);
            } else if (n % 61 == 7) {
                fwtest::WriteFile(path, "not an item at all\r\n");
                expectedNotes.push_back("Skipped a malformed store file: " + path);
            } else {
                fwtest::WriteFile(path, c.good);
                good.push_back(name);
            }
        }
        TakeStoreNotes();
        std::shared_ptr<Store> store = Store::Get(root);
        ASSERT_TRUE(store);
        const StoreFolder& folder = store->Folder(c.kind);
        ASSERT_EQ(folder.items.size(), good.size()) << c.folder;
        for (std::size_t i = 0; i < good.size(); ++i) {
            ASSERT_EQ(folder.items[i]->entryId, good[i]);
            ASSERT_FALSE(folder.items[i]->Text(c.kind == ItemKind::Contact ? "FullName" : "Subject").empty());
        }
        EXPECT_TRUE(folder.unreadable.empty());
        EXPECT_EQ(TakeStoreNotes(), expectedNotes) << c.folder;
        store.reset();
        ASSERT_EQ(Store::Find(root), nullptr);
    }
}

}  // namespace
