#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/event/AutoResetEvent.h"
#include "platform/ui/ConsoleUserInterface.h"
#include "platform/ui/RecordingUserInterface.h"

using platform::AutoResetEvent;

TEST(AutoResetEvent, LetsOneWaiterThroughPerSignal) {
    AutoResetEvent event;
    EXPECT_FALSE(event.Wait(10));
    event.Set();
    event.Set();  // signals do not add up
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(10));
    AutoResetEvent initially(true);
    initially.Reset();
    EXPECT_FALSE(initially.Wait(0));
}

TEST(AutoResetEvent, WakesAWaiterOnAnotherThread) {
    AutoResetEvent event;
    bool woke = false;
    std::thread waiter([&] { woke = event.Wait(20000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    event.Set();
    waiter.join();
    EXPECT_TRUE(woke);
    std::thread forever([&] { event.Wait(); });
    event.Set();
    forever.join();
}

TEST(UserInterface, TheInstalledServiceAnswersAndTheConsoleOneOtherwise) {
    platform::RecordingUserInterface recording;
    platform::UserInterface* before = &platform::CurrentUserInterface();
    {
        platform::ScopedUserInterface scope(&recording);
        int owner = 0;
        platform::CurrentUserInterface().MessageBox(&owner, "Text", "Error", platform::MessageIcon::Error);
        platform::CurrentUserInterface().ShowErrorReport(&owner, {"/f/", "/f/appdebug.log", ""});
        platform::CurrentUserInterface().ActivateWindow(&owner);
        const auto calls = recording.Calls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].text, "Text");
        EXPECT_EQ(calls[0].caption, "Error");
        EXPECT_EQ(calls[0].icon, platform::MessageIcon::Error);
        EXPECT_EQ(calls[0].owner, &owner);
        EXPECT_EQ(calls[1].report.logFile, "/f/appdebug.log");
        EXPECT_EQ(recording.Calls(platform::RecordingUserInterface::Kind::Activate).size(), 1u);
    }
    EXPECT_EQ(&platform::CurrentUserInterface(), before);
}

TEST(UserInterface, ConsoleWritesMessagesAndTheReportAsLines) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    platform::ConsoleUserInterface console(out);
    console.MessageBox(nullptr, "Loading Google Contacts Error: denied", "Error", platform::MessageIcon::Error);
    console.ShowErrorReport(nullptr, {"/d/", "/d/appdebug.log", "help@example.com"});
    std::rewind(out);
    char buf[2048] = {0};
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, out);
    std::fclose(out);
    const std::string text(buf, n);
    EXPECT_EQ(text.rfind("Error: Loading Google Contacts Error: denied\n", 0), 0u) << text;
    EXPECT_NE(text.find("We're sorry that an unhandled exception occurred in Ferrywise. \n"), std::string::npos);
    EXPECT_NE(text.find("Please contact us at: help@example.com"), std::string::npos);
    EXPECT_NE(text.find("Log File: /d/appdebug.log\n"), std::string::npos);
}
