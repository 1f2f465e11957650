// The Palm Desktop installation: its folder, version, installed generations,
// libraries and users.
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "common/palm/PmUserFile.h"
#include "common/records/CommKinds.h"
#include "tests/palm/PalmDesktopFixture.h"

using palmtest::FakeUser;
using platform::RecordingUserInterface;

namespace {

class DesktopTest : public palmtest::PalmDesktopTest {
protected:
    std::string Path(int expected = kPmPathFound) {
        char buffer[260];
        EXPECT_EQ(GetPalmDesktopPath(buffer, sizeof buffer), expected);
        return buffer;
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& call : ui.Calls(RecordingUserInterface::Kind::MessageBox))
            texts.push_back(call.caption + ": " + call.text);
        return texts;
    }
};

const std::vector<FakeUser> kUsers = {{0x11223344, "J\xC3\xB6rg Smith", "SmithJ"}, {7, "Ann", "AnnP"}};

}  // namespace

TEST_F(DesktopTest, PdPathBesideTheProgramWinsWithoutTheRegistry) {
    InstallPalmDesktop(4, 1, 4, kUsers);
    fwtest::WriteFile(dir.File("program/norrbek.ini"), "[FRWY]\nSyncAddr=1\n[Path]\nPDPath=/opt/palm\n");
    EXPECT_EQ(Path(), "/opt/palm");
    // A Windows path names the drive of the Wine prefix.
    fwtest::WriteFile(dir.File("program/norrbek.ini"), "[Path]\nPDPath=D:\\Palm\n");
    EXPECT_EQ(Path(), Prefix() + "/dosdevices/d:/Palm");
    // The registry is not needed at all.
    std::filesystem::remove(Prefix() + "/user.reg");
    EXPECT_EQ(Path(), Prefix() + "/dosdevices/d:/Palm");
}

TEST_F(DesktopTest, RegistryKeysOfTheUserThenOfTheMachine) {
    EXPECT_EQ(Path(kPmPathNotFound), "");
    RegisterDesktopPath("C:\\Palm\\");
    EXPECT_EQ(Path(), PalmFolderThroughDrive());
    std::filesystem::remove(Prefix() + "/user.reg");
    fwtest::WriteFile(Prefix() + "/system.reg",
                      "WINE REGISTRY Version 2\n\n[Software\\\\Wow6432Node\\\\PalmSource\\\\Desktop\\\\Core] 1\n"
                      "\"DesktopPath\"=\"C:\\\\Program Files\\\\Palm\"\n");
    EXPECT_EQ(Path(), Prefix() + "/dosdevices/c:/Program Files/Palm");
}

TEST_F(DesktopTest, HotSyncPathGivesItsFolderWithTheSeparator) {
    platform::EnsureFolder(PalmFolder());
    fwtest::WriteFile(PalmFolder() + "palm.exe", palmtest::ProgramWithVersion(4, 1, 4, 2));
    fwtest::WriteFile(Prefix() + "/user.reg",
                      "WINE REGISTRY Version 2\n\n[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1\n"
                      "\"HotSyncPath\"=\"C:\\\\Palm\\\\HotSync.exe\"\n");
    EXPECT_EQ(Path(), PalmFolderThroughDrive());
    // "<folder>/" + "/palm.exe" is a path the file system accepts.
    EXPECT_EQ(GetPalmDesktopVersion(), 40104u);
}

TEST_F(DesktopTest, PathFailures) {
    char small[8];
    EXPECT_EQ(GetPalmDesktopPath(nullptr, 260), kPmPathNoBuffer);
    EXPECT_EQ(GetPalmDesktopPath(small, 0), kPmPathNoBuffer);
    RegisterDesktopPath("C:\\Palm\\");
    std::snprintf(small, sizeof small, "junk");
    EXPECT_EQ(GetPalmDesktopPath(small, sizeof small), kPmPathTooLong);
    EXPECT_STREQ(small, "");
    // A core key without either value gives no folder.
    fwtest::WriteFile(Prefix() + "/user.reg",
                      "WINE REGISTRY Version 2\n\n[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1\n"
                      "\"Other\"=\"x\"\n");
    EXPECT_EQ(Path(kPmPathNotFound), "");
    // A HotSync path longer than 259 characters cannot be read.
    fwtest::WriteFile(Prefix() + "/user.reg",
                      "WINE REGISTRY Version 2\n\n[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1\n"
                      "\"HotSyncPath\"=\"C:\\\\" +
                          std::string(300, 'x') + "\\\\HotSync.exe\"\n");
    EXPECT_EQ(Path(kPmPathNotFound), "");
}

