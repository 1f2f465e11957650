// The record sets on .dat files: loading by file and by user, the choice of
// reader, the status filter, entries and common records, the file check and
// their log lines.
#include <ctime>

#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "tests/palm/PalmDesktopFixture.h"

using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;
using palmtest::FakeUser;

namespace {

// Sets a number, keeping the tag of the position's type code.
void Num(palmdat::Record& r, std::size_t pos, std::int32_t n) { r[pos].number = n; }

palmdat::DatFile Contacts(Format format, const std::vector<std::pair<std::string, std::int32_t>>& nameAndStatus) {
    palmdat::DatFile f = palmdat::NewFile(Kind::Address, format);
    f.categories = {{1, 10, 0, "Business", ""}};
    const bool ex = format == Format::V414;
    std::int32_t id = 1;
    for (const auto& [name, status] : nameAndStatus) {
        palmdat::Record r = palmdat::NewRecord(Kind::Address, format);
        Num(r, 0, id++);
        Num(r, ex ? 2 : 1, status);
        r[ex ? 13 : 4] = Value::Text(palmdat::Ansi(name));
        Num(r, ex ? 5 : 24, 10);
        f.records.push_back(r);
    }
    return f;
}

palmdat::DatFile Memos(Format format, const std::vector<std::string>& texts) {
    palmdat::DatFile f = palmdat::NewFile(Kind::Memo, format);
    std::int32_t id = 100;
    for (const std::string& text : texts) {
        palmdat::Record r = palmdat::NewRecord(Kind::Memo, format);
        Num(r, 0, id++);
        Num(r, format == Format::V414 ? 2 : 1, 0x01);
        r[format == Format::V414 ? 13 : 3] = Value::Text(text);
        f.records.push_back(r);
    }
    return f;
}

palmdat::DatFile Todos(Format format, int count) {
    palmdat::DatFile f = palmdat::NewFile(Kind::Todo, format);
    const bool ex = format == Format::V414;
    for (int i = 0; i < count; ++i) {
        palmdat::Record r = palmdat::NewRecord(Kind::Todo, format);
        Num(r, 0, 50 + i);
        r[ex ? 13 : 3] = Value::Text("Task " + std::to_string(i + 1));
        Num(r, ex ? 14 : 4, 1767600000);
        Num(r, ex ? 16 : 6, 1);
        f.records.push_back(r);
    }
    return f;
}

palmdat::DatFile Events(Format format, int count) {
    palmdat::DatFile f = palmdat::NewFile(Kind::Datebook, format);
    const bool ex = format == Format::V414;
    for (int i = 0; i < count; ++i) {
        palmdat::Record r = palmdat::NewRecord(Kind::Datebook, format);
        Num(r, 0, i + 1);
        Num(r, ex ? 13 : 3, 1767600000 + i * 86400);
        Num(r, ex ? 14 : 4, 1767603600 + i * 86400);
        r[ex ? 15 : 5] = Value::Text("Event " + std::to_string(i + 1));
        f.records.push_back(r);
    }
    return f;
}

class RecordSetTest : public palmtest::PalmDesktopTest {
protected:
    template <class Mgr>
    static std::vector<std::string> FirstNames(Mgr* list) {
        std::vector<std::string> names;
        for (auto* r = list->GetFirstRecord(); r != nullptr; r = list->GetNextRecord()) names.push_back(r->FirstName);
        return names;
    }
};

}  // namespace

TEST_F(RecordSetTest, StatusFilterLeavesOutDeletedAndArchivedRecords) {
    const std::string path = Write(Contacts(
        Format::V414,
        {{"Keep", 0x01}, {"Gone84", 0x84}, {"Gone04", 0x04}, {"Gone80", 0x80}, {"HighByte", 0x100}, {"Plain", 0}}));
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(path.c_str()));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenEx);
    EXPECT_EQ(FirstNames(set.GetCommonList()), (std::vector<std::string>{"Keep", "HighByte", "Plain"}));
    EXPECT_EQ(set.GetEntryCount(), 3u);
    EXPECT_EQ(set.GetExReader().GetRecords().GetCount(), 0u);  // released once converted
}

