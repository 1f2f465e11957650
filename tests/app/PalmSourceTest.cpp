// Palm Desktop as the source of the driver: the record sets in slots 0 to 3,
// loaded by file or by user from the settings, compared with Outlook's
// lists, with the custom field map and the code page of the settings.
#include <gtest/gtest.h>

#include "app/AppAdapters.h"
#include "app/AppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "common/palm/PmUsers.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatWriter.h"

using fwtest::Plans;
using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

namespace {

void Num(palmdat::Record& r, std::size_t pos, std::int32_t n) { r[pos].number = n; }

struct PalmSource : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    int owner = 0;

    PalmSource() {
        platform::EnsureFolder(dir.Path() + "program");
        PmSetProgramFolder(dir.Path() + "program/");
        PmResetPalmUsers();
        PmAddrInfo::ForgetInstalledAddrGeneration();
        SetWaitPause(0);
        Plans().clear();
    }
    ~PalmSource() override {
        ExitApplication();
        for (int app = 0; app <= 8; ++app)
            for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(app, kind, nullptr);
        PmResetPalmUsers();
        PmAddrInfo::ForgetInstalledAddrGeneration();
        PmSetProgramFolder("");
        PmDBUtil::SetCodePage("windows-1252");
        CxDebugUtil::Instance().SetFolder("./");
    }

    // The driver with its real Palm record sets and fake Outlook adapters.
    void Start() {
        InitApplication();
        fwtest::RegisterFakes<kAppOutlook>();
        Settings& s = AppSettings();
        s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    }

    std::string WriteFile(const palmdat::DatFile& f, const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(palmdat::Write(path, f));
        return path;
    }

    static palmdat::DatFile Contacts(const std::vector<std::pair<std::string, std::string>>& nameCompany) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Address, Format::V414);
        std::int32_t id = 1;
        for (const auto& [name, company] : nameCompany) {
            palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::V414);
            Num(r, 0, id++);
            Num(r, 2, 1);
            r[13] = Value::Text(name);
            r[16] = Value::Text(company);
            f.records.push_back(r);
        }
        return f;
    }
    static palmdat::DatFile Memos(const std::vector<std::string>& texts) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Memo, Format::Earlier);
        std::int32_t id = 1;
        for (const std::string& text : texts) {
            palmdat::Record r = palmdat::NewRecord(Kind::Memo, Format::Earlier);
            Num(r, 0, id++);
            r[3] = Value::Text(text);
            f.records.push_back(r);
        }
        return f;
    }
    static palmdat::DatFile Events(int count) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Datebook, Format::V414);
        for (int i = 0; i < count; ++i) {
            palmdat::Record r = palmdat::NewRecord(Kind::Datebook, Format::V414);
            Num(r, 0, i + 1);
            Num(r, 13, 1767600000 + i * 86400);
            Num(r, 14, 1767603600 + i * 86400);
            r[15] = Value::Text("Event " + std::to_string(i + 1));
            f.records.push_back(r);
        }
        return f;
    }
    static palmdat::DatFile Todos(int count) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Todo, Format::Earlier);
        for (int i = 0; i < count; ++i) {
            palmdat::Record r = palmdat::NewRecord(Kind::Todo, Format::Earlier);
            Num(r, 0, i + 1);
            r[3] = Value::Text("Task " + std::to_string(i + 1));
            f.records.push_back(r);
        }
        return f;
    }

    void UseFiles(const std::string& addr, const std::string& date, const std::string& task, const std::string& note) {
        Settings& s = AppSettings();
        s.PDUseAddrFile = s.PDUseDateFile = s.PDUseTaskFile = s.PDUseNoteFile = 1;
        platform::CopyText(s.PDAddrFileName, addr);
        platform::CopyText(s.PDDateFileName, date);
        platform::CopyText(s.PDTaskFileName, task);
        platform::CopyText(s.PDNoteFileName, note);
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& call : ui.Calls(platform::RecordingUserInterface::Kind::MessageBox))
            texts.push_back(call.text);
        return texts;
    }
};

template <class Mgr>
std::vector<int> Statuses(Mgr* list) {
    std::vector<int> out;
    for (auto* r = list->GetFirstRecord(); r != nullptr; r = list->GetNextRecord()) out.push_back(r->Status);
    return out;
}

}  // namespace

