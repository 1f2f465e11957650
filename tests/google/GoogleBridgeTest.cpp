#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/google/CxGAppCommon.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;
using fwtest::ParamBytes;

namespace {

using GoogleTestBridge = fwtest::TestBridge<CxGAppBaseUtil>;

// The export path, server, OAuth client id and secret, the keep-the-token
// switch and the token file, after the others.
std::string NewParams(const std::string& exportPath, const std::string& server, const std::string& id,
                      const std::string& secret, const std::string& keep) {
    return ParamBytes(1017, exportPath) + ParamBytes(1018, server) + ParamBytes(1019, id) + ParamBytes(1020, secret) +
           ParamBytes(1021, keep) + ParamBytes(1022, "GGToken.dat");
}

struct Google : fwtest::BridgeFixture {
    std::unique_ptr<GoogleTestBridge> Make(CxHelperKindId kind) {
        auto b = std::make_unique<GoogleTestBridge>(kind);
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetEmail("anna.berg@example.com");
        b->SetLogLevel(2);
        b->SetDebug(true);
        return b;
    }
};

}  // namespace

TEST_F(Google, ContactsParameterFileByteForByte) {
    auto bridge = Make(kHelperGAddr);
    ASSERT_TRUE(bridge->Load());
    const std::string bytes = fwtest::ReadFile(folder + "GAddrParam.dat");
    EXPECT_EQ(bytes.substr(0, 4), Int32Bytes(18));
    EXPECT_EQ(bytes.substr(4, 8 + 4 + 21), ParamBytes(1000, "anna.berg@example.com"));
    EXPECT_EQ(bytes, Int32Bytes(18) + ParamBytes(1000, "anna.berg@example.com") + ParamBytes(1001, "") +
                         ParamBytes(1002, "GAddr.dat") + ParamBytes(1003, folder) + ParamBytes(1005, "1") +
                         ParamBytes(1004, "") + ParamBytes(1009, "GAddrErr.dat") + ParamBytes(1010, "GAddrStatus.dat") +
                         ParamBytes(1013, folder) + ParamBytes(1014, "appdebug.log") + ParamBytes(1015, "2") +
                         ParamBytes(1016, "1") + NewParams("", "", "", "", "0"));
    // The empty password: id 1001, type 8, byte count 0.
    EXPECT_NE(bytes.find(Int32Bytes(1001) + Int32Bytes(8) + Int32Bytes(0) + Int32Bytes(1002)), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat((folder + "GAddrParam.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(Google, CalendarParameterFileAddsTheCalendarEntries) {
    auto bridge = Make(kHelperGDate);
    bridge->SetPassword("s3cret pass");
    bridge->SetDebug(false);
    bridge->SetExportPath("/exports/Takeout.zip");
    bridge->SetServerURL("https://dav.example.org/");
    bridge->SetOAuthClientID("client-1");
    bridge->SetOAuthClientSecret("shh");
    bridge->SetSavePassword(true);
    ASSERT_TRUE(bridge->Load());
    EXPECT_EQ(fwtest::ReadFile(folder + "GDateParam.dat"),
              Int32Bytes(21) + ParamBytes(1000, "anna.berg@example.com") + ParamBytes(1001, "s3cret pass") +
                  ParamBytes(1002, "GDate.dat") + ParamBytes(1003, folder) + ParamBytes(1005, "1") +
                  ParamBytes(1004, "") + ParamBytes(1006, "") + ParamBytes(1007, "") + ParamBytes(1008, "GCal.dat") +
                  ParamBytes(1009, "GDateErr.dat") + ParamBytes(1010, "GDateStatus.dat") + ParamBytes(1013, folder) +
                  ParamBytes(1014, "appdebug.log") + ParamBytes(1015, "2") + ParamBytes(1016, "0") +
                  NewParams("/exports/Takeout.zip", "https://dav.example.org/", "client-1", "shh", "1"));
}

TEST_F(Google, ClearDeletesTheStatusAndErrorFiles) {
    auto contacts = Make(kHelperGAddr);
    auto calendar = Make(kHelperGDate);
    for (const char* name :
         {"GAddrStatus.dat", "GAddrErr.dat", "GDateStatus.dat", "GDateErr.dat", "GCal.dat", "GAddrData.ini"})
        fwtest::WriteFile(folder + name, "x");
    contacts->Clear();
    EXPECT_FALSE(Exists("GAddrStatus.dat"));
    EXPECT_FALSE(Exists("GAddrErr.dat"));
    EXPECT_TRUE(Exists("GCal.dat"));
    EXPECT_TRUE(Exists("GAddrData.ini"));
    calendar->Clear();
    EXPECT_FALSE(Exists("GDateStatus.dat"));
    EXPECT_FALSE(Exists("GDateErr.dat"));
    EXPECT_FALSE(Exists("GCal.dat"));
}
