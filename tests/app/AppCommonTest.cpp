#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppAdapters.h"
#include "app/AppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxWaitWindow.h"
#include "platform/paths/Paths.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestBridges.h"

using fwtest::Journal;
using fwtest::Plans;
using platform::RecordingUserInterface;

namespace {

struct Driver : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    int owner = 0;

    Driver() {
        SetWaitPause(0);
        Journal().clear();
        Plans().clear();
        InitApplication();
        fwtest::RegisterFakes<kAppOutlook>();
        fwtest::RegisterFakes<kAppPalm>();
        fwtest::RegisterFakes<kAppGoogle>();
        fwtest::RegisterFakes<kAppACT>();
    }
    ~Driver() override {
        ExitApplication();
        for (int app = 0; app <= 8; ++app)
            for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(app, kind, nullptr);
        CxDebugUtil::Instance().SetFolder("./");
    }
    std::string DataFolder() const { return dir.Path() + "share/norrbek/FRWY/"; }
    bool Journaled(const std::string& entry) const {
        return std::find(Journal().begin(), Journal().end(), entry) != Journal().end();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& call : ui.Calls(RecordingUserInterface::Kind::MessageBox)) texts.push_back(call.text);
        return texts;
    }
    void SyncOnly(bool addr, bool date, bool task, bool note) {
        AppSettings().SyncAddr = addr;
        AppSettings().SyncDate = date;
        AppSettings().SyncTask = task;
        AppSettings().SyncNote = note;
    }
};

}  // namespace

TEST_F(Driver, SameSourceAndTargetLoadsNothing) {
    EXPECT_TRUE(LoadApplications(&owner, kAppOutlook, kAppOutlook));
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(Driver, LoadsTheTargetFirstAndMarksEachSourceListAgainstIt) {
    Plans()[{kAppOutlook, CommKindAddr}].records = {"Anna=Acme", "Bo=Old"};
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=New", "Cy=Corp"};
    Plans()[{kAppOutlook, CommKindNote}].records = {"Shopping=milk"};
    Plans()[{kAppPalm, CommKindNote}].records = {"Shopping=milk"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    std::vector<std::string> loads;
    for (const std::string& e : Journal())
        if (e.find(" load") != std::string::npos) loads.push_back(e);
    EXPECT_EQ(loads, (std::vector<std::string>{"3:0 load", "3:1 load", "3:2 load", "3:3 load", "5:0 load", "5:1 load",
                                               "5:2 load", "5:3 load"}));
    auto* palm = fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr);
    auto* outlook = fwtest::ListOf<CommAddrMgr>(kAppOutlook, CommKindAddr);
    ASSERT_TRUE(palm && outlook);
    EXPECT_EQ(palm->GetRecordAt(0)->Status, CommStatusSame);
    EXPECT_EQ(palm->GetRecordAt(0)->Counterpart, outlook->GetRecordAt(0));
    EXPECT_EQ(palm->GetRecordAt(1)->Status, CommStatusDifferent);
    EXPECT_EQ(palm->GetRecordAt(1)->Counterpart, outlook->GetRecordAt(1));
    EXPECT_EQ(palm->GetRecordAt(2)->Status, CommStatusNew);
    EXPECT_EQ(outlook->GetRecordAt(0)->Status, 7);  // the target list is not marked
    EXPECT_EQ(fwtest::ListOf<CommNoteMgr>(kAppPalm, CommKindNote)->GetRecordAt(0)->Status, CommStatusSame);
    // Palm Desktop and Outlook are not helper applications: no exchange folder.
    EXPECT_TRUE(Journaled("5:0 configure "));
    EXPECT_TRUE(ui.Calls(RecordingUserInterface::Kind::MessageBox).empty());
    EXPECT_FALSE(GetWaitWindowState().exists);

    // A second load clears the adapters it made before.
    Journal().clear();
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    EXPECT_TRUE(Journaled("3:0 clear"));
    EXPECT_TRUE(Journaled("5:3 clear"));
    EXPECT_FALSE(Journaled("5:0 created"));
    EXPECT_EQ(fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr)->GetRecordCount(), 3u);
}