TEST_F(PalmSource, LoadsEveryKindByFileAndComparesWithOutlook) {
    Start();
    UseFiles(WriteFile(Contacts({{"Anna", "Acme"}, {"Bo", "New Co"}, {"Cy", "Corp"}}), "address.dat"),
             WriteFile(Events(2), "datebook.dat"), WriteFile(Todos(3), "TODO.DAT"),
             WriteFile(Memos({"Shopping\r\nmilk", "Ideas"}), "memopad.dat"));
    Plans()[{kAppOutlook, CommKindAddr}].records = {"Anna=Acme", "Bo=Old Co"};
    Plans()[{kAppOutlook, CommKindNote}].records = {"Shopping=Shopping\r\nmilk"};
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    EXPECT_TRUE(Messages().empty());

    PmAddrInfo* contacts = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    ASSERT_NE(contacts, nullptr);
    EXPECT_EQ(contacts->GetLoadedGeneration(), kPmGenEx);
    EXPECT_EQ(Statuses(contacts->GetCommonList()),
              (std::vector<int>{CommStatusSame, CommStatusDifferent, CommStatusNew}));
    auto* dates = FindAdapterObject<PmDateInfo>(kAppPalm, CommKindDate);
    auto* todos = FindAdapterObject<PmTodoInfo>(kAppPalm, CommKindTask);
    auto* memos = FindAdapterObject<PmMemoInfo>(kAppPalm, CommKindNote);
    ASSERT_TRUE(dates && todos && memos);
    EXPECT_EQ(dates->GetCommonList()->GetRecordCount(), 2u);
    EXPECT_EQ(todos->GetLoadedGeneration(), kPmGenEarly);
    EXPECT_EQ(Statuses(todos->GetCommonList()), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Statuses(memos->GetCommonList()), (std::vector<int>{CommStatusSame, CommStatusNew}));

    // A second load starts afresh.
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    EXPECT_EQ(contacts->GetCommonList()->GetRecordCount(), 3u);
    EXPECT_EQ(FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr), contacts);
}

TEST_F(PalmSource, AFileThatCannotBeReadStopsTheLoadWithItsMessage) {
    Start();
    UseFiles(WriteFile(Contacts({{"Anna", "Acme"}}), "address.dat"), dir.File("missing.dat"),
             WriteFile(Todos(1), "todo.dat"), WriteFile(Memos({"m"}), "memopad.dat"));
    EXPECT_FALSE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    // The second line names the file and the cause.
    EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to load Palm Desktop Calendar information.\n" +
                                                   dir.File("missing.dat") + ": the file does not exist."});
    // The kinds after it are not loaded.
    EXPECT_EQ(GetAdapterTable().Get(kAppPalm, CommKindTask), nullptr);
}

TEST_F(PalmSource, LoadsTheUserOfTheSettingsAndMapsCustomFields) {
    // A Palm Desktop 4.1.4 folder named beside the program.
    const std::string palm = dir.Path() + "Palm/";
    platform::EnsureFolder(palm);
    for (const char* lib : {"condmgr.dll", "UserData.dll", "HSAPI.DLL", "instaide.dll"})
        fwtest::WriteFile(palm + lib, "library");
    fwtest::WriteFile(palm + "palm.exe", "MZ" + fwtest::FixedFileInfo(0x00040001, 0x00040000));
    platform::EnsureFolder(palm + "AnnP");
    for (const char* kind : {"address", "datebook", "todo", "memopad"}) platform::EnsureFolder(palm + "AnnP/" + kind);
    fwtest::WriteFile(dir.File("program/norrbek.ini"), "[Path]\nPDPath=" + palm + "\n");
    palmdat::DatFile contacts = Contacts({{"Anna", "Acme"}});
    contacts.records[0][38] = Value::Text("mapped custom 6");
    palmdat::Write(palm + "AnnP/address/address.dat", contacts);
    palmdat::Write(palm + "AnnP/datebook/datebook.dat", Events(1));

    Start();
    Settings& s = AppSettings();
    s.SyncTask = s.SyncNote = 0;
    s.PDUserID = 0;  // found from the folder name: see below
    LoadPalmUsers();
    ASSERT_EQ(GetPalmUsers().size(), 1u);
    s.PDUserID = static_cast<std::int32_t>(GetPalmUsers()[0]->UserID);
    s.PDCustom = 1;
    s.PDCustomID[1] = 40;  // "Custom 6" of the 4.1.4 catalogue
    SetupCustomFieldMap(kAppPalm);
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    PmAddrInfo* set = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->GetInstalledGeneration(), kPmGenEx);
    EXPECT_EQ(set->GetCustomMapSlot(0), 40);
    const CommAddrRec* rec = set->GetCommonList()->GetFirstRecord();
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->FirstName, "Anna");
    EXPECT_STREQ(rec->MappedCustomValue[0], "mapped custom 6");
    EXPECT_EQ(rec->Status, CommStatusNew);
    EXPECT_EQ(FindAdapterObject<PmDateInfo>(kAppPalm, CommKindDate)->GetCommonList()->GetRecordCount(), 1u);
}

TEST_F(PalmSource, TheSettingsCodePageDecodesDatTexts) {
    platform::EnsureFolder(dir.Path() + "share");
    platform::EnsureFolder(dir.Path() + "share/norrbek");
    platform::EnsureFolder(dir.Path() + "share/norrbek/FRWY");
    fwtest::WriteFile(dir.Path() + "share/norrbek/FRWY/FRWY.ini", "[FRWY]\nPDCodePage=windows-1251\n");
    Start();
    AppSettings().SyncDate = AppSettings().SyncTask = AppSettings().SyncNote = 0;
    UseFiles(WriteFile(Contacts({{"\xC0\xED\xED\xE0", "x"}}), "address.dat"), "", "", "");
    ASSERT_TRUE(LoadApplications(&owner, kAppPalm, kAppOutlook));
    const CommAddrRec* rec = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr)->GetCommonList()->GetFirstRecord();
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->FirstName, "\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0");  // "Анна"
}
