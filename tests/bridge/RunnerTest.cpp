#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/bridge/CxHelperRunner.h"
#include "platform/process/ChildProcess.h"
#include "tests/support/BridgeFixture.h"

namespace {

struct Runner : fwtest::BridgeFixture {
    CxHelperRunner runner;
    Runner() {
        runner.SetHelperName("Norrbek.GoogleContacts.exe");
        runner.SetFolder(folder.c_str());
        runner.SetParamFileName("GAddrParam.dat");
        runner.SetDataFileName("GAddr.dat");
        fwtest::WriteFile(folder + "GAddrParam.dat", std::string(4, '\0'));  // no parameters
    }
};

std::string RealPath(const std::string& path) {
    char real[4096];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

}  // namespace

TEST_F(Runner, StartsTheHelperFromTheProgramFolderWithTheParameterFile) {
    EXPECT_EQ(runner.GetCommandLine(), "\"Norrbek.GoogleContacts.exe\" \"" + folder + "GAddrParam.dat\"");
    EXPECT_EQ(runner.GetWaitLimit(), 1800000u);
    fwtest::ScopedEnv echo("FWTH_ECHO", folder + "echo.txt");
    fwtest::ScopedEnv nodata("FWTH_NODATA", "1");
    char before[4096];
    ASSERT_NE(::getcwd(before, sizeof before), nullptr);
    ASSERT_TRUE(runner.Run());
    const std::string echoed = fwtest::ReadFile(folder + "echo.txt");
    EXPECT_NE(echoed.find("argc=2\nargv0=Norrbek.GoogleContacts.exe\nargv1=" + folder + "GAddrParam.dat\n"),
              std::string::npos)
        << echoed;
    std::string programFolder = platform::ProgramFolder();
    programFolder.pop_back();
    EXPECT_NE(echoed.find("cwd=" + RealPath(programFolder) + "\n"), std::string::npos) << echoed;
    EXPECT_NE(echoed.find("stdin=0\n"), std::string::npos) << echoed;
    char after[4096];
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);  // this process keeps its folder
    // The log tells what happened: no change of this process's folder.
    EXPECT_FALSE(Logged("current directory"));
    EXPECT_TRUE(Logged("Helper program " + platform::ProgramFolder() + "Norrbek.GoogleContacts started in " +
                       platform::ProgramFolder() + "."));
    EXPECT_TRUE(Logged("Executing command: \"Norrbek.GoogleContacts.exe\" \"" + folder + "GAddrParam.dat\""));
    EXPECT_TRUE(Logged("Command executed successfully."));
    EXPECT_TRUE(Logged("Helper utility program exited successfully."));
}

TEST_F(Runner, ReportsAHelperThatCannotStart) {
    runner.SetHelperName("Norrbek.NoSuchHelper.exe");
    EXPECT_FALSE(runner.Run());
    EXPECT_EQ(runner.GetStartError(), "No such file or directory");
    EXPECT_TRUE(Logged("[!!!] - CreateProcess Error: No such file or directory"));
    EXPECT_FALSE(Logged("Command executed successfully."));
}

TEST_F(Runner, AHelperPastItsLimitIsAskedToStopThroughItsControlFile) {
    fwtest::ScopedEnv hang("FWTH_HANG", "1");
    runner.SetControlFileName("GAddrData.ini");
    runner.SetWaitLimit(300);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(runner.Run());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_TRUE(runner.TimedOut());
    EXPECT_TRUE(Logged("The helper utility program has no response. Got timeout event."));
    EXPECT_TRUE(
        Logged("[!!!] - The helper program Norrbek.GoogleContacts.exe ran past its limit; it was asked to stop."));
    EXPECT_NE(fwtest::ReadFile(folder + "GAddrData.ini").find("Stop=1"), std::string::npos);
    // The helper makes the file before it writes into it.
    EXPECT_TRUE(WaitFor([this] { return !fwtest::ReadFile(folder + "stopped.txt").empty(); }));
    EXPECT_EQ(fwtest::ReadFile(folder + "stopped.txt"), "stopped");
    EXPECT_TRUE(WaitFor([this] { return !runner.IsStillRunning(); }));
}

