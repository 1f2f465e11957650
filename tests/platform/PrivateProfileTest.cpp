#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/profile/PrivateProfile.h"
#include "tests/support/TempDir.h"

using platform::ProfileDocument;

TEST(PrivateProfile, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
    ProfileDocument doc;
    doc.Parse("[frwy]\r\n  SourceApp =  5  \r\nquoted=\"a b \"\r\n[Other]\r\nSourceApp=7\r\n");
    EXPECT_EQ(doc.Get("FRWY", "sourceapp").value_or("?"), "5");
    EXPECT_EQ(doc.Get("FRWY", "quoted").value_or("?"), "a b ");
    EXPECT_EQ(doc.Get("other", "SOURCEAPP").value_or("?"), "7");
    EXPECT_FALSE(doc.Get("FRWY", "missing").has_value());
    EXPECT_FALSE(doc.Get("Nowhere", "SourceApp").has_value());
}

TEST(PrivateProfile, WriteKeepsEveryOtherLine) {
    fwtest::TempDir dir;
    const std::string path = dir.File("a.ini");
    fwtest::WriteFile(path,
                      "; written by hand\r\n[FRWY]\r\nSourceApp=1\r\n# note\r\n\r\n[Path]\r\nPDPath=C:\\Palm\r\n");
    ASSERT_TRUE(platform::WriteProfileString(path, "frwy", "SOURCEAPP", "5"));
    ASSERT_TRUE(platform::WriteProfileString(path, "FRWY", "LogLevel", "3"));
    ASSERT_TRUE(platform::WriteProfileString(path, "New", "Key", "v"));
    EXPECT_EQ(fwtest::ReadFile(path),
              "; written by hand\r\n[FRWY]\r\nSOURCEAPP=5\r\n# note\r\nLogLevel=3\r\n\r\n[Path]\r\nPDPath=C:\\Palm\r\n"
              "\r\n[New]\r\nKey=v\r\n");
}

TEST(PrivateProfile, MissingFileReadsNothingAndWriteCreatesItOwnerOnly) {
    fwtest::TempDir dir;
    const std::string path = dir.File("new.ini");
    EXPECT_FALSE(platform::ReadProfileString(path, "FRWY", "x").has_value());
    ASSERT_TRUE(platform::WriteProfileString(path, "FRWY", "x", "1"));
    EXPECT_EQ(fwtest::ReadFile(path), "[FRWY]\nx=1\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(platform::ReadProfileString(path, "frwy", "X").value_or("?"), "1");
    ::chmod(path.c_str(), 0644);  // a file others could read is narrowed when written
    ASSERT_TRUE(platform::WriteProfileString(path, "FRWY", "x", "2"));
    EXPECT_EQ(fwtest::FileMode(path), 0600);
}

TEST(PrivateProfile, WriteIntoAFolderThatDoesNotExistFailsAndLeavesNothing) {
    fwtest::TempDir dir;
    EXPECT_FALSE(platform::WriteProfileString(dir.File("no/such.ini"), "S", "k", "v"));
}

TEST(PrivateProfile, FileNamedInAnotherCaseIsFound) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("NORRBEK.INI"), "[Path]\nPDPath=/palm\n");
    EXPECT_EQ(platform::ReadProfileString(dir.File("norrbek.ini"), "Path", "PDPath").value_or("?"), "/palm");
}