TEST_F(RecordSetTest, EntriesAndNativeRecords) {
    const std::string path = Write(Contacts(Format::V414, {{"Z\xC3\xBC"
                                                            "rich",
                                                            1},
                                                           {"Bo", 1}}));
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(path.c_str()));
    int n = 0;
    for (PmAddrEntry* e = set.FirstEntry(); e != nullptr; e = set.NextEntry(), ++n) {
        EXPECT_EQ(e->Generation, kPmGenEx);
        ASSERT_NE(e->CommonRecord, nullptr);
        const CommAddrRec& rec = *e->CommonRecord;
        EXPECT_STREQ(rec.FirstName, e->Record.Ex.FirstName);
        EXPECT_STREQ(rec.Category, "Business");
        EXPECT_EQ(rec.SourceType, CommSourcePalm);
        EXPECT_EQ(rec.Status, 1);
        // The entry is the list's copy, held once (packed by the list).
        EXPECT_EQ(rec.NativeRecord, nullptr);
        EXPECT_EQ(set.GetCommonList()->NativeOf(&rec), static_cast<void*>(e));
        EXPECT_EQ(rec.NativeSize, sizeof(PmAddrEntry));
        EXPECT_EQ(e->SourceRecord, nullptr);
    }
    EXPECT_EQ(n, 2);
    EXPECT_STREQ(set.GetCommonList()->GetFirstRecord()->FirstName,
                 "Z\xC3\xBC"
                 "rich");

    set.Reset();
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenNone);
    EXPECT_EQ(set.GetEntryCount(), 0u);
    EXPECT_EQ(set.FirstEntry(), nullptr);
    EXPECT_EQ(set.GetCommonList()->GetRecordCount(), 0u);
    EXPECT_EQ(set.GetExReader().GetRecords().GetCount(), 0u);
}

TEST_F(RecordSetTest, ExtendedBlocksBelongToTheEntry) {
    palmdat::DatFile f = Contacts(Format::V414, {{"Blocky", 1}});
    f.records[0][7] = Value::Block({1, 2, 3, 4, std::nullopt, "ext7"});
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(Write(f).c_str()));
    PmAddrEntry* e = set.FirstEntry();
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(e->Record.Ex.ExtBlock[0].Size, 4);
    // The reader's list may go; the entry keeps its block data.
    set.GetExReader().GetRecords().Clear();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e->Record.Ex.ExtBlock[0].Data), 4), "ext7");
}

TEST_F(RecordSetTest, LoadByFileChoosesTheReaderByExtension) {
    const std::string earlier = Write(Contacts(Format::Earlier, {{"Old", 1}}), "OLD.DAT");
    PmAddrInfo set;
    ClearLog();
    ASSERT_TRUE(set.LoadByFile(earlier.c_str()));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenEarly);
    EXPECT_EQ(FirstNames(set.GetCommonList()), std::vector<std::string>{"Old"});
    EXPECT_TRUE(Logged("Load Palm Desktop Contacts by file: " + earlier, false));
    EXPECT_TRUE(Logged(".dat file, try Palm Desktop 4.1.4 database loader.", false));
    EXPECT_TRUE(
        Logged("Unable to load this file with Palm Desktop 4.1.4 file loader, try earlier loader version.", false));
    // The 4.1.4 reader's complaints stay in the log, but as details: the
    // earlier reader read the file, so nothing went wrong.
    const std::vector<palmtest::LogLine> lines = Log();
    EXPECT_GT(lines.size(), 4u);
    for (const palmtest::LogLine& line : lines) EXPECT_FALSE(line.critical) << line.text;

    // A file neither reader can read keeps them as errors.
    const std::string junk = dir.File("junk.dat");
    fwtest::WriteFile(junk, "neither a 4.1.4 nor an earlier Palm Desktop file");
    ClearLog();
    EXPECT_FALSE(set.LoadByFile(junk.c_str()));
    int critical = 0;
    for (const palmtest::LogLine& line : Log()) critical += line.critical;
    EXPECT_GE(critical, 2);

    // Another extension is not read at all.
    const std::string text = dir.File("address.txt");
    fwtest::WriteFile(text, fwtest::ReadFile(earlier));
    ClearLog();
    EXPECT_FALSE(set.LoadByFile(text.c_str()));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenFailed);
    EXPECT_EQ(set.GetCommonList()->GetRecordCount(), 0u);
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Contacts data file: " + text, true));

    // Contacts refuse an empty path before anything else.
    ClearLog();
    EXPECT_FALSE(set.LoadByFile(""));
    EXPECT_FALSE(set.LoadByFile(nullptr));
    EXPECT_TRUE(Log().empty());
}

