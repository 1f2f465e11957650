#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "common/misc/CxFile.h"
#include "tests/support/TempDir.h"

TEST(CxFile, RoundTripOfEveryValueForm) {
    fwtest::TempDir dir;
    const std::string path = dir.File("x.dat");
    {
        CxFile f;
        ASSERT_TRUE(f.Open(path.c_str(), "wb"));
        EXPECT_TRUE(f.WriteInt(-7));
        EXPECT_TRUE(f.WriteBool(true));
        EXPECT_TRUE(f.WriteDouble(36526.25));
        EXPECT_TRUE(f.WriteString("Grüße"));
        EXPECT_TRUE(f.WriteString(""));
        EXPECT_TRUE(f.WriteString(nullptr));
        EXPECT_TRUE(f.WriteLine("last"));
    }
    EXPECT_EQ(CxFile::GetFileSize(path.c_str()), 4 + 4 + 8 + 4 + 7 + 4 + 4 + 6);
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    std::int32_t i = 0, b = 0, len = -1;
    double d = 0;
    char text[32];
    EXPECT_TRUE(f.ReadInt(i));
    EXPECT_TRUE(f.ReadBool(b));
    EXPECT_TRUE(f.ReadDouble(d));
    EXPECT_TRUE(f.ReadString(text, sizeof text, &len));
    EXPECT_EQ(i, -7);
    EXPECT_EQ(b, 1);
    EXPECT_DOUBLE_EQ(d, 36526.25);
    EXPECT_STREQ(text, "Grüße");
    EXPECT_EQ(len, 7);
    std::strcpy(text, "untouched");
    EXPECT_TRUE(f.ReadString(text, sizeof text, &len));
    EXPECT_EQ(len, 0);
    EXPECT_STREQ(text, "untouched");
    EXPECT_TRUE(f.ReadString(text, sizeof text, &len));
    EXPECT_EQ(len, 0);
    char line[16];
    EXPECT_TRUE(f.ReadLine(line, sizeof line));
    EXPECT_STREQ(line, "last");
    EXPECT_FALSE(f.HadShortRead());
    EXPECT_TRUE(f.AtEnd());
}

TEST(CxFile, ALongTextIsCutToTheBufferAndTheRestSkipped) {
    fwtest::TempDir dir;
    const std::string path = dir.File("x.dat");
    {
        CxFile f;
        ASSERT_TRUE(f.Open(path.c_str(), "wb"));
        f.WriteString("abcdefghij\xC3\xA9");
        f.WriteInt(42);
    }
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    char small[12];
    std::int32_t len = 0, next = 0;
    EXPECT_TRUE(f.ReadString(small, sizeof small, &len));
    EXPECT_EQ(len, 12);
    EXPECT_STREQ(small, "abcdefghij");  // the two-byte character does not fit whole
    EXPECT_TRUE(f.ReadInt(next));
    EXPECT_EQ(next, 42);
}

TEST(CxFile, ShortReadsKeepTheTargetAndAreNoted) {
    fwtest::TempDir dir;
    const std::string path = dir.File("x.dat");
    fwtest::WriteFile(path, std::string("\x05\x00", 2));
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    std::int32_t v = 99;
    EXPECT_TRUE(f.ReadInt(v));
    EXPECT_EQ(v, 99);
    EXPECT_TRUE(f.HadShortRead());
}

TEST(CxFile, AHugeCountAtTheEndDoesNotAllocateOrOverflow) {
    fwtest::TempDir dir;
    const std::string path = dir.File("x.dat");
    fwtest::WriteFile(path, std::string("\xff\xff\xff\x7f"
                                        "abc",
                                        7));
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    char buf[8];
    std::int32_t len = 0;
    EXPECT_TRUE(f.ReadString(buf, sizeof buf, &len));
    EXPECT_EQ(len, 0x7fffffff);
    EXPECT_STREQ(buf, "abc");
    EXPECT_TRUE(f.HadShortRead());
}

TEST(CxFile, NothingHappensWithoutAnOpenFile) {
    CxFile f;
    std::int32_t v = 3;
    char buf[4] = "ab";
    EXPECT_FALSE(f.ReadInt(v));
    EXPECT_FALSE(f.ReadString(buf, sizeof buf));
    EXPECT_FALSE(f.WriteLine("x"));
    EXPECT_FALSE(f.WriteString("x"));
    EXPECT_FALSE(f.Open("", "rb"));
    EXPECT_FALSE(f.Open("/x", ""));
    EXPECT_FALSE(f.Open(nullptr, "rb"));
    EXPECT_EQ(CxFile::GetFileSize(""), -1);
    EXPECT_EQ(CxFile::GetFileSize("/no/such/file"), -1);
    // Only a regular file has a size: a folder has none, and a FIFO with no
    // writer is not waited for.
    fwtest::TempDir dir;
    ASSERT_EQ(fwtest::MakeFifo(dir.File("pipe")), 0);
    EXPECT_EQ(CxFile::GetFileSize(dir.File("pipe").c_str()), -1);
    EXPECT_EQ(CxFile::GetFileSize(dir.Path().c_str()), -1);
}

TEST(CxFile, OwnerOnlyFilesAreCreatedWithMode0600) {
    fwtest::TempDir dir;
    const std::string path = dir.File("secret.dat");
    fwtest::WriteFile(path, "old");
    ::chmod(path.c_str(), 0644);
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "wb", true));
    f.WriteString("pw");
    f.Close();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(CxFile::GetFileSize(path.c_str()), 6);
}
