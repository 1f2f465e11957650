#include <dirent.h>
#include <gtest/gtest.h>

#include "app/AppAdapters.h"
#include "app/AppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "common/records/CommAddrMgr.h"
#include "platform/outlook/Store.h"
#include "platform/paths/Paths.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/TempDir.h"

using fwtest::Journal;
using fwtest::Plans;

namespace {

struct OutlookMigration : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    fwtest::ScopedEnv store{"FRWY_OUTLOOK_STORE", dir.Path() + "outlook"};
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    int owner = 0;

    OutlookMigration() {
        SetWaitPause(0);
        Journal().clear();
        Plans().clear();
        InitApplication();
        fwtest::RegisterFakes<kAppPalm>();
        AppSettings().SyncAddr = AppSettings().SyncDate = AppSettings().SyncTask = AppSettings().SyncNote = 1;
    }
    ~OutlookMigration() override {
        ExitApplication();
        for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(kAppPalm, kind, nullptr);
        CxDebugUtil::Instance().SetFolder("./");
    }
    std::string Log() const { return fwtest::ReadFile(dir.Path() + "share/norrbek/FRWY/SWLog.txt"); }
    void PickAll() {
        AdapterTable& table = GetAdapterTable();
        table.SelectedAddr()->RemoveAll(false);
        auto* contacts = fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr);
        for (unsigned i = 0; i < contacts->GetRecordCount(); ++i) table.SelectedAddr()->Add(contacts->GetRecordAt(i));
    }
};

}  // namespace

TEST_F(OutlookMigration, PalmContactsIntoTheOutlookStoreAndAgain) {
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=Corp"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    ASSERT_NE(GetAdapterTable().Get(kAppOutlook, CommKindAddr), nullptr);
    EXPECT_EQ(GetAdapterTable().GetSlot(20), GetAdapterTable().Get(kAppOutlook, CommKindAddr));
    EXPECT_NE(GetAdapterTable().GetSlot(23), nullptr);  // notes
    PickAll();
    ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 2);
    EXPECT_EQ(GetMigratedCount(CommKindNote), 0);
    std::size_t files = 0;
    if (DIR* d = ::opendir((dir.Path() + "outlook/Contacts").c_str())) {
        while (const dirent* e = ::readdir(d)) files += e->d_name[0] != '.';
        ::closedir(d);
    }
    EXPECT_EQ(files, 2u);
    EXPECT_NE(Log().find("Contact item migrated successfully..."), std::string::npos);

    // A new run finds both in Outlook and writes nothing.
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    auto* contacts = fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr);
    EXPECT_EQ(contacts->GetRecordAt(0)->Status, CommStatusSame);
    EXPECT_EQ(contacts->GetRecordAt(1)->Status, CommStatusSame);
    PickAll();
    ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 0);
    EXPECT_EQ(Log().find("could not be written"), std::string::npos);
}

TEST_F(OutlookMigration, AFailedFlushFailsItsKindAndTheNextRunKeepsEveryRecordOnce) {
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=Corp", "Cy=Inc"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    PickAll();
    const auto store = platform::outlook::Store::Find(platform::outlook::Store::DefaultRoot());
    ASSERT_TRUE(store);
    store->FailNextFlush("Cannot flush \"Contacts\": Input/output error");
    ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 0);
    EXPECT_EQ(GetFailedCount(CommKindAddr), 3);
    EXPECT_NE(Log().find("completed with errors: 3 item(s) could not be written."), std::string::npos) << Log();
    EXPECT_NE(fwtest::ReadFile(dir.Path() + "share/norrbek/FRWY/appdebug.log").find("Input/output error"),
              std::string::npos);

    // The files are there; the next run finds each once, and a later record joins them.
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=Corp", "Cy=Inc", "Di=Ltd"};
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
        auto* outlook = fwtest::ListOf<CommAddrMgr>(kAppOutlook, CommKindAddr);
        EXPECT_EQ(outlook->GetRecordCount(), run == 0 ? 3u : 4u);
        PickAll();
        ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
        EXPECT_EQ(GetMigratedCount(CommKindAddr), run == 0 ? 1 : 0);
        EXPECT_EQ(GetFailedCount(CommKindAddr), 0);
    }
}

TEST_F(OutlookMigration, EachEntryClosesWithHowTheWriteWent) {
    fwtest::RegisterFakes<kAppOutlook>();
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=Corp", "Cy=Inc", "Di=Ltd"};
    Plans()[{kAppOutlook, CommKindAddr}].results = {
        {"Bo", AppMigrateResult::Failed}, {"Cy", AppMigrateResult::Unchanged}, {"Di", AppMigrateResult::Updated}};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    PickAll();
    ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 2);  // Anna created, Di updated
    const std::string log = Log();
    const std::size_t bo = log.find("Company: Corp");
    const std::size_t cy = log.find("Company: Inc");
    ASSERT_NE(bo, std::string::npos);
    ASSERT_NE(cy, std::string::npos);
    // Bo's entry ends with the failure, before Cy's entry starts.
    const std::size_t failed = log.find("Contact item could not be written to Outlook.\r\n\r\n");
    EXPECT_GT(failed, bo);
    EXPECT_LT(failed, cy);
    EXPECT_EQ(GetFailedCount(CommKindAddr), 1);
    // The migration ran to its end, and its log says that it had errors.
    const std::string end =
        "Contact item migrated successfully...\r\n\r\n"
        "Migrating information to Outlook completed with errors: 1 item(s) could not be written.\r\n";
    ASSERT_GE(log.size(), end.size());
    EXPECT_EQ(log.substr(log.size() - end.size()), end);
    EXPECT_EQ(log.find("completed successfully"), std::string::npos);
}