TEST_F(RecordSetTest, FailedLoadsOfTheOtherKinds) {
    PmDateInfo dates;
    PmTodoInfo todos;
    PmMemoInfo memos;
    const std::string missing = dir.File("missing.dat");
    ClearLog();
    EXPECT_FALSE(dates.LoadByFile(missing.c_str()));
    EXPECT_FALSE(todos.LoadByFile(missing.c_str()));
    EXPECT_FALSE(memos.LoadByFile(""));
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Calendar data file: " + missing, true));
    EXPECT_TRUE(Logged("Load Palm Desktop Tasks by file: " + missing, false));
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Tasks file (" + missing + ")", true));
    EXPECT_TRUE(Logged("Load Palm Desktop Memos by file: ", false));
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Memos data file ()", true));
    // The calendar writes no line of its own before loading.
    EXPECT_EQ(Count("Load Palm Desktop Calendar by file: " + missing, false), 0);
    EXPECT_EQ(dates.GetLoadedGeneration(), kPmGenFailed);
}

TEST_F(RecordSetTest, ALoadReplacesTheRecordsOfTheLoadBefore) {
    PmMemoInfo set;
    ASSERT_TRUE(set.LoadByFile(Write(Memos(Format::V414, {"one", "two", "three"})).c_str()));
    EXPECT_EQ(set.GetCommonList()->GetRecordCount(), 3u);
    ASSERT_TRUE(set.LoadByFile(Write(Memos(Format::Earlier, {"only"}), "other.dat").c_str()));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenEarly);
    ASSERT_EQ(set.GetCommonList()->GetRecordCount(), 1u);
    EXPECT_STREQ(set.GetCommonList()->GetFirstRecord()->Note, "only");
    EXPECT_EQ(set.GetExReader().GetRecords().GetCount(), 0u);
}

TEST_F(RecordSetTest, CheckFileTypeOfEveryKind) {
    const std::string ex = Write(Todos(Format::V414, 2), "Todo.DAT");
    const std::string early = Write(Todos(Format::Earlier, 2), "todo-old.dat");
    ClearLog();
    EXPECT_EQ(PmTodoInfo::CheckFileType(ex.c_str()), kPmFileEx);
    EXPECT_EQ(PmTodoInfo::CheckFileType(early.c_str()), kPmFileEarly);
    EXPECT_TRUE(Logged("Check Palm Desktop Tasks file version, file: " + ex, false));
    EXPECT_TRUE(Logged("Check Palm Desktop Task file type: (" + ex + ") - Palm Desktop 4.1.x", false));
    EXPECT_TRUE(Logged("Check Palm Desktop Task file type: (" + early + ") - Palm Desktop 4.1 or earlier", false));

    const std::string text = dir.File("todo.txt");
    fwtest::WriteFile(text, fwtest::ReadFile(ex));
    EXPECT_EQ(PmTodoInfo::CheckFileType(text.c_str()), kPmFileUnreadable);
    EXPECT_TRUE(Logged("Failed to check Palm Desktop Tasks file type: (" + text + ")", true));

    // A file that neither reader reads, and empty paths.
    const std::string junk = dir.File("junk.dat");
    fwtest::WriteFile(junk, "not a Palm file at all");
    ClearLog();
    EXPECT_EQ(PmAddrInfo::CheckFileType(junk.c_str()), kPmFileUnreadable);
    EXPECT_TRUE(Logged("Failed to check Palm Desktop Contacts file type: (" + junk + ")", true));
    EXPECT_EQ(PmMemoInfo::CheckFileType(junk.c_str()), kPmFileUnreadable);
    EXPECT_TRUE(Logged("Failed to check Palm Desktop Memos data file type (" + junk + ")", true));
    ClearLog();
    EXPECT_EQ(PmAddrInfo::CheckFileType(""), kPmFileEmptyPath);
    EXPECT_EQ(PmDateInfo::CheckFileType(nullptr), kPmFileEmptyPath);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(PmMemoInfo::CheckFileType(""), kPmFileUnreadable);
    EXPECT_TRUE(Logged("Check Palm Desktop Memos file version, file: ", false));

    const std::string dates = Write(Events(Format::V414, 1), "DATEBOOK.Dat");
    EXPECT_EQ(PmDateInfo::CheckFileType(dates.c_str()), kPmFileEx);
    EXPECT_TRUE(Logged("Check Palm Desktop Calendar file type: (" + dates + ") - Palm Desktop 4.1.x", false));
    // A file passes the check exactly when a load of it succeeds.
    PmDateInfo set;
    EXPECT_TRUE(set.LoadByFile(dates.c_str()));
}