TEST_F(Driver, GoogleWithOnlyTheCalendarLoadsAndComparesOnlyTheCalendar) {
    SyncOnly(false, true, false, false);
    Plans()[{kAppOutlook, CommKindDate}].records = {"Dentist=Town"};
    Plans()[{kAppGoogle, CommKindDate}].records = {"Dentist=Town", "Party=Home"};
    ASSERT_TRUE(LoadApplications(&owner, kAppGoogle, kAppOutlook));
    EXPECT_EQ(GetAdapterTable().Get(kAppOutlook, CommKindAddr), nullptr);
    EXPECT_EQ(GetAdapterTable().Get(kAppGoogle, CommKindAddr), nullptr);
    auto* google = fwtest::ListOf<CommDateMgr>(kAppGoogle, CommKindDate);
    ASSERT_NE(google, nullptr);
    EXPECT_EQ(google->GetRecordAt(0)->Status, CommStatusSame);
    EXPECT_EQ(google->GetRecordAt(1)->Status, CommStatusNew);
    // Google loads get the exchange folder; tasks and notes are never loaded.
    EXPECT_TRUE(Journaled("2:1 configure " + DataFolder()));
    SyncOnly(true, true, true, true);
    ASSERT_TRUE(LoadApplication(&owner, kAppGoogle, kAppNone));
    EXPECT_EQ(GetAdapterTable().Get(kAppGoogle, CommKindTask), nullptr);
    EXPECT_EQ(GetAdapterTable().Get(kAppGoogle, CommKindNote), nullptr);
}

TEST_F(Driver, ASourceWithoutATargetListKeepsItsOwnStatus) {
    SyncOnly(true, false, false, false);
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme"};
    ASSERT_TRUE(LoadApplication(&owner, kAppPalm, kAppOutlook));
    EXPECT_EQ(fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr)->GetRecordAt(0)->Status, 7);
}

