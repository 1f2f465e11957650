#include <gtest/gtest.h>
#include <unistd.h>

#include "common/lotus/CxLNCommon.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;
using fwtest::ParamBytes;

namespace {

using LotusTestBridge = fwtest::TestBridge<CxLNBaseUtil>;

struct Lotus : fwtest::BridgeFixture {
    fwtest::ScopedEnv prefix{"WINEPREFIX", folder + "wine"};
    fwtest::ScopedEnv echo{"FWTH_ECHO", folder + "echo.txt"};

    Lotus() {
        platform::EnsureFolder(folder + "wine");
        platform::EnsureFolder(folder + "wine/dosdevices");
        platform::EnsureFolder(folder + "wine/drive_c");
        ::symlink("../drive_c", (folder + "wine/dosdevices/c:").c_str());
    }
    void NotesPath(const std::string& windowsPath) {
        fwtest::WriteFile(folder + "wine/system.reg",
                          "WINE REGISTRY Version 2\n\n[Software\\\\Wow6432Node\\\\Lotus\\\\Notes] 1\n\"Path\"=\"" +
                              windowsPath + "\"\n");
    }
    std::unique_ptr<LotusTestBridge> Make(CxHelperKindId kind) {
        auto b = std::make_unique<LotusTestBridge>(kind);
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetDatabaseName("mail/aberg.nsf");
        b->SetIdFile("C:\\Notes\\Data\\user.id");
        return b;
    }
    std::string Table(const std::string& kind, std::int32_t dbId) {
        return Int32Bytes(14) + ParamBytes(1000, "") + ParamBytes(1001, "") + ParamBytes(1002, "") +
               ParamBytes(1003, "LN" + kind + ".dat") + ParamBytes(1004, folder) + ParamBytes(1005, "1") +
               ParamBytes(1006, "LN" + kind + "Err.dat") + ParamBytes(1007, "LN" + kind + "Status.dat") +
               ParamBytes(dbId, "mail/aberg.nsf") + ParamBytes(1010, folder) + ParamBytes(1011, "appdebug.log") +
               ParamBytes(1012, "3") + ParamBytes(1013, "0") + ParamBytes(1014, "C:\\Notes\\Data\\user.id");
    }
    std::string EchoedFolder() {
        const std::string echoed = fwtest::ReadFile(folder + "echo.txt");
        const std::size_t at = echoed.find("cwd=");
        return at == std::string::npos ? std::string() : echoed.substr(at + 4, echoed.find('\n', at) - at - 4);
    }
};

std::string RealPath(const std::string& path) {
    char real[4096];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

}  // namespace

TEST_F(Lotus, ParameterTablesOfEveryKind) {
    const std::tuple<CxHelperKindId, std::string, std::int32_t> kinds[] = {{kHelperLNAddr, "Addr", 1009},
                                                                           {kHelperLNDate, "Date", 1008},
                                                                           {kHelperLNTask, "Task", 1008},
                                                                           {kHelperLNNote, "Note", 1008}};
    for (const auto& [kind, name, dbId] : kinds) {
        auto bridge = Make(kind);
        ASSERT_TRUE(bridge->Load()) << name;
        EXPECT_EQ(fwtest::ReadFile(folder + "LN" + name + "Param.dat"), Table(name, dbId)) << name;
    }
}

TEST_F(Lotus, HelpersRunInTheNotesProgramFolder) {
    platform::EnsureFolder(folder + "wine/drive_c/Lotus");
    platform::EnsureFolder(folder + "wine/drive_c/Lotus/Notes");
    NotesPath("C:\\\\lotus\\\\notes\\\\");
    auto bridge = Make(kHelperLNAddr);
    ASSERT_TRUE(bridge->Load());
    EXPECT_EQ(EchoedFolder(), RealPath(folder + "wine/drive_c/Lotus/Notes"));
    EXPECT_TRUE(Logged("Get Lotus Notes Path: " + folder + "wine/dosdevices/c:/Lotus/Notes/"));
}

TEST_F(Lotus, WithoutANotesPathHelpersRunInTheProgramFolder) {
    auto bridge = Make(kHelperLNDate);
    ASSERT_TRUE(bridge->Load());
    std::string program = platform::ProgramFolder();
    program.pop_back();
    EXPECT_EQ(EchoedFolder(), RealPath(program));
    EXPECT_TRUE(Logged("Get Lotus Notes Path: \r\n"));
}

TEST_F(Lotus, AMissingNotesFolderKeepsTheHelperFromStarting) {
    NotesPath("C:\\\\Gone\\\\");
    auto bridge = Make(kHelperLNNote);
    EXPECT_FALSE(bridge->Load());
    EXPECT_TRUE(bridge->HasError());
    EXPECT_STREQ(bridge->GetErrorText(),
                 "The helper program Norrbek.LotusNotebook.exe could not be started: No such file or directory");
    // Lotus Notes bridges keep their status and error files until they go.
    fwtest::WriteFile(folder + "LNNoteStatus.dat", "s");
    bridge->Clear();
    EXPECT_TRUE(Exists("LNNoteStatus.dat"));
    bridge.reset();
    EXPECT_FALSE(Exists("LNNoteStatus.dat"));
}