TEST_F(RecordSetTest, LoadByUserReadsTheInstalledGeneration) {
    const FakeUser ann{7, "Ann", "AnnP"};
    InstallPalmDesktop(4, 1, 2, {ann});
    palmdat::Write(UserFolder(ann, "address") + "address.dat", Contacts(Format::V414, {{"Ann's friend", 1}}));
    palmdat::Write(UserFolder(ann, "datebook") + "datebook.dat", Events(Format::V414, 3));
    palmdat::Write(UserFolder(ann, "todo") + "todo.dat", Todos(Format::V414, 2));
    palmdat::Write(UserFolder(ann, "memopad") + "memopad.dat", Memos(Format::V414, {"a\r\nb"}));

    ClearLog();
    PmAddrInfo contacts;
    EXPECT_EQ(contacts.GetInstalledGeneration(), kPmGenEx);
    EXPECT_TRUE(Logged("Palm Desktop Version: 40102", false));
    ASSERT_TRUE(contacts.LoadByUser(7));
    EXPECT_EQ(contacts.GetLoadedGeneration(), kPmGenEx);
    EXPECT_EQ(FirstNames(contacts.GetCommonList()), std::vector<std::string>{"Ann's friend"});
    const std::string file = PalmFolderThroughDrive() + "AnnP/address/address.dat";
    EXPECT_TRUE(Logged("Load Palm Desktop Contacts by user: 7", false));
    EXPECT_TRUE(Logged("Start loading Palm Desktop Contacts by user ID: 7", false));
    EXPECT_TRUE(Logged("Get user file successfully, try loading file:" + file, false));

    PmDateInfo dates;
    PmTodoInfo todos;
    PmMemoInfo memos;
    ASSERT_TRUE(dates.LoadByUser(7));
    ASSERT_TRUE(todos.LoadByUser(7));
    ASSERT_TRUE(memos.LoadByUser(7));
    EXPECT_EQ(dates.GetCommonList()->GetRecordCount(), 3u);
    EXPECT_EQ(todos.GetCommonList()->GetRecordCount(), 2u);
    EXPECT_EQ(todos.GetCommonList()->GetFirstRecord()->SourceType, CommSourcePalm412);
    ASSERT_EQ(memos.GetCommonList()->GetRecordCount(), 1u);
    EXPECT_STREQ(memos.GetCommonList()->GetFirstRecord()->Subject, "a");
}

