#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "platform/paths/PrivateFiles.h"
#include "tests/support/TempDir.h"

namespace {

struct DebugLogTest : ::testing::Test {
    fwtest::TempDir dir;
    CxDebugUtil log;
    DebugLogTest() { log.SetFolder(dir.Path().c_str()); }
    std::string Text() { return fwtest::ReadFile(dir.File("appdebug.log")); }
};

}  // namespace

TEST_F(DebugLogTest, EntryFormat) {
    log.Log(kLogCritical, "C:\\src\\common\\OlComm.cpp", 120, "Outlook %s started.", "automation");
    const std::regex line(
        R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\]\[OlComm\.cpp          \(120 \)\]\[[0-9a-f]{5,}\]\[!!!\] - Outlook automation started\.\r\n)");
    EXPECT_TRUE(std::regex_match(Text(), line)) << Text();
}

TEST_F(DebugLogTest, FilterByLevelAndSwitch) {
    log.Log(kLogDetail, "a.cpp", 1, "hidden while off");
    log.Enable(true);
    log.SetLevel(1);
    log.Log(kLogDetail, "a.cpp", 2, "hidden at level 1");
    log.Log(kLogCritical, "a.cpp", 3, "critical");
    log.SetLevel(7);  // behaves as 3
    EXPECT_EQ(log.GetLevel(), 3);
    log.Log(kLogDetail, "a.cpp", 4, "detail");
    log.Log(kLogLow, "a.cpp", 5, "low");
    log.SetLevel(-2);
    EXPECT_EQ(log.GetLevel(), 0);
    const std::string text = Text();
    EXPECT_EQ(text.find("hidden"), std::string::npos);
    EXPECT_NE(text.find("[!!!] - critical"), std::string::npos);
    EXPECT_NE(text.find("[   ] - detail"), std::string::npos);
    EXPECT_NE(text.find("[   ] - low"), std::string::npos);
}

TEST_F(DebugLogTest, HeldBackEntriesAreWrittenInOrderAndDemotedWhereAsked) {
    log.Enable(true);
    log.SetLevel(2);
    {
        CxDeferredLog attempt;
        log.Log(kLogCritical, "a.cpp", 1, "first attempt failed");
        log.Log(kLogLow, "a.cpp", 2, "too low for the filter");
        EXPECT_EQ(Text(), "");  // nothing written yet
        attempt.Demote(attempt.Count());
        {
            CxDeferredLog inner;  // hands its entries to the outer one
            log.Log(kLogCritical, "a.cpp", 3, "a real error");
        }
        log.Log(kLogDetail, "a.cpp", 4, "done");
    }
    const std::string text = Text();
    const std::size_t first = text.find("[   ] - first attempt failed");
    const std::size_t error = text.find("[!!!] - a real error");
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_NE(error, std::string::npos) << text;
    EXPECT_LT(first, error);
    EXPECT_LT(error, text.find("[   ] - done"));
    EXPECT_EQ(text.find("too low"), std::string::npos);
    // A demoted entry that the level filters out is not written at all.
    log.SetLevel(1);
    {
        CxDeferredLog attempt;
        log.Log(kLogCritical, "a.cpp", 5, "quietly demoted");
        attempt.Demote(1);
    }
    EXPECT_EQ(Text().find("quietly demoted"), std::string::npos);
}

TEST_F(DebugLogTest, SourceNamesAndWideLineNumbers) {
    log.Log(kLogCritical, nullptr, 12345, "x");
    log.Log(kLogCritical, "/home/u/src/common/palm/PmDBUtil.cpp", 7, "y");
    const std::string longName(300, 'n');
    log.Log(kLogCritical, longName.c_str(), 1, "z");
    const std::string text = Text();
    EXPECT_NE(text.find("[<null>              (12345)]"), std::string::npos);
    EXPECT_NE(text.find("[PmDBUtil.cpp        (7   )]"), std::string::npos);
    EXPECT_NE(text.find("[" + std::string(255, 'n') + "(1   )]"), std::string::npos);
}

TEST_F(DebugLogTest, LongMessagesAreCut) {
    const std::string big(50000, 'm');
    log.Log(kLogCritical, "a.cpp", 1, "%s", big.c_str());
    const std::string text = Text();
    const auto start = text.find("] - ") + 4;
    EXPECT_EQ(text.size() - start - 2, CxDebugUtil::kMessageLimit - 1);
}

