#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>

#include "common/bridge/CxHelperRunner.h"
#include "common/google/CxGAppCommon.h"
#include "common/misc/CxWaitWindow.h"
#include "platform/paths/PrivateFiles.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;
using fwtest::ScopedEnv;
using fwtest::TestRecordBytes;

namespace {

using GoogleTestBridge = fwtest::TestBridge<CxGAppBaseUtil>;

// A runner that cannot start anything: its helper's folder does not exist.
class UnstartableRunner : public CxGAppDataReader {
protected:
    std::string HelperDirectory_() override { return "/nonexistent/helper/folder"; }
};

class UnstartableBridge : public GoogleTestBridge {
public:
    UnstartableBridge() : GoogleTestBridge(kHelperGAddr) {}

protected:
    CxHelperRunner& Runner_() override { return m_runner; }

private:
    UnstartableRunner m_runner;
};

struct Bridge : fwtest::BridgeFixture {
    std::unique_ptr<GoogleTestBridge> bridge = Make(kHelperGAddr);
    std::unique_ptr<GoogleTestBridge> Make(CxHelperKindId kind) {
        auto b = std::make_unique<GoogleTestBridge>(kind);
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        return b;
    }
    std::string Subject(std::size_t i) { return bridge->GetDataMgr()->GetRecordAt(i)->Subject; }
};

}  // namespace

