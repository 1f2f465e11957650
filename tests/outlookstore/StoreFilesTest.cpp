// How the store treats the files it writes: new items are the owner's
// only, a replaced file keeps its rights, a read-only item stays as it is,
// and the lock keeps a second holder out.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "platform/file/FileLock.h"
#include "platform/outlook/Store.h"
#include "platform/outlook/StoreLock.h"
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

}  // namespace
