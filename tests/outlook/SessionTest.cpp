#include <gtest/gtest.h>

#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "tests/outlook/OutlookFixture.h"

using namespace oltest;

namespace {

struct SessionTest : ::testing::Test, Fixture {};

}  // namespace

TEST_F(SessionTest, AdaptersShareOneOutlookReleasedByTheLast) {
    {
        auto contacts = std::make_unique<OlAddrUtil>();
        EXPECT_TRUE(contacts->IsConnected());
        EXPECT_EQ(OlBaseUtil::GetUserCount(), 2);  // the base and the contact part
        const long afterFirst = platform::DispatchObject::LiveObjects();
        auto calendar = std::make_unique<OlDateUtil>();
        EXPECT_EQ(OlBaseUtil::GetUserCount(), 4);
        // Only a folder more, no second application.
        EXPECT_EQ(platform::DispatchObject::LiveObjects(), afterFirst + 1);
        contacts.reset();
        EXPECT_EQ(OlBaseUtil::GetUserCount(), 2);
        EXPECT_TRUE(calendar->Load());
    }
    EXPECT_EQ(OlBaseUtil::GetUserCount(), 0);
    EXPECT_EQ(platform::DispatchObject::LiveObjects(), live);
    const std::string log = Log();
    EXPECT_EQ(log.find("Outlook automation started."), log.rfind("Outlook automation started."));
    EXPECT_NE(log.find("Get Outlook Calendar root folder successfully."), std::string::npos);
    EXPECT_NE(log.find("Outlook Automation Succeeded."), std::string::npos);
}

TEST_F(SessionTest, WithoutOutlookNothingLoadsAndNothingIsWritten) {
    platform::outlook::UnregisterOutlookApplication();
    OlTaskUtil tasks;
    EXPECT_FALSE(tasks.IsConnected());
    EXPECT_EQ(OlBaseUtil::GetUserCount(), 0);
    EXPECT_FALSE(tasks.Load());
    CommTaskRec rec{};
    std::strcpy(rec.Subject, "x");
    EXPECT_EQ(tasks.MigrateRecord(&rec), OlMigrateFailed);
    EXPECT_NE(Log().find("[!!!] - Can not get the CLSID of Outlook.Application, hr=0x800401f3"), std::string::npos);
}

TEST_F(SessionTest, StoreThatCannotOpenFailsAtRun) {
    platform::outlook::UnregisterOutlookApplication();
    fwtest::WriteFile(dir.File("blocker"), "x");
    platform::outlook::RegisterOutlookApplication(dir.File("blocker") + "/store");
    OlNoteUtil notes;
    EXPECT_FALSE(notes.IsConnected());
    EXPECT_EQ(OlBaseUtil::GetUserCount(), 0);
    EXPECT_NE(Log().find("Failed to execute OleRun, hr=0x80004005"), std::string::npos);
}

TEST_F(SessionTest, VersionClassFromTheInstalledProgram) {
    EXPECT_EQ(OlBaseUtil::ComputeVersionClass(), 0);  // no App Paths entry
    {
        // Automation still starts, and the Outlook that answers tells its
        // version: the stand-in plays Outlook 16.
        OlNoteUtil notes;
        EXPECT_TRUE(notes.IsConnected());
        EXPECT_EQ(OlBaseUtil::GetVersionClass(), 6);
    }
    const int expected[][2] = {{9, 1}, {10, 2}, {11, 3}, {12, 4}, {13, 6}, {14, 5}, {16, 6}};
    for (const auto& [major, cls] : expected) {
        InstallOutlook(major);
        EXPECT_EQ(OlBaseUtil::ComputeVersionClass(), cls) << major;
    }
    OlNoteUtil notes;
    EXPECT_EQ(OlBaseUtil::GetVersionClass(), 6);
    EXPECT_EQ(OlBaseUtil::VersionClassOf(0), 0);
}