TEST_F(DebugLogTest, RolloverAboveTenMebibytes) {
    const std::string path = dir.File("appdebug.log");
    fwtest::WriteFile(path, std::string(static_cast<std::size_t>(CxDebugUtil::kRolloverSize), 'a'));
    log.Log(kLogCritical, "a.cpp", 1, "appended");
    const std::string appended = Text();
    EXPECT_GT(appended.size(), static_cast<std::size_t>(CxDebugUtil::kRolloverSize));
    EXPECT_FALSE(fwtest::ReadFile(path + ".old.log").size());

    fwtest::WriteFile(path, std::string(static_cast<std::size_t>(CxDebugUtil::kRolloverSize) + 1, 'b'));
    log.Log(kLogCritical, "a.cpp", 1, "fresh");
    const std::string fresh = Text();
    EXPECT_EQ(fresh.front(), '[');
    EXPECT_NE(fresh.find("fresh"), std::string::npos);
    EXPECT_EQ(fwtest::ReadFile(path + ".old.log").size(), static_cast<std::size_t>(CxDebugUtil::kRolloverSize) + 1);
}

TEST_F(DebugLogTest, ControlCharactersCannotForgeAnEntry) {
    log.Log(kLogCritical, "a.cpp", 1, "Cannot open %s", "/tmp/x\n[2009/03/05 14:07:31][forged]\r\x01\x7f\tend");
    const std::string text = Text();
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text;  // one line
    EXPECT_NE(text.find("] - Cannot open /tmp/x\\n[2009/03/05 14:07:31][forged]\\r\\x01\\x7F\\tend\r\n"),
              std::string::npos)
        << text;
    // Everything printable stays as it was, non-ASCII texts included.
    for (const std::string& plain : {std::string(), std::string("C:\\Palm\\Anna Åberg"), std::string("a ~ z")})
        EXPECT_EQ(CxDebugUtil::OneLine(plain), plain);
    EXPECT_EQ(CxDebugUtil::OneLine(std::string("\0\x1f", 2)), "\\x00\\x1F");
}

TEST_F(DebugLogTest, TheLogAndItsEarlierGenerationAreTheOwnersAlone) {
    const std::string path = dir.File("appdebug.log");
    log.Log(kLogCritical, "a.cpp", 1, "new");
    EXPECT_EQ(platform::FileMode(path), 0600);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);  // written by an earlier version
    log.Log(kLogCritical, "a.cpp", 1, "narrowed");
    EXPECT_EQ(platform::FileMode(path), 0600);
    fwtest::WriteFile(path, std::string(static_cast<std::size_t>(CxDebugUtil::kRolloverSize) + 1, 'b'));
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    log.Log(kLogCritical, "a.cpp", 1, "fresh");
    EXPECT_EQ(platform::FileMode(path), 0600);
    EXPECT_EQ(platform::FileMode(path + ".old.log"), 0600);
}

TEST_F(DebugLogTest, UnwritableFolderDropsTheEntry) {
    log.SetFolder("/no/such/folder/");
    log.Log(kLogCritical, "a.cpp", 1, "dropped");
    SUCCEED();
}

TEST(DebugLogMacro, PassesTheCallSite) {
    fwtest::TempDir dir;
    CxDebugUtil& log = CxDebugUtil::Instance();
    const std::string oldFolder = log.GetFolder();
    log.SetFolder(dir.Path().c_str());
    CX_LOG(kLogCritical, "value %d", 5);
    const int line = __LINE__ - 1;
    log.SetFolder(oldFolder.c_str());
    const std::string text = fwtest::ReadFile(dir.File("appdebug.log"));
    EXPECT_NE(text.find("[CxDebugUtilTest.cpp (" + std::to_string(line)), std::string::npos) << text;
    EXPECT_NE(text.find("- value 5\r\n"), std::string::npos);
}

TEST(CxDebugUtilPrivacy, ControlCharactersAreEscapedAndTheLogIsPrivate) {
    fwtest::TempDir dir;
    CxDebugUtil& log = CxDebugUtil::Instance();
    log.SetFolder(dir.Path().c_str());
    CX_LOG(kLogCritical, "Cannot read: %s", "evil\r\n[2026/01/01 00:00:00][forged] - line\x01");
    const std::string text = fwtest::ReadFile(dir.File("appdebug.log"));
    log.SetFolder("./");
    EXPECT_EQ(text.find("\r\n"), text.size() - 2);  // one entry, one line end
    EXPECT_NE(text.find("evil\\r\\n[2026/01/01 00:00:00][forged] - line\\x01"), std::string::npos) << text;
    EXPECT_EQ(fwtest::FileMode(dir.File("appdebug.log")), 0600);
}
