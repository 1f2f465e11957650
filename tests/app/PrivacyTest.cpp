// What the program leaves on disk is its user's alone, and a migration that
// has nowhere to keep its account does not run.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppCommon.h"
#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "platform/paths/PrivateFiles.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/support/TempDir.h"

namespace {

struct Privacy : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    std::string folder = dir.Path() + "share/norrbek/FRWY/";
    Privacy() { SetWaitPause(0); }
    ~Privacy() override { CxDebugUtil::Instance().SetFolder("./"); }
};

}  // namespace

TEST_F(Privacy, TheDataFolderAndEveryFileTheProgramWritesAreTheOwnersAlone) {
    // An earlier version left the folder and its debug log open to all.
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    fwtest::WriteFile(folder + "appdebug.log", "");
    std::filesystem::permissions(folder + "appdebug.log", std::filesystem::perms(0644));

    InitApplication();
    EXPECT_EQ(platform::FileMode(folder), 0700);
    CX_LOG(kLogCritical, "an entry");
    EXPECT_TRUE(MigrateApplication(nullptr, kAppOutlook));
    ExitApplication();
    for (const char* name : {"FRWY.ini", "appdebug.log", "SWLog.txt"})
        EXPECT_EQ(platform::FileMode(folder + name), 0600) << name;
}

TEST_F(Privacy, WithoutADataFolderTheMigrationDoesNotRun) {
    fwtest::WriteFile(dir.File("file"), "not a folder");
    fwtest::ScopedEnv noData("XDG_DATA_HOME", dir.File("file"));
    fwtest::TempDir current;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(current.Path());
    const bool migrated = MigrateApplication(nullptr, kAppOutlook);
    std::filesystem::current_path(before);
    EXPECT_FALSE(migrated);
    EXPECT_FALSE(platform::PathExists(current.File("SWLog.txt")));
    const auto boxes = ui.Calls(platform::RecordingUserInterface::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    // The driver's message, then why.
    EXPECT_EQ(boxes[0].text, "Migrating information to Outlook failed.\nThe migration log cannot be kept: the folder " +
                                 dir.File("file") + "/ cannot be made.");
}