TEST_F(Bridge, LoadsTheRecordsTheHelperLeavesAndLinksThem) {
    ScopedEnv records("FWTH_RECORDS", "3");
    bridge->SetEmail("me@example.com");
    ASSERT_TRUE(bridge->Load());
    EXPECT_FALSE(bridge->HasError());
    EXPECT_EQ(bridge->GetOperation(), 1);
    ASSERT_EQ(bridge->GetDataMgr()->GetRecordCount(), 3u);
    ASSERT_EQ(bridge->GetRecordCount(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const CommNoteRec* rec = bridge->GetDataMgr()->GetRecordAt(i);
        const fwtest::TestRawRec* raw = bridge->GetRecordAt(i);
        EXPECT_EQ(rec->NativeRecord, raw);
        EXPECT_EQ(rec->NativeSize, 0u);
        EXPECT_EQ(std::string(rec->Subject), "Record " + std::to_string(i + 1));
        EXPECT_EQ(raw->header[0], static_cast<int>(i + 1));
        EXPECT_EQ(raw->header[2], 9);
        EXPECT_EQ(raw->number, static_cast<int>(10 * (i + 1)));
        EXPECT_EQ(raw->flag, i % 2 == 0 ? 1 : 0);
        EXPECT_EQ(raw->flagNeighbour, 0);
        EXPECT_DOUBLE_EQ(raw->date, 45001.5 + static_cast<double>(i));
    }
    EXPECT_TRUE(Logged("Start loading test records."));
    EXPECT_TRUE(Logged("Start loading test records from temperary file: GAddr.dat"));
    EXPECT_TRUE(Logged("There are 3 test records in total."));
    EXPECT_TRUE(Logged("Load test records successfully."));
    // A second load replaces the records.
    ScopedEnv one("FWTH_RECORDS", "1");
    ASSERT_TRUE(bridge->Load());
    EXPECT_EQ(bridge->GetDataMgr()->GetRecordCount(), 1u);
    EXPECT_EQ(bridge->GetRecordCount(), 1u);
}

TEST_F(Bridge, TheLastErrorOfTheErrorFileIsReported) {
    ScopedEnv errors("FWTH_ERRORS", "2");
    EXPECT_TRUE(bridge->Load());  // the data file was read
    EXPECT_TRUE(bridge->HasError());
    EXPECT_STREQ(bridge->GetErrorText(), "problem 2");
    // A good run afterwards is not failed by the old error file.
    ScopedEnv none("FWTH_ERRORS", "0");
    EXPECT_TRUE(bridge->Load());
    EXPECT_FALSE(bridge->HasError());
    EXPECT_STREQ(bridge->GetErrorText(), "");
}

TEST_F(Bridge, ErrorFileRules) {
    auto read = [this](const std::string& content) {
        fwtest::WriteFile(folder + "GAddrErr.dat", content);
        bridge->ReadErrorFile();
        return std::make_pair(bridge->HasError(), std::string(bridge->GetErrorText()));
    };
    EXPECT_EQ(read("[Error]\nError.Count=2\nError.1=first\nError.2=second\n"),
              std::make_pair(true, std::string("second")));
    EXPECT_EQ(read("[Error]\nError.Count=0\nError.1=first\n"), std::make_pair(false, std::string()));
    EXPECT_EQ(read("[Error]\nError.Count=3\nError.1=first\n"), std::make_pair(true, std::string()));
    EXPECT_EQ(read("[Error]\nError.Count=abc\nError.1=x\n"), std::make_pair(false, std::string()));
    EXPECT_EQ(read("[error]\nerror.count=1\nERROR.1=" + std::string(1500, 'e') + "\n"),
              std::make_pair(true, std::string(1023, 'e')));
    std::remove((folder + "GAddrErr.dat").c_str());
    bridge->ReadErrorFile();
    EXPECT_FALSE(bridge->HasError());
}

TEST_F(Bridge, AHelperWithoutDataFileFailsTheLoadAndOldDataIsNeverReadAgain) {
    ASSERT_TRUE(bridge->Load());
    ASSERT_EQ(bridge->GetDataMgr()->GetRecordCount(), 2u);
    ScopedEnv nodata("FWTH_NODATA", "1");
    EXPECT_FALSE(bridge->Load());
    EXPECT_EQ(bridge->GetDataMgr()->GetRecordCount(), 0u);
    EXPECT_TRUE(bridge->HasError());
    EXPECT_NE(std::string(bridge->GetErrorText()).find("left no data file"), std::string::npos);
    EXPECT_TRUE(Logged("[!!!] - Failed to open file: " + folder + "GAddr.dat"));
    EXPECT_TRUE(Logged("[!!!] - Failed to load test records."));
}

TEST_F(Bridge, AHelperThatCannotStartFailsTheLoad) {
    UnstartableBridge unstartable;
    unstartable.SetFolder(folder.c_str());
    fwtest::WriteFile(folder + "GAddr.dat", Int32Bytes(1) + TestRecordBytes(true, "stale", 1, 0, 0));
    EXPECT_FALSE(unstartable.Load());
    EXPECT_TRUE(unstartable.HasError());
    EXPECT_STREQ(unstartable.GetErrorText(),
                 "The helper program Norrbek.GoogleContacts.exe could not be started: No such file or directory");
    EXPECT_EQ(unstartable.GetDataMgr()->GetRecordCount(), 0u);
    EXPECT_FALSE(Exists("GAddr.dat"));  // the stale file is gone
    EXPECT_TRUE(Exists("GAddrParam.dat"));
    EXPECT_TRUE(Logged("CreateProcess Error: No such file or directory"));
}

TEST_F(Bridge, ADataFileCutShortFailsTheLoadWithoutAPhantomRecord) {
    ScopedEnv cut("FWTH_CUT", "3");
    EXPECT_FALSE(bridge->Load());
    EXPECT_TRUE(bridge->HasError());
    EXPECT_EQ(bridge->GetErrorText(), "The data file " + folder + "GAddr.dat ends after 1 of its 2 records.");
    ASSERT_EQ(bridge->GetDataMgr()->GetRecordCount(), 1u);
    EXPECT_EQ(Subject(0), "Record 1");
    EXPECT_TRUE(Logged("[!!!] - The data file " + folder + "GAddr.dat ends after 1 of its 2 records."));
}

TEST_F(Bridge, DataFileEnvelopeEdges) {
    // Data files written here, read without running a helper.
    struct Reader : GoogleTestBridge {
        using GoogleTestBridge::GoogleTestBridge;
        bool Read() { return LoadDataFile_(fwtest::kTestLoadTexts); }
    } reader(kHelperGAddr);
    reader.SetFolder(folder.c_str());
    auto load = [&](const std::string& bytes) {
        fwtest::WriteFile(folder + "GAddr.dat", bytes);
        reader.Clear();
        return reader.Read();
    };
    EXPECT_TRUE(load(Int32Bytes(0)));
    EXPECT_EQ(reader.GetDataMgr()->GetRecordCount(), 0u);
    EXPECT_TRUE(load(Int32Bytes(-5) + "whatever follows"));
    EXPECT_EQ(reader.GetDataMgr()->GetRecordCount(), 0u);
    EXPECT_FALSE(load(""));
    EXPECT_NE(std::string(reader.GetErrorText()).find("holds no record count"), std::string::npos);
    EXPECT_FALSE(load(Int32Bytes(0x7FFFFFFF) + TestRecordBytes(true, "only", 1, 0, 1.0)));
    EXPECT_EQ(reader.GetDataMgr()->GetRecordCount(), 1u);
    // An empty text leaves the field empty; a long one is cut to the field.
    EXPECT_TRUE(load(Int32Bytes(2) + TestRecordBytes(true, "", 5, 2, 2.0) +
                     TestRecordBytes(true, "0123456789abcdefghij\xC3\xA9", -1, 0, 0)));
    ASSERT_EQ(reader.GetRecordCount(), 2u);
    EXPECT_STREQ(reader.GetRecordAt(0)->text, "");
    EXPECT_EQ(reader.GetRecordAt(0)->flag, 1);  // any non-zero flag reads as true
    EXPECT_STREQ(reader.GetRecordAt(1)->text, "0123456789abcde");
    EXPECT_EQ(reader.GetRecordAt(1)->number, -1);
    EXPECT_EQ(reader.GetRecordAt(1)->flagNeighbour, 0);
}

TEST_F(Bridge, TheWaitWindowShowsTheSlowHelpersStatusLines) {
    ScopedEnv slow("FWTH_DELAY_MS", "600");
    ASSERT_TRUE(StartWaitWindow(nullptr));
    WatchStatusFile((folder + "GAddrStatus.dat").c_str());
    std::set<std::string> seen;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            seen.insert(GetWaitWindowState().message);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    EXPECT_TRUE(bridge->Load());
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().message == "Done"; }));
    done = true;
    watcher.join();
    StopWaitWindow();
    bool step = false;
    for (const std::string& m : seen) step = step || m.rfind("Step ", 0) == 0;
    EXPECT_TRUE(step);
}

