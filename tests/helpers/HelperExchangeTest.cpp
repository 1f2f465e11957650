#include <gtest/gtest.h>

#include "common/google/CxGAppCommon.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/exchange/HelperSession.h"
#include "platform/file/Folder.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;
using fwtest::ParamBytes;

namespace {

struct Exchange : fwtest::BridgeFixture {
    std::string paramPath = folder + "ACTAddrParam.dat";
    HelperSession session;

    bool Open(const std::string& program, const std::string& bytes) {
        fwtest::WriteFile(paramPath, bytes);
        std::string argv0 = program, argv1 = paramPath;
        char* argv[] = {argv0.data(), argv1.data(), nullptr};
        return session.Open(2, argv);
    }
    // Every entry, hidden ones too: a temporary file left behind is one.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        platform::file::ListFolder(folder, names);
        return names;
    }
};

}  // namespace

TEST(HelperParams, ReadsWhatTheParameterWriterWrites) {
    fwtest::TempDir dir;
    CxGAppParamParser writer;
    writer.SetParam(1000, 8, "anna@example.com");
    writer.SetParam(1001, 8, "");
    writer.SetParam(1003, 8, "/home/anna/.local/share/norrbek/FRWY/");
    ASSERT_TRUE(writer.WriteToFile(dir.File("p.dat").c_str()));
    HelperParams params;
    ASSERT_TRUE(params.Load(dir.File("p.dat")));
    EXPECT_EQ(params.Count(), 3u);
    EXPECT_EQ(params.Get(1000), "anna@example.com");
    EXPECT_EQ(params.Get(1001), "");
    EXPECT_FALSE(params.Get(1002));
    EXPECT_EQ(params.Text(1002, "dflt"), "dflt");
    EXPECT_EQ(params.Int(1000, 7), 0);
    EXPECT_EQ(params.Int(1001, 7), 7);
}

TEST(HelperParams, RefusesBrokenFilesButKeepsWhatCameBefore) {
    HelperParams params;
    std::string error;
    const std::string good = ParamBytes(1000, "a") + Int32Bytes(1005) + Int32Bytes(3) + Int32Bytes(-12) +
                             Int32Bytes(1016) + Int32Bytes(11) + std::string("\xFF\xFF", 2);
    EXPECT_TRUE(params.Parse(Int32Bytes(3) + good));
    EXPECT_EQ(params.Get(1005), "-12");
    EXPECT_EQ(params.Get(1016), "1");
    EXPECT_FALSE(params.Parse(Int32Bytes(4) + good, &error));
    EXPECT_EQ(error, "the parameter file ends inside a parameter");
    EXPECT_EQ(params.Count(), 3u);
    EXPECT_FALSE(params.Parse(Int32Bytes(1) + Int32Bytes(1000) + Int32Bytes(8) + Int32Bytes(10) + "short", &error));
    EXPECT_EQ(error, "a text parameter is cut short");
    EXPECT_FALSE(params.Parse(Int32Bytes(1) + Int32Bytes(1000) + Int32Bytes(8) + Int32Bytes(-1), &error));
    EXPECT_FALSE(params.Parse(Int32Bytes(1) + Int32Bytes(1000) + Int32Bytes(5) + "12345678", &error));
    EXPECT_EQ(error, "a parameter has a value type that cannot be read");
    EXPECT_FALSE(params.Parse(Int32Bytes(-1), &error));
    EXPECT_FALSE(params.Parse("", &error));
    EXPECT_FALSE(params.Load("/nonexistent/param.dat", &error));
}

TEST_F(Exchange, OpensFromTheCommandLineAndFindsItsFiles) {
    ASSERT_TRUE(Open("/opt/frwy/Norrbek.ActContacts", Int32Bytes(4) + ParamBytes(1003, "ACTAddr.dat") +
                                                          ParamBytes(1004, folder) + ParamBytes(1005, "1") +
                                                          ParamBytes(1014, "2")));
    EXPECT_EQ(session.Kind().id, kHelperACTAddr);
    EXPECT_EQ(session.Folder(), folder);
    EXPECT_EQ(session.DataPath(), folder + "ACTAddr.dat");
    EXPECT_EQ(session.ErrorPath(), folder + "ACTAddrErr.dat");  // the default name
    EXPECT_EQ(session.ControlPath(), folder + "ACTAddr.ini");
    EXPECT_EQ(session.Operation(), 1);
    EXPECT_EQ(session.LogLevel(), 2);
    EXPECT_FALSE(session.DebugEnabled());
    // Without the folder parameter the parameter file's folder is used.
    ASSERT_TRUE(Open("Norrbek.GoogleCalendar.exe", Int32Bytes(0)));
    EXPECT_EQ(session.Kind().id, kHelperGDate);
    EXPECT_EQ(session.StatusPath(), folder + "GDateStatus.dat");
    EXPECT_FALSE(Open("Norrbek.Unknown", Int32Bytes(0)));
    EXPECT_EQ(session.GetError(), "the program name is not that of a helper");
    char name[] = "Norrbek.ActNotes";
    char* argv[] = {name, nullptr};
    EXPECT_FALSE(session.Open(1, argv));
    EXPECT_EQ(session.GetError(), "no parameter file given");
}

