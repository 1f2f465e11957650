#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

#include "app/Settings.h"
#include "common/misc/CxIniUtil.h"
#include "platform/text/TextCopy.h"
#include "tests/support/TempDir.h"

namespace {

struct SettingsTest : ::testing::Test {
    fwtest::TempDir dir;
    std::string path = dir.File("FRWY.ini");
    std::unique_ptr<Settings> s = std::make_unique<Settings>();
    std::unique_ptr<Settings> back = std::make_unique<Settings>();
};

}  // namespace

TEST_F(SettingsTest, FreshInstallationDefaults) {
    ReadSettings(*s, path.c_str());
    EXPECT_EQ(s->SourceApp, 0);
    EXPECT_EQ(s->EnableDebug, 0);
    EXPECT_EQ(s->LogLevel, 3);
    EXPECT_EQ(s->SyncAddr + s->SyncDate + s->SyncTask + s->SyncNote, 4);
    EXPECT_EQ(s->NewColor, 32768);
    EXPECT_EQ(s->DiffColor, 16711680);
    EXPECT_EQ(s->SameColor, 0);
    EXPECT_EQ(s->ACTSaveUser, 1);
    EXPECT_EQ(s->GGSaveEmail, 1);
    EXPECT_EQ(s->Opp, 1);
    EXPECT_EQ(s->OLMode, 1);
    EXPECT_EQ(s->DNSavePassword, 0);
    EXPECT_EQ(s->DNSaveOrg, 1);
    EXPECT_EQ(s->DNAuthMode, 0);
    EXPECT_STREQ(s->OLCustomLabel[1], "Custom 1");
    EXPECT_STREQ(s->GGCustomLabel[9], "Custom 9");
    EXPECT_STREQ(s->PDCodePage, "windows-1252");
    EXPECT_FALSE(fwtest::ReadFile(path).size());  // reading creates nothing
}

