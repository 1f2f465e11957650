#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Environment.h"
#include "tests/support/TempDir.h"

using platform::ChildProcess;
using platform::SplitCommandLine;
using platform::WaitResult;
using Args = std::vector<std::string>;

TEST(CommandLine, SplitsTheHelperCommandLine) {
    EXPECT_EQ(
        SplitCommandLine("\"Norrbek.GoogleContacts.exe\" \"/home/an na/.local/share/norrbek/FRWY/GAddrParam.dat\""),
        (Args{"Norrbek.GoogleContacts.exe", "/home/an na/.local/share/norrbek/FRWY/GAddrParam.dat"}));
    EXPECT_EQ(SplitCommandLine("  prog  a\tb  "), (Args{"prog", "a", "b"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine("   "), Args{});
    EXPECT_EQ(SplitCommandLine("p \"\" x"), (Args{"p", "", "x"}));
}

TEST(CommandLine, FollowsTheBackslashAndQuoteRules) {
    // The program name takes no escapes.
    EXPECT_EQ(SplitCommandLine("\"C:\\dir\\\" x"), (Args{"C:\\dir\\", "x"}));
    EXPECT_EQ(SplitCommandLine("p a\\\\b"), (Args{"p", "a\\\\b"}));
    EXPECT_EQ(SplitCommandLine("p a\\\\\"b c\""), (Args{"p", "a\\b c"}));
    EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Args{"p", "a\"b"}));
    EXPECT_EQ(SplitCommandLine("p \"a\\\\\\\"b\""), (Args{"p", "a\\\"b"}));
    EXPECT_EQ(SplitCommandLine("p \"say \"\"hi\"\"\""), (Args{"p", "say \"hi\""}));
    EXPECT_EQ(SplitCommandLine("p \"unterminated quote"), (Args{"p", "unterminated quote"}));
    EXPECT_EQ(SplitCommandLine("\"unterminated program"), (Args{"unterminated program"}));
    EXPECT_EQ(SplitCommandLine("p a\"b c\"d"), (Args{"p", "ab cd"}));
}

TEST(ChildProcess, FindsHelpersInTheProgramFolderWithoutTheirSuffix) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("Norrbek.Helper"), "#!/bin/sh\n");
    EXPECT_EQ(platform::FindProgram("Norrbek.Helper.exe", dir.Path()), dir.File("Norrbek.Helper"));
    EXPECT_EQ(platform::FindProgram("norrbek.helper.EXE", dir.Path()), dir.File("Norrbek.Helper"));
    EXPECT_EQ(platform::FindProgram("Norrbek.Helper", dir.Path()), dir.File("Norrbek.Helper"));
    fwtest::WriteFile(dir.File("Tool.exe"), "x");
    EXPECT_EQ(platform::FindProgram("Tool.exe", dir.Path()), dir.File("Tool.exe"));
    EXPECT_EQ(platform::FindProgram("Missing.exe", dir.Path()), "");
    EXPECT_EQ(platform::FindProgram("", dir.Path()), "");
    platform::EnsureFolder(dir.File("folder.exe"));
    EXPECT_EQ(platform::FindProgram("folder.exe", dir.Path()), "");
    EXPECT_EQ(platform::FindProgram(dir.File("Norrbek.Helper.exe"), "/nowhere"), dir.File("Norrbek.Helper"));
}

TEST(ChildProcess, RunsInItsFolderWithArgumentsAndNoInput) {
    fwtest::TempDir dir;
    platform::EnsureFolder(dir.File("work"));
    ChildProcess child;
    const std::string script =
        "pwd > out.txt; printf '[%s]' \\\"$1\\\" >> out.txt; cat >> out.txt; printf '%s' $FW_PROBE >> out.txt";
    fwtest::ScopedEnv probe("FW_PROBE", "inherited");
    ASSERT_TRUE(child.Start("\"/bin/sh\" -c \"" + script + "\" sh \"one arg\"", dir.File("work"), dir.Path()));
    EXPECT_EQ(child.Wait(20000), WaitResult::Exited);
    EXPECT_EQ(child.ExitCode(), 0);
    EXPECT_FALSE(child.IsRunning());
    char real[4096];
    ASSERT_NE(::realpath(dir.File("work").c_str(), real), nullptr);
    EXPECT_EQ(fwtest::ReadFile(dir.File("work/out.txt")), std::string(real) + "\n[one arg]inherited");
}