TEST_F(Exchange, ControlStatusAndErrorFilesAsTheProgramReadsThem) {
    ASSERT_TRUE(Open("Norrbek.GoogleContacts", Int32Bytes(1) + ParamBytes(1003, folder)));
    fwtest::WriteFile(folder + "GAddrData.ini", "[Status]\nRunning=0\nStop=1\n");
    ASSERT_TRUE(session.MarkRunning(true));
    EXPECT_FALSE(session.StopRequested());  // an old request does not stop a new run
    EXPECT_EQ(fwtest::ReadFile(folder + "GAddrData.ini"), "[Status]\nRunning=1\nStop=0\n");
    {
        fwtest::TestBridge<CxGAppBaseUtil> bridge(kHelperGAddr);
        bridge.SetFolder(folder.c_str());
    }  // the bridge goes while the helper runs
    EXPECT_TRUE(session.StopRequested());
    ASSERT_TRUE(session.MarkRunning(false));

    ASSERT_TRUE(session.WriteStatus("Reading 1 of 3"));
    EXPECT_EQ(fwtest::ReadFile(folder + "GAddrStatus.dat"), "Reading 1 of 3\r\n");
    EXPECT_EQ(fwtest::FileMode(folder + "GAddrStatus.dat"), 0600);

    session.AddError("first");
    session.AddError("second\r\nline");
    ASSERT_TRUE(session.WriteErrors());
    fwtest::TestBridge<CxGAppBaseUtil> reader(kHelperGAddr);
    reader.SetFolder(folder.c_str());
    reader.ReadErrorFile();
    EXPECT_TRUE(reader.HasError());
    EXPECT_STREQ(reader.GetErrorText(), "second  line");
    for (const std::string& name : Files()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

TEST_F(Exchange, DataFilesAppearWholeOrNotAtAll) {
    {
        ExchangeDataWriter writer;
        ASSERT_TRUE(writer.Open(folder + "GAddr.dat"));
        writer.Int(1);
        writer.Text("abandoned");
        writer.EndRecord();
        EXPECT_FALSE(Exists("GAddr.dat"));
    }
    EXPECT_TRUE(Files().empty());

    ExchangeDataWriter writer;
    ASSERT_TRUE(writer.Open(folder + "GAddr.dat"));
    for (int i = 0; i < 2; ++i) {
        writer.Int(i);
        writer.Int(7);
        writer.Int(9);
        writer.Text(i == 0 ? "Åsa Öberg" : "");
        writer.Int(-3);
        writer.Flag(true);
        writer.Date(45123.25);
        writer.EndRecord();
    }
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(writer.GetCount(), 2);
    EXPECT_EQ(Files(), std::vector<std::string>{"GAddr.dat"});
    EXPECT_EQ(fwtest::FileMode(folder + "GAddr.dat"), 0600);

    struct Reader : fwtest::TestBridge<CxGAppBaseUtil> {
        using TestBridge::TestBridge;
        bool Read() { return LoadDataFile_(fwtest::kTestLoadTexts); }
    } reader(kHelperGAddr);
    reader.SetFolder(folder.c_str());
    ASSERT_TRUE(reader.Read());
    ASSERT_EQ(reader.GetRecordCount(), 2u);
    EXPECT_STREQ(reader.GetRecordAt(0)->text, "Åsa Öberg");
    EXPECT_EQ(reader.GetRecordAt(1)->number, -3);
    EXPECT_EQ(reader.GetRecordAt(1)->flag, 1);
    EXPECT_DOUBLE_EQ(reader.GetRecordAt(1)->date, 45123.25);
    EXPECT_FALSE(writer.Commit());  // nothing open any more
    ExchangeDataWriter nowhere;
    EXPECT_FALSE(nowhere.Open(folder + "missing/GAddr.dat"));
    EXPECT_FALSE(nowhere.Commit());
}