TEST_F(Driver, AFailingKindStopsTheLoadWithItsMessage) {
    SyncOnly(true, true, false, true);
    Plans()[{kAppPalm, CommKindDate}].loadOk = false;
    EXPECT_FALSE(LoadApplication(&owner, kAppPalm, kAppNone));
    EXPECT_TRUE(Journaled("5:0 load"));
    EXPECT_TRUE(Journaled("5:1 load"));
    EXPECT_FALSE(Journaled("5:3 created"));
    const auto boxes = ui.Calls(RecordingUserInterface::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed to load Palm Desktop Calendar information.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(boxes[0].owner, &owner);
    EXPECT_FALSE(GetWaitWindowState().exists);
    EXPECT_NE(fwtest::ReadFile(DataFolder() + "appdebug.log")
                  .find("[!!!] - Failed to load Palm Desktop Calendar information."),
              std::string::npos);
    // A failing target keeps the source from loading at all.
    Journal().clear();
    EXPECT_FALSE(LoadApplications(&owner, kAppOutlook, kAppPalm));
    EXPECT_FALSE(Journaled("3:0 load"));
}

TEST_F(Driver, ABridgeErrorShowsTheErrorText) {
    SyncOnly(true, true, true, true);
    Plans()[{kAppACT, CommKindTask}].hasError = true;
    Plans()[{kAppACT, CommKindTask}].errorText = "The database is locked.";
    EXPECT_FALSE(LoadApplication(&owner, kAppACT, kAppNone));
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Loading ACT! Todos or Opportunities Error: The database is locked."});
    EXPECT_FALSE(Journaled("1:3 created"));
}

TEST_F(Driver, AnApplicationWithoutAdaptersFailsItsFirstKind) {
    SyncOnly(true, true, true, true);
    for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(kAppLotus, kind, nullptr);
    EXPECT_FALSE(LoadApplication(&owner, kAppLotus, kAppNone));
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{
                  "Loading Lotus Notes Contacts Error: this application cannot be loaded by this program"});
    ui.ClearCalls();
    EXPECT_FALSE(LoadApplication(&owner, kAppDynamics, kAppNone));
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(Driver, AMigrationWithNothingPickedWritesOnlyItsFirstAndLastLines) {
    EXPECT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(
        fwtest::ReadFile(DataFolder() + "SWLog.txt"),
        "Start migrating information to Outlook ...\r\nMigrating information to Outlook completed successfully.\r\n");
    EXPECT_FALSE(GetWaitWindowState().exists);
}

TEST_F(Driver, MigratesThePickedRecordsOfEachKindInOrder) {
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme", "Bo=Corp"};
    Plans()[{kAppPalm, CommKindNote}].records = {"Shopping=milk"};
    Plans()[{kAppPalm, CommKindTask}].records = {"Call Bo=x"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    AdapterTable& table = GetAdapterTable();
    auto* contacts = fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr);
    table.SelectedAddr()->Add(contacts->GetRecordAt(1));
    table.SelectedAddr()->Add(contacts->GetRecordAt(0));
    table.SelectedNote()->Add(fwtest::ListOf<CommNoteMgr>(kAppPalm, CommKindNote)->GetRecordAt(0));
    table.SelectedTask()->Add(fwtest::ListOf<CommTaskMgr>(kAppPalm, CommKindTask)->GetRecordAt(0));
    AppSettings().SyncTask = 0;  // a kind switched off is not migrated
    Journal().clear();
    ASSERT_TRUE(MigrateApplication(&owner, kAppOutlook));
    EXPECT_EQ(Journal(), (std::vector<std::string>{"3:0 migrate Bo", "3:0 migrate Anna", "3:3 migrate Shopping"}));
    const std::string log = fwtest::ReadFile(DataFolder() + "SWLog.txt");
    EXPECT_EQ(log.rfind("Start migrating information to Outlook ...\r\n", 0), 0u);
    EXPECT_LT(log.find("Company: Corp"), log.find("Company: Acme"));
    EXPECT_NE(log.find("Brief Note: milk"), std::string::npos);
    EXPECT_EQ(log.find("Migrating Task item:"), std::string::npos);
    EXPECT_TRUE(log.ends_with("Contact item migrated successfully...\r\n\r\n"
                              "Migrating information to Outlook completed successfully.\r\n") ||
                log.ends_with("Note item migrated successfully...\r\n\r\n"
                              "Migrating information to Outlook completed successfully.\r\n"))
        << log;
}

TEST_F(Driver, OnlyOutlookIsATarget) {
    EXPECT_FALSE(MigrateApplication(&owner, kAppPalm));
    EXPECT_FALSE(MigrateApplication(&owner, kAppGoogle));
    EXPECT_FALSE(platform::PathExists(DataFolder() + "SWLog.txt"));
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(Driver, AnExceptionDuringTheMigrationShowsTheErrorReport) {
    Plans()[{kAppOutlook, CommKindAddr}].throwOnMigrate = true;
    Plans()[{kAppPalm, CommKindAddr}].records = {"Anna=Acme"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    GetAdapterTable().SelectedAddr()->Add(fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr)->GetRecordAt(0));
    EXPECT_FALSE(MigrateApplication(&owner, kAppOutlook));
    const auto reports = ui.Calls(RecordingUserInterface::Kind::ErrorReport);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].owner, &owner);
    EXPECT_EQ(reports[0].report.logFile, DataFolder() + "appdebug.log");
    EXPECT_FALSE(GetWaitWindowState().exists);
    EXPECT_NE(fwtest::ReadFile(DataFolder() + "appdebug.log").find("automation failed"), std::string::npos);
    // The entry was logged before the write that failed.
    EXPECT_NE(fwtest::ReadFile(DataFolder() + "SWLog.txt").find("Company: Acme"), std::string::npos);
}

