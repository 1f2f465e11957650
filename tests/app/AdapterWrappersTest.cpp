#include <gtest/gtest.h>

#include "app/AppAdapters.h"
#include "app/AppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "platform/paths/Paths.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestBridges.h"

using fwtest::ScopedEnv;
using platform::RecordingUserInterface;

namespace {

// Shaped like an Outlook adapter.
struct FakeOlDate {
    CommDateMgr list;
    std::vector<std::string> written;
    bool Load() { return true; }
    void Clear() { list.RemoveAllRecords(); }
    CommDateMgr* GetRecordList() { return &list; }
    void MigrateRecord(CommDateRec* rec) { written.push_back(rec->Subject); }
};

// Shaped like a Palm Desktop record set.
struct FakePmAddr {
    CommAddrMgr list;
    std::string how;
    int map[10] = {};
    bool LoadByFile(const char* path) {
        how = std::string("file ") + path;
        return true;
    }
    int LoadByUser(int user) {
        how = "user " + std::to_string(user);
        return 0;
    }
    void Clear() {}
    CommAddrMgr* GetCommonList() { return &list; }
    bool SetCustomFieldMap(int index, int id) {
        if (index < 0 || index > 9) return false;
        map[index] = id;
        return true;
    }
};

using GoogleTestBridge = fwtest::TestBridge<CxGAppBaseUtil>;
using ActTestBridge = fwtest::TestBridge<CxACTBaseUtil>;
using LotusTestBridge = fwtest::TestBridge<CxLNBaseUtil>;

struct Wrappers : ::testing::Test {
    fwtest::TempDir dir;
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    std::string folder = dir.Path();
    Wrappers() { ReadSettings(*settings, dir.File("none.ini").c_str()); }
    AppLoadContext Context(int kind) { return AppLoadContext{*settings, folder, kind}; }
};

}  // namespace

TEST_F(Wrappers, OutlookAdaptersLoadAndWriteRecordsOfTheirKind) {
    OutlookAdapter<FakeOlDate> adapter(std::make_unique<FakeOlDate>());
    EXPECT_TRUE(adapter.Load(Context(CommKindDate)));
    EXPECT_EQ(std::get<CommDateMgr*>(adapter.GetList()), &adapter.Object().list);
    CommDateRec date{};
    platform::CopyText(date.Subject, "Dentist");
    EXPECT_EQ(adapter.MigrateRecord(&date), AppMigrateResult::Created);  // no answer: written
    CommAddrRec contact{};
    EXPECT_EQ(adapter.MigrateRecord(&contact), AppMigrateResult::Failed);  // not its kind
    EXPECT_EQ(adapter.Object().written, std::vector<std::string>{"Dentist"});
}

TEST_F(Wrappers, PalmRecordSetsLoadByFileOrByUser) {
    PalmAdapter<FakePmAddr> adapter(std::make_unique<FakePmAddr>());
    settings->PDUserID = 42;
    EXPECT_FALSE(adapter.Load(Context(CommKindAddr)));  // LoadByUser answered 0
    EXPECT_EQ(adapter.Object().how, "user 42");
    settings->PDUseAddrFile = 1;
    platform::CopyText(settings->PDAddrFileName, "/data/address.dat");
    EXPECT_TRUE(adapter.Load(Context(CommKindAddr)));
    EXPECT_EQ(adapter.Object().how, "file /data/address.dat");
    settings->PDUseAddrFile = 0;
    settings->PDUseDateFile = 1;  // another kind's switch does not count
    adapter.Load(Context(CommKindAddr));
    EXPECT_EQ(adapter.Object().how, "user 42");
    adapter.SetCustomField(1, 7);
    adapter.SetCustomField(9, 70);
    EXPECT_EQ(adapter.Object().map[0], 7);
    EXPECT_EQ(adapter.Object().map[8], 70);
    EXPECT_EQ(adapter.Object().map[9], 0);
}

TEST_F(Wrappers, BridgesReceiveTheirApplicationsSettings) {
    settings->LogLevel = 2;
    settings->EnableDebug = 1;
    platform::CopyText(settings->GGEmail, "anna@example.com");
    platform::CopyText(settings->GGPassword, "pw");
    HelperBridgeAdapter<GoogleTestBridge> google(std::make_unique<GoogleTestBridge>(kHelperGAddr));
    google.Configure(Context(CommKindAddr));
    EXPECT_STREQ(google.Object().GetEmail(), "anna@example.com");
    EXPECT_STREQ(google.Object().GetPassword(), "pw");
    EXPECT_STREQ(google.Object().GetFolder(), folder.c_str());
    EXPECT_STREQ(google.Object().GetLogFolder(), folder.c_str());
    EXPECT_EQ(google.Object().GetLogLevel(), 2);
    EXPECT_TRUE(google.Object().GetDebug());

    platform::CopyText(settings->ACTPadName, "/act/Sales.pad");
    platform::CopyText(settings->ACTUserName, "Anna");
    settings->Opp = 0;
    settings->OppNotes = 1;
    HelperBridgeAdapter<ActTestBridge> act(std::make_unique<ActTestBridge>(kHelperACTTask));
    act.Configure(Context(CommKindTask));
    EXPECT_STREQ(act.Object().GetPadName(), "/act/Sales.pad");
    EXPECT_STREQ(act.Object().GetUserName(), "Anna");
    fwtest::WriteFile(folder + "p.dat", "");
    CxParamWriter params;
    act.Object().BuildParams(params);
    params.WriteToFile((folder + "p.dat").c_str());
    EXPECT_NE(fwtest::ReadFile(folder + "p.dat").find(fwtest::ParamBytes(1008, "0") + fwtest::ParamBytes(1009, "1")),
              std::string::npos);

    platform::CopyText(settings->LNAddrName, "names.nsf");
    platform::CopyText(settings->LNDateName, "mail.nsf");
    platform::CopyText(settings->LNNoteName, "notebook.nsf");
    platform::CopyText(settings->LNIDFile, "user.id");
    const std::pair<int, const char*> kinds[] = {{CommKindAddr, "names.nsf"},
                                                 {CommKindDate, "mail.nsf"},
                                                 {CommKindTask, "mail.nsf"},
                                                 {CommKindNote, "notebook.nsf"}};
    for (const auto& [kind, name] : kinds) {
        HelperBridgeAdapter<LotusTestBridge> lotus(std::make_unique<LotusTestBridge>(kHelperLNAddr));
        lotus.Configure(Context(kind));
        EXPECT_STREQ(lotus.Object().GetDatabaseName(), name);
        EXPECT_STREQ(lotus.Object().GetIdFile(), "user.id");
    }
}