TEST_F(SettingsTest, RoundTripOfEveryForm) {
    ReadSettings(*s, path.c_str());
    s->SourceApp = 5;
    s->PDUseAddrFile = 1;
    s->PDUserID = -12;
    platform::CopyText(s->PDAddrFileName, "/home/u/Palm/address.dat");
    platform::CopyText(s->ACTUserName, "chris");
    s->ACTSavePassword = 1;
    platform::CopyText(s->ACTPassword, "sécret=1");
    s->OLCustomID[9] = 44;
    platform::CopyText(s->OLCustomLabel[3], "Kundennr.");
    s->SyncNote = 0;
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    ReadSettings(*back, path.c_str());
    EXPECT_EQ(std::memcmp(s.get(), back.get(), sizeof(Settings)), 0);
    const std::string text = fwtest::ReadFile(path);
    EXPECT_NE(text.find("ACTPassword=c8OpY3JldD0x\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("sécret"), std::string::npos);
    // Keys appear in their order: the first few and the last.
    EXPECT_EQ(text.rfind("[FRWY]\nSourceApp=5\nEnableDebug=0\nLogLevel=3\nSyncAddr=1\n", 0), 0u);
    EXPECT_LT(text.find("PDCustom="), text.find("PDCodePage="));
    EXPECT_LT(text.find("OLAppName="), text.find("DNHostName="));
    EXPECT_LT(text.find("SGAddrLead="), text.find("ACTCustomID1="));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SettingsTest, PasswordsAreWrittenOnlyWhenKept) {
    ReadSettings(*s, path.c_str());
    platform::CopyText(s->ACTPassword, "pw");
    platform::CopyText(s->GGPassword, "pw");
    s->GGSavePassword = 1;
    platform::CopyText(s->LNPassword, "");
    s->LNSavePassword = 1;
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    const std::string text = fwtest::ReadFile(path);
    EXPECT_NE(text.find("\nACTPassword=\n"), std::string::npos);
    EXPECT_NE(text.find("\nGGPassword=cHc=\n"), std::string::npos);
    EXPECT_NE(text.find("\nLNPassword=\n"), std::string::npos);
}

TEST_F(SettingsTest, SaveFlagsDecideWhatIsRead) {
    fwtest::WriteFile(path,
                      "[FRWY]\nACTSaveUser=0\nACTUserName=chris\nACTSavePassword=0\nACTPassword=cHc=\n"
                      "GGSaveEmail=0\nGGEmail=me@gmail.com\nGGSavePassword=1\nGGPassword=cHc=\nLogLevel=7\n"
                      "SyncAddr=abc\nNewColor=12abc\nEnableDebug=5\n");
    ReadSettings(*s, path.c_str());
    EXPECT_STREQ(s->ACTUserName, "chris");  // always read
    EXPECT_STREQ(s->ACTPassword, "");
    EXPECT_STREQ(s->GGEmail, "");
    EXPECT_STREQ(s->GGPassword, "pw");
    EXPECT_EQ(s->LogLevel, 7);  // the debug log clamps it
    EXPECT_EQ(s->SyncAddr, 0);
    EXPECT_EQ(s->NewColor, 12);
    EXPECT_EQ(s->EnableDebug, 1);
    // With the user not kept, the name is written empty.
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    EXPECT_NE(fwtest::ReadFile(path).find("\nACTUserName=\n"), std::string::npos);
    EXPECT_NE(fwtest::ReadFile(path).find("\nGGEmail=\n"), std::string::npos);
}

TEST_F(SettingsTest, LongValuesAreCutAndOtherLinesKept) {
    fwtest::WriteFile(path, "; mine\n[Path]\nPDPath=/palm\n[FRWY]\nGGEmail=" + std::string(100, 'e') + "\n");
    ReadSettings(*s, path.c_str());
    EXPECT_EQ(std::strlen(s->GGEmail), 63u);
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    const std::string text = fwtest::ReadFile(path);
    EXPECT_EQ(text.rfind("; mine\n[Path]\nPDPath=/palm\n[FRWY]\n", 0), 0u);
}

TEST_F(SettingsTest, PasswordsThatFillTheirMembersSurviveASaveAndALoad) {
    ReadSettings(*s, path.c_str());
    char(*const passwords[])[256] = {&s->LNPassword, &s->ACTPassword, &s->GGPassword, &s->DNPassword,
                                     &s->SFPassword, &s->SFToken,     &s->SGPassword};
    for (std::int32_t* keep : {&s->LNSavePassword, &s->ACTSavePassword, &s->GGSavePassword, &s->DNSavePassword,
                               &s->SFSavePassword, &s->SFSaveToken, &s->SGSavePassword})
        *keep = 1;
    unsigned seed = 7;
    for (auto* member : passwords) {
        std::string password;
        for (int i = 0; i < 255; ++i)
            password.push_back(static_cast<char>(' ' + (seed = seed * 1103515245 + 12345) % 95));
        platform::CopyText(*member, password);
        ASSERT_EQ(std::strlen(*member), 255u);
    }
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    ReadSettings(*back, path.c_str());
    EXPECT_EQ(std::memcmp(s.get(), back.get(), sizeof(Settings)), 0);
    // And once more, as the next start and exit do.
    ASSERT_TRUE(WriteSettings(*back, path.c_str()));
    ReadSettings(*back, path.c_str());
    EXPECT_EQ(std::memcmp(s.get(), back.get(), sizeof(Settings)), 0);
}

TEST_F(SettingsTest, GoogleExportServerAndClientKeysComeLastAndRoundTrip) {
    ReadSettings(*s, path.c_str());
    EXPECT_STREQ(s->GGExportPath, "");
    EXPECT_STREQ(s->GGOAuthClientSecret, "");
    platform::CopyText(s->GGExportPath, std::string(300, 'x'));
    platform::CopyText(s->GGServerURL, "https://dav.example.org/dav/");
    platform::CopyText(s->GGOAuthClientID, "123-abc.apps.googleusercontent.com");
    platform::CopyText(s->GGOAuthClientSecret, "GOCSPX-secret");
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    ReadSettings(*back, path.c_str());
    EXPECT_EQ(std::memcmp(s.get(), back.get(), sizeof(Settings)), 0);
    EXPECT_EQ(std::string(back->GGExportPath), std::string(259, 'x'));
    const std::string text = fwtest::ReadFile(path);
    const std::size_t store = text.find("OLStorePath=");
    const std::size_t exportKey = text.find("GGExportPath=");
    ASSERT_NE(exportKey, std::string::npos);
    EXPECT_LT(store, exportKey);
    EXPECT_LT(exportKey, text.find("GGServerURL="));
    EXPECT_LT(text.find("GGServerURL="), text.find("GGOAuthClientID="));
    EXPECT_LT(text.find("GGOAuthClientID="), text.find("GGOAuthClientSecret=GOCSPX-secret\n"));
}

TEST_F(SettingsTest, ActWebApiAndDatabaseKeysComeAfterEveryOtherAndRoundTrip) {
    ReadSettings(*s, path.c_str());
    EXPECT_STREQ(s->ACTWebAPIURL, "");
    EXPECT_STREQ(s->ACTDatabaseName, "");
    platform::CopyText(s->ACTWebAPIURL, "https://act.example.org/act.web.api/");
    platform::CopyText(s->ACTDatabaseName, std::string(300, 'd'));
    ASSERT_TRUE(WriteSettings(*s, path.c_str()));
    ReadSettings(*back, path.c_str());
    EXPECT_EQ(std::memcmp(s.get(), back.get(), sizeof(Settings)), 0);
    EXPECT_STREQ(back->ACTWebAPIURL, "https://act.example.org/act.web.api/");
    EXPECT_EQ(std::string(back->ACTDatabaseName), std::string(259, 'd'));
    const std::string text = fwtest::ReadFile(path);
    const std::size_t url = text.find("ACTWebAPIURL=https://act.example.org/act.web.api/\n");
    ASSERT_NE(url, std::string::npos);
    EXPECT_LT(text.find("GGOAuthClientSecret="), url);
    EXPECT_LT(url, text.find("ACTDatabaseName=ddd"));
    // Nothing follows the last key.
    EXPECT_EQ(text.substr(text.find("ACTDatabaseName=")), "ACTDatabaseName=" + std::string(259, 'd') + "\n");
}