TEST_F(Driver, CustomFieldMapFollowsTheSourcesSwitch) {
    Settings& s = AppSettings();
    for (int slot = 1; slot <= 9; ++slot) s.GGCustomID[slot] = 10 + slot;
    s.GGCustom = 1;
    SetupCustomFieldMap(kAppGoogle);
    EXPECT_TRUE(Journaled("2:0 created"));
    EXPECT_TRUE(Journaled("2:0 custom 1=11"));
    EXPECT_TRUE(Journaled("2:0 custom 9=19"));
    s.GGCustom = 0;
    Journal().clear();
    SetupCustomFieldMap(kAppGoogle);
    EXPECT_EQ(Journal().size(), 9u);
    EXPECT_TRUE(Journaled("2:0 custom 5=0"));
    Journal().clear();
    SetupCustomFieldMap(kAppSugar);
    SetupCustomFieldMap(kAppLotus);  // no adapter to hand it to
    EXPECT_TRUE(Journal().empty());
}

TEST_F(Driver, ExitWritesTheSettingsAndDestroysEveryAdapter) {
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    AppSettings().SourceApp = kAppPalm;
    EXPECT_EQ(std::string(GetSettingsFilePath()), DataFolder() + "FRWY.ini");
    ExitApplication();
    EXPECT_TRUE(Journaled("3:3 destroyed"));
    EXPECT_TRUE(Journaled("5:0 destroyed"));
    EXPECT_EQ(GetAdapterTable().Get(kAppPalm, CommKindAddr), nullptr);
    EXPECT_EQ(GetAdapterTable().SelectedAddr(), nullptr);
    EXPECT_NE(fwtest::ReadFile(DataFolder() + "FRWY.ini").find("SourceApp=5"), std::string::npos);
    InitApplication();  // for the fixture's own exit
    EXPECT_EQ(AppSettings().SourceApp, kAppPalm);
}

TEST_F(Driver, DataFolderAndDebugLogSetUp) {
    char folder[260];
    ASSERT_TRUE(GetDataFolder(folder, sizeof folder));
    EXPECT_EQ(std::string(folder), DataFolder());
    EXPECT_TRUE(platform::PathExists(dir.Path() + "share/norrbek/FRWYCommon"));
    char tiny[8];
    EXPECT_FALSE(GetDataFolder(tiny, sizeof tiny));
    EXPECT_EQ(CxDebugUtil::Instance().GetFolder(), DataFolder());
    EXPECT_FALSE(CxDebugUtil::Instance().IsEnabled());
    EXPECT_EQ(CxDebugUtil::Instance().GetLevel(), 3);
}

TEST(DriverSettings, FallBackToNorrbekIniInTheProgramFolder) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("file"), "not a folder");
    fwtest::ScopedEnv data("XDG_DATA_HOME", dir.File("file"));
    const std::string ini = platform::ProgramFolder() + "norrbek.ini";
    struct Remove {
        std::string path;
        ~Remove() { std::remove(path.c_str()); }
    } cleanup{ini};
    fwtest::WriteFile(ini, "[Path]\nPDPath=/palm\n[FRWY]\nSourceApp=4\nLNAddrName=names.nsf\n");
    char folder[260];
    EXPECT_FALSE(GetDataFolder(folder, sizeof folder));
    InitApplication();
    EXPECT_EQ(std::string(GetSettingsFilePath()), ini);
    EXPECT_EQ(AppSettings().SourceApp, kAppLotus);
    EXPECT_STREQ(AppSettings().LNAddrName, "names.nsf");
    AppSettings().SourceApp = kAppGoogle;
    ExitApplication();
    const std::string text = fwtest::ReadFile(ini);
    EXPECT_EQ(text.rfind("[Path]\nPDPath=/palm\n[FRWY]\nSourceApp=2\n", 0), 0u) << text;
}
