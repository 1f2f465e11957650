#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/paths/Paths.h"
#include "tests/support/TempDir.h"

using fwtest::TempDir;

TEST(Paths, ResolvesComponentsWithoutRegardToCase) {
    TempDir dir;
    ASSERT_TRUE(platform::EnsureFolder(dir.File("Palm")));
    ASSERT_TRUE(platform::EnsureFolder(dir.File("Palm/SmithJ")));
    fwtest::WriteFile(dir.File("Palm/SmithJ/Address.DAT"), "x");
    EXPECT_EQ(platform::ResolvePath(dir.File("palm/smithj/address.dat")), dir.File("Palm/SmithJ/Address.DAT"));
    // An exact path is returned as it is.
    EXPECT_EQ(platform::ResolvePath(dir.File("Palm/SmithJ/Address.DAT")), dir.File("Palm/SmithJ/Address.DAT"));
    // A missing file keeps its own name below the resolved folders.
    EXPECT_EQ(platform::ResolvePath(dir.File("PALM/new.dat")), dir.File("Palm/new.dat"));
    EXPECT_EQ(platform::ResolvePath(dir.File("nothing/here.dat")), dir.File("nothing/here.dat"));
    EXPECT_EQ(platform::ResolvePath(""), "");
}

TEST(Paths, DataFolderLivesUnderXdgDataHome) {
    TempDir dir;
    fwtest::ScopedEnv env("XDG_DATA_HOME", dir.Path() + "share");
    const std::string folder = platform::DataFolder();
    EXPECT_EQ(folder, dir.Path() + "share/norrbek/FRWY/");
    EXPECT_TRUE(platform::PathExists(dir.Path() + "share/norrbek/FRWYCommon"));
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(Paths, DataFolderFailsWhenItCannotBeMade) {
    TempDir dir;
    fwtest::WriteFile(dir.File("file"), "not a folder");
    fwtest::ScopedEnv env("XDG_DATA_HOME", dir.File("file"));
    EXPECT_EQ(platform::DataFolder(), "");
}

TEST(Paths, DocumentsFolderFromUserDirs) {
    TempDir dir;
    fwtest::ScopedEnv home("HOME", dir.Path() + "home");
    fwtest::ScopedEnv config("XDG_CONFIG_HOME", dir.Path() + "config");
    EXPECT_EQ(platform::DocumentsFolder(), dir.Path() + "home/Documents/");
    platform::EnsureFolder(dir.Path() + "config");
    fwtest::WriteFile(dir.Path() + "config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(platform::DocumentsFolder(), dir.Path() + "home/Dokumente/");
}

TEST(Paths, ProgramFolderEndsWithASeparator) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(platform::PathExists(folder));
}