TEST_F(RecordSetTest, LoadByUserFailures) {
    InstallPalmDesktop(4, 1, 4, {{7, "Ann", "AnnP"}});
    ClearLog();
    PmAddrInfo contacts;
    PmDateInfo dates;
    PmTodoInfo todos;
    PmMemoInfo memos;
    // A user whose folder holds no files: contacts and calendar fail; tasks
    // and memos give empty lists without stopping the load.
    EXPECT_FALSE(contacts.LoadByUser(7));
    EXPECT_FALSE(dates.LoadByUser(7));
    EXPECT_TRUE(todos.LoadByUser(7));
    EXPECT_TRUE(memos.LoadByUser(7));
    EXPECT_EQ(todos.GetCommonList()->GetRecordCount(), 0u);
    EXPECT_EQ(contacts.GetLoadedGeneration(), kPmGenNone);
    EXPECT_TRUE(Logged("Could not open Palm Desktop Contacts database by User: 7", true));
    EXPECT_TRUE(Logged("Failed to open Palm Desktop Calendar database by User: 7", true));
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Tasks database by User: 7", true));
    EXPECT_TRUE(Logged("Failed to load Palm Desktop Memo database by User: 7", true));

    // A user the user library does not know.
    ClearLog();
    EXPECT_FALSE(contacts.LoadByUser(12));
    EXPECT_TRUE(Logged("Failed to get user database path by user ID.", true));
    EXPECT_TRUE(Logged("Could not open Palm Desktop Contacts database by User: 12", true));
}

TEST_F(RecordSetTest, EarlierReadersByUserLogTheirOwnLines) {
    const FakeUser ann{7, "Ann", "AnnP"};
    InstallPalmDesktop(4, 0, 0, {ann});
    palmdat::Write(UserFolder(ann, "address") + "address.dat", Contacts(Format::Earlier, {{"Early", 1}}));
    ClearLog();
    PmAddrInfo contacts;
    EXPECT_EQ(contacts.GetInstalledGeneration(), kPmGenEarly);
    ASSERT_TRUE(contacts.LoadByUser(7));
    EXPECT_EQ(contacts.GetLoadedGeneration(), kPmGenEarly);
    EXPECT_TRUE(Logged("Loading Palm Desktop address book file by user: User(7) - File(" + PalmFolderThroughDrive() +
                           "AnnP/address/address.dat)",
                       false));
    ClearLog();
    EXPECT_FALSE(contacts.LoadByUser(8));
    EXPECT_TRUE(Logged("Failed to get Palm Desktop data path by user, User ID=8", true));
    PmMemoInfo memos;
    EXPECT_TRUE(memos.LoadByUser(8));
    EXPECT_TRUE(Logged("Can not get Palm Desktop user data path. User ID=8", true));
    PmDateInfo dates;
    ClearLog();
    EXPECT_FALSE(dates.LoadByUser(8));
    // The earlier datebook reader has no lines of its own for this.
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Load Palm Desktop Calendar by user: 8",
                                                    "Failed to open Palm Desktop Calendar database by User: 8"}));
}

TEST_F(RecordSetTest, VersionThreeHasNoContactOrMemoReader) {
    const FakeUser ann{7, "Ann", "AnnP"};
    InstallPalmDesktop(3, 0, 0, {ann});
    palmdat::Write(UserFolder(ann, "datebook") + "datebook.dat", Events(Format::Earlier, 2));
    PmAddrInfo contacts;
    PmMemoInfo memos;
    PmDateInfo dates;
    PmTodoInfo todos;
    EXPECT_EQ(contacts.GetInstalledGeneration(), kPmGenNone);
    EXPECT_EQ(memos.GetInstalledGeneration(), kPmGenNone);
    EXPECT_EQ(dates.GetInstalledGeneration(), kPmGenEarly);
    EXPECT_EQ(todos.GetInstalledGeneration(), kPmGenEarly);
    ClearLog();
    EXPECT_FALSE(contacts.LoadByUser(7));
    EXPECT_EQ(contacts.GetLoadedGeneration(), kPmGenFailed);
    EXPECT_FALSE(memos.LoadByUser(7));
    EXPECT_TRUE(Logged("Unknown Palm Desktop version", true));
    EXPECT_TRUE(Logged("Unknown Palm Desktop version.", true));
    ASSERT_TRUE(dates.LoadByUser(7));
    EXPECT_EQ(dates.GetCommonList()->GetRecordCount(), 2u);
    // Loading by file still works for every format.
    EXPECT_TRUE(contacts.LoadByFile(Write(Contacts(Format::V414, {{"By file", 1}})).c_str()));
}