TEST_F(Bridge, AHelperPastItsLimitFailsTheLoadAndIsAskedToStop) {
    ScopedEnv hang("FWTH_HANG", "1");
    bridge->SetWaitLimit(300);
    EXPECT_FALSE(bridge->Load());
    EXPECT_TRUE(bridge->HasError());
    EXPECT_STREQ(bridge->GetErrorText(),
                 "The helper program Norrbek.GoogleContacts.exe did not end in time and was asked to stop.");
    EXPECT_TRUE(Logged("The helper utility program has no response. Got timeout event."));
    // The helper makes the file before it writes into it.
    EXPECT_TRUE(WaitFor([this] { return !fwtest::ReadFile(folder + "stopped.txt").empty(); }));
    EXPECT_EQ(fwtest::ReadFile(folder + "stopped.txt"), "stopped");
}

TEST_F(Bridge, ALoadWhileTheHelperOfAnEarlierOneStillRunsStartsNothing) {
    ScopedEnv slow("FWTH_DELAY_MS", "1500");
    bridge->SetWaitLimit(100);
    EXPECT_FALSE(bridge->Load());
    ScopedEnv echo("FWTH_ECHO", folder + "echo.txt");
    const std::string params = fwtest::ReadFile(folder + "GAddrParam.dat");
    bridge->SetEmail("other@example.com");
    EXPECT_FALSE(bridge->Load());
    EXPECT_STREQ(bridge->GetErrorText(),
                 "The helper program Norrbek.GoogleContacts.exe is still running from an "
                 "earlier load; try again when it has stopped.");
    EXPECT_EQ(fwtest::ReadFile(folder + "GAddrParam.dat"), params);  // left as the running helper read it
    EXPECT_FALSE(Exists("echo.txt"));
    ASSERT_TRUE(WaitFor([] {
        CxHelperRunner* runner = CxHelperRunners::Find("Norrbek.GoogleContacts.exe");
        return runner == nullptr || !runner->IsStillRunning();
    }));
}

TEST_F(Bridge, AParameterFileThatCannotBeWrittenStartsNoHelper) {
    ScopedEnv echo("FWTH_ECHO", folder + "echo.txt");
    std::filesystem::create_directory(folder + "GAddrParam.dat");
    EXPECT_FALSE(bridge->Load());
    EXPECT_TRUE(bridge->HasError());
    EXPECT_TRUE(Logged("[!!!] - Cannot write the parameter file: " + folder + "GAddrParam.dat"));
    EXPECT_FALSE(Logged("Executing command"));
    EXPECT_FALSE(Exists("echo.txt"));
}

TEST_F(Bridge, EveryExchangeFileIsItsOwnersAlone) {
    ScopedEnv errors("FWTH_ERRORS", "1");
    ScopedEnv delay("FWTH_DELAY_MS", "50");
    bridge->SetEmail("me@example.com");
    EXPECT_TRUE(bridge->Load());
    for (const char* name : {"GAddrParam.dat", "GAddr.dat", "GAddrStatus.dat", "GAddrErr.dat", "GAddrData.ini"})
        EXPECT_EQ(platform::FileMode(folder + name), 0600) << name;
}

TEST_F(Bridge, AControlFileThatIsNotRunningIsLeftAlone) {
    const std::string control = folder + "GAddrData.ini";
    fwtest::WriteFile(control, "[Status]\r\nRunning=0\r\n");
    bridge.reset();
    EXPECT_EQ(fwtest::ReadFile(control), "[Status]\r\nRunning=0\r\n");
    fwtest::WriteFile(control, "[Status]\nOther=1\n");
    Make(kHelperGAddr).reset();
    EXPECT_EQ(fwtest::ReadFile(control), "[Status]\nOther=1\n");
    std::remove(control.c_str());
    Make(kHelperGAddr).reset();
    EXPECT_FALSE(Exists("GAddrData.ini"));
    fwtest::WriteFile(control, "[Status]\nRunning=2\nStop=0\n");
    Make(kHelperGAddr).reset();
    EXPECT_EQ(fwtest::ReadFile(control), "[Status]\nRunning=2\nStop=1\n");
}

TEST_F(Bridge, SettersKeepAtMost255Characters) {
    bridge->SetEmail(std::string(300, 'e').c_str());
    EXPECT_EQ(std::string(bridge->GetEmail()), std::string(255, 'e'));
    bridge->SetEmail(nullptr);
    EXPECT_STREQ(bridge->GetEmail(), "");
    bridge->SetStatusFileName(std::string(400, 's').c_str());
    EXPECT_EQ(std::string(bridge->GetStatusFileName()).size(), 255u);
    EXPECT_EQ(bridge->GetLogLevel(), 3);
    EXPECT_FALSE(bridge->GetDebug());
    EXPECT_STREQ(bridge->GetLogFileName(), "appdebug.log");
}