TEST_F(DesktopTest, VersionNumbersAndTheirGenerations) {
    EXPECT_EQ(GetPalmDesktopVersion(), kPmUnknownVersion);  // no Palm Desktop at all
    InstallPalmDesktop(4, 1, 2, kUsers);
    EXPECT_EQ(GetPalmDesktopVersion(), 40102u);
    fwtest::WriteFile(PalmFolder() + "palm.exe", palmtest::ProgramWithVersion(4, 0, 0, 9));
    EXPECT_EQ(GetPalmDesktopVersion(), 40000u);
    fwtest::WriteFile(PalmFolder() + "palm.exe", "no version here");
    EXPECT_EQ(GetPalmDesktopVersion(), kPmUnknownVersion);

    struct Case {
        std::uint32_t version;
        int addr, date, task, memo;
    };
    const Case cases[] = {
        {kPmUnknownVersion, 3, 3, 3, 3},
        {60000, 3, 3, 3, 3},
        {59999, 2, 2, 2, 2},
        {40102, 2, 2, 2, 2},
        {40101, 1, 1, 1, 1},
        {40000, 1, 1, 1, 1},
        {30500, 1, 1, 1, 1},
        {30499, 0, 1, 1, 0},
        {30000, 0, 1, 1, 0},
        {0, 0, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(PmInstalledGeneration(CommKindAddr, c.version), c.addr);
        EXPECT_EQ(PmInstalledGeneration(CommKindDate, c.version), c.date);
        EXPECT_EQ(PmInstalledGeneration(CommKindTask, c.version), c.task);
        EXPECT_EQ(PmInstalledGeneration(CommKindNote, c.version), c.memo);
    }
}

TEST_F(DesktopTest, UsersAreLoadedOnceFromUsersDat) {
    InstallPalmDesktop(4, 1, 4, kUsers);
    const std::filesystem::path before = std::filesystem::current_path();
    LoadPalmUsers();
    EXPECT_EQ(std::filesystem::current_path(), before);
    ASSERT_TRUE(PalmUsersLoaded());
    ASSERT_EQ(GetPalmUsers().size(), 2u);
    EXPECT_EQ(GetPalmUsers()[0]->UserID, 0x11223344u);
    EXPECT_STREQ(GetPalmUsers()[0]->UserName, "J\xC3\xB6rg Smith");
    EXPECT_STREQ(GetPalmUsers()[0]->UserDirectory, "SmithJ");
    EXPECT_STREQ(GetPalmUsers()[1]->UserDirectory, "AnnP");
    EXPECT_TRUE(Messages().empty());
    for (unsigned flag : {kPmLibCondMgr, kPmLibUserData, kPmLibHSAPI, kPmLibInstAide})
        EXPECT_TRUE(IsPalmLibraryLoaded(flag)) << flag;

    // Once per process: a new user file is not read again.
    fwtest::WriteFile(PalmFolder() + "USERS.DAT", palmtest::UsersDat({{1, "Other", "Other"}}));
    LoadPalmUsers();
    EXPECT_EQ(GetPalmUsers().size(), 2u);
}

TEST_F(DesktopTest, WithoutCondMgrNoUserLibraryAndTheMessage) {
    InstallPalmDesktop(4, 1, 4, kUsers, {"condmgr.dll"});
    LoadPalmUsers();
    EXPECT_FALSE(IsPalmLibraryLoaded(kPmLibUserData));
    EXPECT_EQ(PmUmGetUserCount(), -100);
    EXPECT_TRUE(PalmUsersLoaded());
    EXPECT_TRUE(GetPalmUsers().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Can not find any Palm users in your desktop environment."});
    ASSERT_EQ(ui.Calls().size(), 1u);
    EXPECT_EQ(ui.Calls()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(ui.Calls()[0].owner, nullptr);
    // The user library is not there to ask, so no user's folder is built.
    char path[kPmPathSize] = "unset";
    EXPECT_FALSE(GetUserDataPath(7, path));
    EXPECT_STREQ(path, "");
}

TEST_F(DesktopTest, LibrariesLoadInOrderAndStopAtTheFirstMissing) {
    InstallPalmDesktop(4, 1, 4, kUsers, {"HSAPI.DLL"});
    EXPECT_FALSE(LoadPalmLibraries(kPmLibAll));
    EXPECT_TRUE(IsPalmLibraryLoaded(kPmLibCondMgr));
    EXPECT_TRUE(IsPalmLibraryLoaded(kPmLibUserData));
    EXPECT_FALSE(IsPalmLibraryLoaded(kPmLibHSAPI));
    EXPECT_FALSE(IsPalmLibraryLoaded(kPmLibInstAide));
    EXPECT_TRUE(LoadPalmLibraries(kPmLibUserData | kPmLibInstAide));
    EXPECT_EQ(PmUmGetUserCount(), 2);
    // The user library's calls.
    std::uint32_t id = 0;
    EXPECT_EQ(PmUmGetUserID(1, &id), 0);
    EXPECT_EQ(id, 7u);
    char name[4];
    std::int16_t length = sizeof name;
    EXPECT_EQ(PmUmGetUserName(7, name, &length), 0);
    EXPECT_STREQ(name, "Ann");
}

TEST_F(DesktopTest, NoUsersGivesAnEmptyListWithoutAMessage) {
    InstallPalmDesktop(4, 1, 4, {});
    LoadPalmUsers();
    EXPECT_TRUE(PalmUsersLoaded());
    EXPECT_TRUE(GetPalmUsers().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DesktopTest, WithoutAPalmDesktopFolderALaterCallTriesAgain) {
    LoadPalmUsers();
    EXPECT_FALSE(PalmUsersLoaded());
    EXPECT_TRUE(Messages().empty());
    InstallPalmDesktop(4, 1, 4, kUsers);
    LoadPalmUsers();
    EXPECT_TRUE(PalmUsersLoaded());
    EXPECT_EQ(GetPalmUsers().size(), 2u);
}

TEST_F(DesktopTest, UserFoldersFromUserSubfoldersWithoutUsersDat) {
    InstallPalmDesktop(4, 1, 4, {});
    std::filesystem::remove(PalmFolder() + "USERS.DAT");
    platform::EnsureFolder(PalmFolder() + "Zed");
    platform::EnsureFolder(PalmFolder() + "Zed/memopad");
    platform::EnsureFolder(PalmFolder() + "NotAUser");
    LoadPalmUsers();
    ASSERT_EQ(GetPalmUsers().size(), 1u);
    EXPECT_STREQ(GetPalmUsers()[0]->UserDirectory, "Zed");
    char path[kPmPathSize];
    ASSERT_TRUE(GetUserDataPath(GetPalmUsers()[0]->UserID, path));
    EXPECT_EQ(std::string(path), PalmFolderThroughDrive() + "Zed/");
}

TEST_F(DesktopTest, UserDataPathAndUserFiles) {
    InstallPalmDesktop(4, 1, 4, kUsers);
    char path[kPmPathSize];
    EXPECT_FALSE(GetUserDataPath(7, nullptr));
    // Loads the users on first use.
    ASSERT_TRUE(GetUserDataPath(7, path));
    EXPECT_EQ(std::string(path), PalmFolderThroughDrive() + "AnnP/");
    std::snprintf(path, sizeof path, "unset");
    EXPECT_FALSE(GetUserDataPath(99, path));  // unknown user
    EXPECT_STREQ(path, "");

    std::string file;
    ASSERT_TRUE(PmUserFilePath(7, CommKindAddr, kPmGenEx, file));
    EXPECT_EQ(file, PalmFolderThroughDrive() + "AnnP/address/address.dat");
    ASSERT_TRUE(PmUserFilePath(7, CommKindNote, kPmGenEx2, file));
    EXPECT_EQ(file, PalmFolderThroughDrive() + "AnnP/MemoPad/MemoPad.mdb");
    ASSERT_TRUE(PmUserFilePath(7, CommKindTask, kPmGenEarly, file));
    EXPECT_EQ(file, PalmFolderThroughDrive() + "AnnP/todo/todo.dat");
    ASSERT_TRUE(PmUserFilePath(7, CommKindDate, kPmGenEx2, file));
    EXPECT_EQ(file, PalmFolderThroughDrive() + "AnnP/datebook/DateBook.mdb");
    EXPECT_FALSE(PmUserFilePath(7, CommKindDate, kPmGenNone, file));
    EXPECT_FALSE(PmUserFilePath(7, 9, kPmGenEx, file));
}

TEST_F(DesktopTest, PathsOver259CharactersAreRefused) {
    // A Palm Desktop folder so deep that the user's file would not fit.
    const std::string deep = dir.Path() + std::string(200 - dir.Path().size(), 'd') + "/";
    platform::EnsureFolder(deep);
    fwtest::WriteFile(deep + "condmgr.dll", "x");
    fwtest::WriteFile(deep + "UserData.dll", "x");
    fwtest::WriteFile(deep + "HSAPI.DLL", "x");
    fwtest::WriteFile(deep + "instaide.dll", "x");
    const std::string user(259 - deep.size() - 5, 'u');
    fwtest::WriteFile(deep + "USERS.DAT", palmtest::UsersDat({{5, "Long", user}}));
    fwtest::WriteFile(dir.File("program/norrbek.ini"), "[Path]\nPDPath=" + deep + "\n");
    char path[kPmPathSize];
    ASSERT_TRUE(GetUserDataPath(5, path));  // the folder itself still fits
    std::string file;
    EXPECT_FALSE(PmUserFilePath(5, CommKindAddr, kPmGenEx, file));
    EXPECT_EQ(file, "");
}