TEST_F(RecordSetTest, WithoutPalmDesktopUsersReadSixXDatabases) {
    PmAddrInfo contacts;
    EXPECT_EQ(contacts.GetInstalledGeneration(), kPmGenEx2);
    EXPECT_EQ(PmAddrInfo::GetInstalledAddrGeneration(), kPmGenEx2);
    ClearLog();
    EXPECT_FALSE(contacts.LoadByUser(1));
    EXPECT_TRUE(Logged("Start loading Palm Desktop Contacts by user ID: 1", false));
    EXPECT_TRUE(Logged("Failed to get user database path by user ID.", true));
}

TEST_F(RecordSetTest, CustomMapCopiesCatalogueFieldsIntoMappedValues) {
    // No Palm Desktop (the installed catalogue is generation 3's), a 4.1.4
    // file loaded by name: the ids are those of the 4.1.4 catalogue, the one
    // offered for that file.
    palmdat::DatFile f = Contacts(Format::V414, {{"Mapped", 1}});
    palmdat::Record& r = f.records[0];
    r[19] = Value::Text("555-HOME");
    Num(r, 26, kPmPhoneHome);
    r[20] = Value::Text("555-WORK");
    Num(r, 27, kPmPhoneWork);
    r[38] = Value::Text(std::string(100, 'c'));  // custom 6
    r[64] = Value::Text("http://palm.example");
    r[65] = Value::Double(static_cast<double>(0x07C00704));  // 1984-07-04
    PmAddrInfo set;
    EXPECT_TRUE(set.SetCustomMapSlot(0, 6));  // Home Phone
    EXPECT_TRUE(set.SetCustomMapSlot(1, 40));  // Custom 6
    EXPECT_TRUE(set.SetCustomMapSlot(2, 34));  // Birthday: no text
    EXPECT_TRUE(set.SetCustomMapSlot(3, 33));  // Home Page
    EXPECT_TRUE(set.SetCustomMapSlot(4, 46));  // not in the 4.1.4 catalogue
    EXPECT_TRUE(set.SetCustomMapSlot(9, 12));  // Mobile Phone: no slot has it
    EXPECT_TRUE(set.SetCustomFieldMap(5, 0));
    EXPECT_FALSE(set.SetCustomMapSlot(10, 1));
    EXPECT_FALSE(set.SetCustomMapSlot(-1, 1));
    EXPECT_EQ(set.GetCustomMapSlot(1), 40);
    EXPECT_EQ(set.GetCustomMapSlot(10), 0);
    ASSERT_TRUE(set.LoadByFile(Write(f).c_str()));
    const CommAddrRec& rec = *set.GetCommonList()->GetFirstRecord();
    EXPECT_STREQ(rec.MappedCustomValue[0], "555-HOME");
    EXPECT_EQ(std::string(rec.MappedCustomValue[1]), std::string(63, 'c'));
    EXPECT_STREQ(rec.MappedCustomValue[2], "");
    EXPECT_STREQ(rec.MappedCustomValue[3], "http://palm.example");
    EXPECT_STREQ(rec.MappedCustomValue[4], "");
    EXPECT_STREQ(rec.MappedCustomValue[9], "");
    EXPECT_STREQ(rec.HomePhone, "555-HOME");
    EXPECT_STREQ(rec.WorkPhone, "555-WORK");
    EXPECT_EQ(rec.Birthday, 30867.0);  // 1984-07-04
    // The mobile phone lookup gave the entry's first free slot that label.
    EXPECT_EQ(set.FirstEntry()->Record.Ex.PhoneLabel[2], kPmPhoneMobile);
}
