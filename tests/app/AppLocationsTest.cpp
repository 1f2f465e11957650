#include <gtest/gtest.h>
#include <unistd.h>

#include "app/AppCommon.h"
#include "platform/paths/Paths.h"
#include "tests/support/TempDir.h"
#include "tests/support/WineRegistry.h"

namespace {

struct Locations : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv home{"HOME", dir.Path() + "home"};
    fwtest::ScopedEnv config{"XDG_CONFIG_HOME", dir.Path() + "config"};
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    char buffer[260];

    Locations() {
        for (const char* folder : {"home", "home/Documents", "config", "wine", "wine/dosdevices", "wine/drive_c"})
            platform::EnsureFolder(dir.Path() + folder);
        ::symlink("../drive_c", (dir.Path() + "wine/dosdevices/c:").c_str());
    }
    void Folder(const std::string& path) { platform::EnsureFolder(dir.Path() + path); }
    void File(const std::string& path) { fwtest::WriteFile(dir.Path() + path, "x"); }
    void Registry(const std::string& machine, const std::string& user) {
        fwtest::WriteWineRegistry(dir.Path() + "wine/", machine, user);
    }
    std::string C() const { return dir.Path() + "wine/dosdevices/c:/"; }
};

}  // namespace

TEST_F(Locations, ActDatabaseIsTheFirstPadFileOfTheFirstSubfolder) {
    EXPECT_FALSE(FindActDatabase(buffer, sizeof buffer));  // no ACT folder
    Folder("home/Documents/ACT");
    File("home/Documents/ACT/aaa-file-not-folder.txt");
    EXPECT_FALSE(FindActDatabase(buffer, sizeof buffer));
    Folder("home/Documents/ACT/Sales");
    Folder("home/Documents/ACT/Zeta");
    Folder("home/Documents/ACT/Zeta/Databases");
    File("home/Documents/ACT/Zeta/Databases/zeta.pad");
    EXPECT_FALSE(FindActDatabase(buffer, sizeof buffer));  // the first subfolder has no databases
    Folder("home/Documents/ACT/Sales/databases");
    File("home/Documents/ACT/Sales/databases/readme.txt");
    EXPECT_FALSE(FindActDatabase(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    File("home/Documents/ACT/Sales/databases/Team.PAD");
    File("home/Documents/ACT/Sales/databases/Archive.pad");
    ASSERT_TRUE(FindActDatabase(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), dir.Path() + "home/Documents/ACT/Sales/databases/Archive.pad");
    char tiny[16];
    EXPECT_FALSE(FindActDatabase(tiny, sizeof tiny));
}

TEST_F(Locations, NotesProgramAndIdFileFollowTheMachinesPath) {
    EXPECT_FALSE(GetNotesProgramPath(buffer, sizeof buffer));
    EXPECT_FALSE(GetNotesIdFilePath(buffer, sizeof buffer));
    Folder("wine/drive_c/Notes");
    Folder("wine/drive_c/Notes/Data");
    File("wine/drive_c/Notes/notes.exe");
    Registry("[Software\\\\Wow6432Node\\\\Lotus\\\\Notes] 1\n\"Path\"=\"C:\\\\Notes\\\\\"\n", "");
    ASSERT_TRUE(GetNotesProgramPath(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), C() + "Notes/notes.exe");
    ASSERT_TRUE(GetNotesIdFilePath(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), C() + "Notes/Data/user.id");
    // A path without its closing backslash still names the folder.
    Registry("[Software\\\\Lotus\\\\Notes] 1\n\"Path\"=\"C:\\\\Notes\"\n", "");
    ASSERT_TRUE(GetNotesProgramPath(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), C() + "Notes/notes.exe");
}

TEST_F(Locations, AddressBookAndNotebookLiveInTheUsersDataFolder) {
    Registry("", "[Software\\\\Lotus\\\\Notes\\\\Installer] 1\n\"DATADIR\"=\"\"\n");
    EXPECT_FALSE(GetNotesAddressBookPath(buffer, sizeof buffer));
    EXPECT_FALSE(GetNotesNotebookPath(buffer, sizeof buffer));
    Folder("wine/drive_c/Notes");
    Folder("wine/drive_c/Notes/Data");
    Registry("", "[Software\\\\Lotus\\\\Notes\\\\Installer] 1\n\"DATADIR\"=\"C:\\\\Notes\\\\Data\"\n");
    ASSERT_TRUE(GetNotesAddressBookPath(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), C() + "Notes/Data/names.nsf");
    ASSERT_TRUE(GetNotesNotebookPath(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");  // no notebook yet
    File("wine/drive_c/Notes/Data/Notebook.NSF");
    ASSERT_TRUE(GetNotesNotebookPath(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), C() + "Notes/Data/Notebook.NSF");
}
