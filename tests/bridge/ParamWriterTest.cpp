#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/bridge/CxHelperFiles.h"
#include "common/bridge/CxParamWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestBridges.h"

using fwtest::Int32Bytes;

namespace {

std::string Text(const std::string& s) { return Int32Bytes(static_cast<std::int32_t>(s.size())) + s; }
std::string Param(std::int32_t id, const std::string& s) { return Int32Bytes(id) + Int32Bytes(8) + Text(s); }

}  // namespace

TEST(ParamWriter, WritesParametersInTheOrderFirstSet) {
    fwtest::TempDir dir;
    CxParamWriter writer(dir.File("P.dat").c_str());
    EXPECT_TRUE(writer.SetParam(1001, 8, "b"));
    EXPECT_TRUE(writer.SetParam(1000, 8, "a"));
    EXPECT_TRUE(writer.SetParam(1001, 8, "replaced"));  // keeps its place
    EXPECT_FALSE(writer.SetParam(1000, 3, "5"));        // same id, another type
    EXPECT_TRUE(writer.SetParam(1002, 8, nullptr));
    EXPECT_EQ(writer.GetCount(), 3u);
    ASSERT_TRUE(writer.WriteToFile());
    EXPECT_EQ(fwtest::ReadFile(dir.File("P.dat")),
              Int32Bytes(3) + Param(1001, "replaced") + Param(1000, "a") + Param(1002, ""));
    // A path given to WriteToFile replaces the stored one.
    ASSERT_TRUE(writer.WriteToFile(dir.File("Q.dat").c_str()));
    EXPECT_STREQ(writer.GetPath(), dir.File("Q.dat").c_str());
    EXPECT_EQ(fwtest::ReadFile(dir.File("Q.dat")), fwtest::ReadFile(dir.File("P.dat")));
}

TEST(ParamWriter, CutsLongValuesAndKeepsTheFileToItsOwner) {
    fwtest::TempDir dir;
    const std::string path = dir.File("GAddrParam.dat");
    fwtest::WriteFile(path, "old content that is longer than the new file will be ............................");
    ::chmod(path.c_str(), 0644);
    CxParamWriter writer;
    writer.SetParam(1000, 8, (std::string(1022, 'x') + "\xE2\x82\xAC").c_str());  // the euro sign would cross 1023
    writer.SetParam(1001, 8, std::string(1023, 'y').c_str());
    ASSERT_TRUE(writer.WriteToFile(path.c_str()));
    EXPECT_EQ(fwtest::ReadFile(path),
              Int32Bytes(2) + Param(1000, std::string(1022, 'x')) + Param(1001, std::string(1023, 'y')));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(ParamWriter, FailsWhenTheFileCannotBeCreated) {
    fwtest::TempDir dir;
    CxParamWriter writer;
    writer.SetParam(1000, 8, "x");
    EXPECT_FALSE(writer.WriteToFile(dir.File("missing/folder/P.dat").c_str()));
    CxParamWriter noPath;
    EXPECT_FALSE(noPath.WriteToFile());
    EXPECT_TRUE(noPath.WriteToFile(dir.File("empty.dat").c_str()));
    EXPECT_EQ(fwtest::ReadFile(dir.File("empty.dat")), Int32Bytes(0));
}

TEST(HelperFiles, FindsKindsByProgramName) {
    ASSERT_NE(FindHelperKind("Norrbek.GoogleContacts.exe"), nullptr);
    EXPECT_EQ(FindHelperKind("Norrbek.GoogleContacts.exe")->id, kHelperGAddr);
    EXPECT_EQ(FindHelperKind("/opt/frwy/norrbek.lotusnotebook")->id, kHelperLNNote);
    EXPECT_EQ(FindHelperKind("C:\\Program Files\\Norrbek.ActTasks.EXE")->id, kHelperACTTask);
    EXPECT_EQ(FindHelperKind("Norrbek.Google"), nullptr);
    EXPECT_EQ(FindHelperKind("Norrbek.GoogleContactsX"), nullptr);
    EXPECT_EQ(FindHelperKind(nullptr), nullptr);
    EXPECT_STREQ(GetHelperKind(kHelperGDate).controlFile, "GDateData.ini");
    EXPECT_STREQ(GetHelperKind(kHelperACTNote).controlFile, "ACTNote.ini");
    EXPECT_STREQ(GetHelperKind(99).helper, "Norrbek.GoogleContacts.exe");
    for (int id = 0; id < kHelperKindCount; ++id) EXPECT_EQ(FindHelperKind(GetHelperKind(id).helper)->id, id);
}