TEST(ChildProcess, ReportsWhyItCannotStart) {
    fwtest::TempDir dir;
    ChildProcess child;
    EXPECT_FALSE(child.Start("\"Norrbek.Missing.exe\" \"x\"", "", dir.Path()));
    EXPECT_EQ(child.LastError(), ENOENT);
    EXPECT_EQ(child.ErrorText(), "No such file or directory");
    EXPECT_EQ(child.Wait(10), WaitResult::Failed);

    fwtest::WriteFile(dir.File("NotRunnable"), "data");
    ::chmod(dir.File("NotRunnable").c_str(), 0600);
    EXPECT_FALSE(child.Start("\"NotRunnable.exe\"", "", dir.Path()));
    EXPECT_EQ(child.LastError(), EACCES);
    EXPECT_EQ(child.ErrorText(), "Permission denied");

    EXPECT_FALSE(child.Start("\"/bin/true\"", dir.File("no-such-folder"), dir.Path()));
    EXPECT_EQ(child.LastError(), ENOENT);
    EXPECT_FALSE(child.Start("", "", dir.Path()));
}

TEST(ChildProcess, WaitsWithATimeLimitAndReportsExitCodes) {
    ChildProcess child;
    ASSERT_TRUE(child.Start("\"/bin/sh\" -c \"exit 3\"", "", ""));
    EXPECT_EQ(child.Wait(20000), WaitResult::Exited);
    EXPECT_EQ(child.ExitCode(), 3);
    EXPECT_EQ(child.Wait(0), WaitResult::Exited);  // asking again is harmless

    ASSERT_TRUE(child.Start("\"/bin/sleep\" 30", "", ""));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(child.Wait(150), WaitResult::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_TRUE(child.IsRunning());
    ::kill(static_cast<pid_t>(child.Pid()), SIGTERM);
    EXPECT_EQ(child.Wait(20000), WaitResult::Exited);
    EXPECT_EQ(child.ExitCode(), 128 + SIGTERM);
}

TEST(ChildProcess, AReleasedChildIsCollectedOnceItEnds) {
    long pid = 0;
    {
        ChildProcess child;
        ASSERT_TRUE(child.Start("\"/bin/sleep\" 0.1", "", ""));
        pid = child.Pid();
        EXPECT_EQ(child.Wait(0), WaitResult::TimedOut);
    }  // released while running
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    ChildProcess next;
    ASSERT_TRUE(next.Start("\"/bin/true\"", "", ""));
    EXPECT_EQ(next.Wait(20000), WaitResult::Exited);
    errno = 0;
    EXPECT_EQ(::waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(EnvironmentTest, SetsKeepsAndRefusesNamesTheEnvironmentCannotHold) {
    EXPECT_TRUE(platform::SetEnvironmentValue("FW_ENV_TEST", "one"));
    EXPECT_TRUE(platform::SetEnvironmentValue("FW_ENV_TEST", "two", false));
    EXPECT_STREQ(std::getenv("FW_ENV_TEST"), "one");
    EXPECT_TRUE(platform::SetEnvironmentValue("FW_ENV_TEST", ""));
    EXPECT_STREQ(std::getenv("FW_ENV_TEST"), "");
    EXPECT_FALSE(platform::SetEnvironmentValue("", "x"));
    EXPECT_FALSE(platform::SetEnvironmentValue("A=B", "x"));
    EXPECT_EQ(std::getenv("A"), nullptr);
}
