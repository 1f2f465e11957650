#include <gtest/gtest.h>

#include "common/ACT/CxACTCommon.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;
using fwtest::ParamBytes;

namespace {

using ActTestBridge = fwtest::TestBridge<CxACTBaseUtil>;

struct Act : fwtest::BridgeFixture {
    std::unique_ptr<ActTestBridge> Make(CxHelperKindId kind) {
        auto b = std::make_unique<ActTestBridge>(kind);
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetPadName("/home/anna/Documents/ACT/Sales/Databases/Sales.pad");
        b->SetUserName("Anna Berg");
        b->SetPassword("pw");
        return b;
    }
    std::string Common(const std::string& kind) {
        return ParamBytes(1000, "/home/anna/Documents/ACT/Sales/Databases/Sales.pad") + ParamBytes(1001, "Anna Berg") +
               ParamBytes(1002, "pw") + ParamBytes(1003, "ACT" + kind + ".dat") + ParamBytes(1004, folder) +
               ParamBytes(1005, "1") + ParamBytes(1006, "ACT" + kind + "Err.dat") +
               ParamBytes(1007, "ACT" + kind + "Status.dat");
    }
    std::string LogParams() {
        return ParamBytes(1012, folder) + ParamBytes(1013, "appdebug.log") + ParamBytes(1014, "3") +
               ParamBytes(1015, "0") + ParamBytes(1016, "") + ParamBytes(1017, "");
    }
};

}  // namespace

TEST_F(Act, ParameterTablesOfEveryKind) {
    const std::pair<CxHelperKindId, std::string> kinds[] = {
        {kHelperACTAddr, "Addr"}, {kHelperACTDate, "Date"}, {kHelperACTNote, "Note"}};
    for (const auto& [kind, name] : kinds) {
        auto bridge = Make(kind);
        ASSERT_TRUE(bridge->Load()) << name;
        EXPECT_EQ(fwtest::ReadFile(folder + "ACT" + name + "Param.dat"), Int32Bytes(14) + Common(name) + LogParams())
            << name;
        EXPECT_EQ(bridge->GetDataMgr()->GetRecordCount(), 2u);
        EXPECT_EQ(bridge->GetRecordAt(1)->header[0], 7);  // two header integers
        EXPECT_EQ(bridge->GetRecordAt(1)->header[1], 9);
        EXPECT_STREQ(bridge->GetRecordAt(1)->text, "Record 2");
    }
    auto tasks = Make(kHelperACTTask);
    tasks->SetOppNotes(false);
    ASSERT_TRUE(tasks->Load());
    EXPECT_EQ(fwtest::ReadFile(folder + "ACTTaskParam.dat"),
              Int32Bytes(16) + Common("Task") + ParamBytes(1008, "1") + ParamBytes(1009, "0") + LogParams());
}

TEST_F(Act, StatusAndErrorFilesStayUntilTheBridgeGoes) {
    auto bridge = Make(kHelperACTAddr);
    fwtest::ScopedEnv errors("FWTH_ERRORS", "1");
    EXPECT_TRUE(bridge->Load());
    EXPECT_TRUE(bridge->HasError());
    EXPECT_STREQ(bridge->GetErrorText(), "problem 1");
    bridge->Clear();
    EXPECT_TRUE(Exists("ACTAddrStatus.dat"));
    EXPECT_TRUE(Exists("ACTAddrErr.dat"));
    EXPECT_EQ(bridge->GetDataMgr()->GetRecordCount(), 0u);
    bridge.reset();
    EXPECT_FALSE(Exists("ACTAddrStatus.dat"));
    EXPECT_FALSE(Exists("ACTAddrErr.dat"));
    EXPECT_TRUE(Exists("ACTAddr.dat"));  // the runner deletes it at program exit
}
