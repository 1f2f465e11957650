#include <gtest/gtest.h>

#include "common/misc/CxIniUtil.h"
#include "tests/support/TempDir.h"

TEST(CxIniUtil, IntegersReadTheirLeadingDigits) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("a.ini"), "[S]\nmixed=12abc\nletters=abc\nsigned= -5\nempty=\nbig=99999999999\n");
    CxIniUtil ini(dir.Path().c_str(), "a.ini");
    EXPECT_EQ(ini.GetInt("S", "mixed", 7), 12);
    EXPECT_EQ(ini.GetInt("S", "letters", 7), 0);
    EXPECT_EQ(ini.GetInt("S", "signed", 7), -5);
    EXPECT_EQ(ini.GetInt("S", "empty", 7), 7);
    EXPECT_EQ(ini.GetInt("S", "missing", 7), 7);
    EXPECT_EQ(ini.GetInt("S", "big", 7), 2147483647);
    EXPECT_TRUE(ini.GetBool("S", "mixed", false));
    EXPECT_FALSE(ini.GetBool("S", "letters", true));
    EXPECT_TRUE(ini.GetBool("S", "missing", true));
}

TEST(CxIniUtil, StringsAreCutAndDefaultsCopied) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("a.ini"), "[S]\nname=abcdefgh\n");
    CxIniUtil ini(dir.Path().c_str(), "a.ini");
    char buf[5];
    EXPECT_EQ(ini.ReadString("S", "name", buf, sizeof buf, ""), 4);
    EXPECT_STREQ(buf, "abcd");
    EXPECT_EQ(ini.ReadString("S", "none", buf, sizeof buf, "df"), 2);
    EXPECT_STREQ(buf, "df");
    EXPECT_EQ(ini.ReadString("S", nullptr, buf, sizeof buf, "x"), 0);
    EXPECT_EQ(ini.ReadString("S", "name", nullptr, 5, "x"), 0);
    EXPECT_EQ(ini.ReadString("S", "name", buf, 0, "x"), 0);
}

TEST(CxIniUtil, DefaultSectionAndWrites) {
    fwtest::TempDir dir;
    CxIniUtil ini(dir.Path().c_str(), "b.ini");
    ini.SetDefaultSection("FRWY");
    EXPECT_TRUE(ini.WriteInt("", "n", -3));
    EXPECT_TRUE(ini.WriteBool(nullptr, "f", true));
    EXPECT_TRUE(ini.WriteString("FRWY", "s", nullptr));
    EXPECT_FALSE(ini.WriteString("FRWY", nullptr, "x"));
    EXPECT_EQ(fwtest::ReadFile(dir.File("b.ini")), "[FRWY]\nn=-3\nf=1\ns=\n");
    EXPECT_EQ(ini.GetInt("frwy", "N", 0), -3);
}

TEST(CxIniUtil, BatchWritesTheFileOnce) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("c.ini"), "; keep me\n[FRWY]\na=1\n");
    CxIniUtil ini(dir.Path().c_str(), "c.ini");
    ini.BeginBatch();
    ini.WriteInt("FRWY", "a", 2);
    ini.WriteInt("FRWY", "b", 3);
    EXPECT_EQ(ini.GetInt("FRWY", "b", 0), 3);  // reads see the batch
    EXPECT_EQ(fwtest::ReadFile(dir.File("c.ini")), "; keep me\n[FRWY]\na=1\n");
    EXPECT_TRUE(ini.EndBatch());
    EXPECT_EQ(fwtest::ReadFile(dir.File("c.ini")), "; keep me\n[FRWY]\na=2\nb=3\n");
}

TEST(CxIniUtil, EmptyFolderMeansTheProgramFolder) {
    CxIniUtil ini("", "norrbek.ini");
    const std::string path = ini.GetFileName();
    EXPECT_EQ(path.substr(path.size() - 12), "/norrbek.ini");
    ini.SetFileName("");
    EXPECT_EQ(std::string(ini.GetFileName()), path);
}