TEST_F(Runner, TheSameHelperIsNotStartedAgainWhileItStillRuns) {
    fwtest::ScopedEnv slow("FWTH_DELAY_MS", "1500");  // deaf to the stop request while it works
    fwtest::ScopedEnv echo("FWTH_ECHO", folder + "echo.txt");
    runner.SetControlFileName("GAddrData.ini");
    runner.SetWaitLimit(100);
    ASSERT_TRUE(runner.Run());
    ASSERT_TRUE(runner.TimedOut());
    ASSERT_TRUE(WaitFor([this] { return Exists("echo.txt"); }));
    std::remove((folder + "echo.txt").c_str());
    EXPECT_TRUE(runner.IsStillRunning());
    EXPECT_FALSE(runner.Run());
    EXPECT_EQ(runner.GetStartError(), "it is still running from an earlier load");
    EXPECT_TRUE(
        Logged("[!!!] - The helper program Norrbek.GoogleContacts.exe is still running from an earlier load; "
               "it is not started again."));
    EXPECT_FALSE(Exists("echo.txt"));
    // Once it has ended, the next run starts it again.
    ASSERT_TRUE(WaitFor([this] { return !runner.IsStillRunning(); }));
    runner.SetWaitLimit(CxHelperRunner::kWaitLimit);
    ASSERT_TRUE(runner.Run());
    EXPECT_FALSE(runner.TimedOut());
    EXPECT_TRUE(Exists("echo.txt"));
}

TEST_F(Runner, AHelperIsNeverTakenFromTheCurrentFolder) {
    // A program of a helper's name in the current folder but not in the
    // program folder.
    fwtest::TempDir elsewhere;
    const std::string name = "Norrbek.NotInstalled";
    fwtest::WriteFile(elsewhere.File(name), "#!/bin/sh\ntouch \"$0.ran\"\n");
    std::filesystem::permissions(elsewhere.File(name), std::filesystem::perms::owner_all);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    runner.SetHelperName((name + ".exe").c_str());
    const bool ran = runner.Run();
    std::filesystem::current_path(before);
    EXPECT_FALSE(ran);
    EXPECT_EQ(runner.GetStartError(), "No such file or directory");
    EXPECT_FALSE(platform::PathExists(elsewhere.File(name + ".ran")));
    EXPECT_EQ(platform::FindProgram(name, platform::ProgramFolder()), "");
    EXPECT_EQ(platform::FindProgram(name, ""), "");
}

TEST_F(Runner, TheLastRunnerOfAHelperDeletesItsParameterAndDataFiles) {
    fwtest::WriteFile(folder + "GAddrParam.dat", "p");
    fwtest::WriteFile(folder + "GAddr.dat", "d");
    fwtest::WriteFile(folder + "GAddrStatus.dat", "s");
    {
        auto& shared = CxHelperRunners::For<CxHelperRunner>("Norrbek.GoogleContacts.exe");
        EXPECT_EQ(&shared, &CxHelperRunners::For<CxHelperRunner>("Norrbek.GoogleContacts.exe"));
        EXPECT_EQ(CxHelperRunners::Find("Norrbek.GoogleContacts.exe"), &shared);
        EXPECT_EQ(CxHelperRunners::Find("Norrbek.GoogleCalendar.exe"), nullptr);
        shared.SetFolder(folder.c_str());
        shared.SetParamFileName("GAddrParam.dat");
        shared.SetDataFileName("GAddr.dat");
    }
    CxHelperRunners::DestroyAll();
    EXPECT_FALSE(Exists("GAddrParam.dat"));
    EXPECT_FALSE(Exists("GAddr.dat"));
    EXPECT_TRUE(Exists("GAddrStatus.dat"));
    EXPECT_EQ(CxHelperRunners::Find("Norrbek.GoogleContacts.exe"), nullptr);
}