namespace {

std::unique_ptr<AppAdapter> MakeGoogleContacts() {
    return std::make_unique<HelperBridgeAdapter<GoogleTestBridge>>(std::make_unique<GoogleTestBridge>(kHelperGAddr));
}
std::unique_ptr<AppAdapter> MakeOutlookNotesAsContacts() {
    return std::make_unique<fwtest::FakeAdapter<CommNoteMgr, CommNoteRec>>(kAppOutlook, CommKindAddr);
}

struct GoogleThroughTheDriver : ::testing::Test {
    fwtest::TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    std::string folder = dir.Path() + "share/norrbek/FRWY/";

    GoogleThroughTheDriver() {
        SetWaitPause(0);
        fwtest::Plans().clear();
        InitApplication();
        RegisterAdapterFactory(kAppGoogle, CommKindAddr, &MakeGoogleContacts);
        RegisterAdapterFactory(kAppOutlook, CommKindAddr, &MakeOutlookNotesAsContacts);
        Settings& s = AppSettings();
        s.SyncDate = s.SyncTask = s.SyncNote = 0;
        platform::CopyText(s.GGEmail, "anna@example.com");
        fwtest::Plans()[{kAppOutlook, CommKindAddr}].records = {"Record 1=10", "Record 2=999"};
    }
    ~GoogleThroughTheDriver() override {
        ExitApplication();
        RegisterAdapterFactory(kAppGoogle, CommKindAddr, nullptr);
        RegisterAdapterFactory(kAppOutlook, CommKindAddr, nullptr);
        CxDebugUtil::Instance().SetFolder("./");
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& call : ui.Calls(RecordingUserInterface::Kind::MessageBox)) texts.push_back(call.text);
        return texts;
    }
};

}  // namespace

TEST_F(GoogleThroughTheDriver, TheHelperLoadsAndItsRecordsAreCompared) {
    ScopedEnv records("FWTH_RECORDS", "3");
    ASSERT_TRUE(LoadApplications(nullptr, kAppGoogle, kAppOutlook));
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(fwtest::ReadFile(folder + "GAddrParam.dat").find(fwtest::ParamBytes(1000, "anna@example.com")),
              std::string::npos);
    EXPECT_NE(fwtest::ReadFile(folder + "GAddrParam.dat").find(fwtest::ParamBytes(1003, folder)), std::string::npos);
    auto* google = fwtest::ListOf<CommNoteMgr>(kAppGoogle, CommKindAddr);
    ASSERT_NE(google, nullptr);
    ASSERT_EQ(google->GetRecordCount(), 3u);
    EXPECT_EQ(google->GetRecordAt(0)->Status, CommStatusSame);
    EXPECT_EQ(google->GetRecordAt(1)->Status, CommStatusDifferent);
    EXPECT_EQ(google->GetRecordAt(2)->Status, CommStatusNew);
    auto* bridge = FindAdapterObject<GoogleTestBridge>(kAppGoogle, CommKindAddr);
    ASSERT_NE(bridge, nullptr);
    EXPECT_EQ(google->GetRecordAt(2)->NativeRecord, bridge->GetRecordAt(2));
    EXPECT_EQ(FindAdapterObject<ActTestBridge>(kAppGoogle, CommKindAddr), nullptr);

    // Exit deletes the parameter file with the password in it.
    ExitApplication();
    EXPECT_FALSE(platform::PathExists(folder + "GAddrParam.dat"));
    EXPECT_FALSE(platform::PathExists(folder + "GAddr.dat"));
    InitApplication();
}

TEST_F(GoogleThroughTheDriver, HelperErrorsReachTheUser) {
    {
        ScopedEnv errors("FWTH_ERRORS", "2");
        EXPECT_FALSE(LoadApplications(nullptr, kAppGoogle, kAppOutlook));
    }
    {
        ScopedEnv nodata("FWTH_NODATA", "1");
        EXPECT_FALSE(LoadApplications(nullptr, kAppGoogle, kAppOutlook));
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Loading Google Contacts Error: problem 2",
                              "Loading Google Contacts Error: The helper program Norrbek.GoogleContacts.exe left no "
                              "data file: " +
                                  folder + "GAddr.dat"}));
    ui.ClearCalls();
    EXPECT_TRUE(LoadApplications(nullptr, kAppGoogle, kAppOutlook));
    EXPECT_TRUE(Messages().empty());
}
