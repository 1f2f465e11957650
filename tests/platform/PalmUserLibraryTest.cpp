#include <gtest/gtest.h>

#include <string>

#include "platform/palm/PalmUserLibrary.h"
#include "platform/paths/Paths.h"
#include "platform/text/LittleEndianWriter.h"
#include "tests/support/TempDir.h"

namespace {

void PutUser(std::string& b, std::uint32_t id, const std::string& name, const std::string& dir,
             const std::string& rest) {
    platform::AppendLE32(b, id);
    b.push_back(static_cast<char>(name.size()));
    b += name;
    b.push_back(static_cast<char>(dir.size()));
    b += dir;
    b += rest;
}

std::string UsersDat() {
    std::string b;
    platform::AppendLE16(b, 3);
    platform::AppendLE16(b, 0xFFFF);
    platform::AppendLE16(b, 1);  // schema
    platform::AppendLE16(b, 5);
    b += "CUser";
    // The first user's own data holds a stray 0x8001 that starts no user.
    PutUser(b, 0x11223344, "Jörg Smith", "SmithJ", std::string("\x01\x80\x00\x00", 4) + "junk");
    platform::AppendLE16(b, 0x8001);
    PutUser(b, 7, "Ann", "AnnP", "more data");
    platform::AppendLE16(b, 0x8001);
    PutUser(b, 9, "Bob", "BobX", "");
    return b;
}

}  // namespace

TEST(UsersDat, ParsesEveryUserPastItsOwnData) {
    std::vector<platform::PalmUser> users;
    ASSERT_TRUE(platform::ParseUsersDat(UsersDat(), users));
    ASSERT_EQ(users.size(), 3u);
    EXPECT_EQ(users[0].id, 0x11223344u);
    EXPECT_EQ(users[0].name, "Jörg Smith");
    EXPECT_EQ(users[0].directory, "SmithJ");
    EXPECT_EQ(users[1].id, 7u);
    EXPECT_EQ(users[1].directory, "AnnP");
    EXPECT_EQ(users[2].name, "Bob");
}

TEST(UsersDat, RefusesWhatIsNotAUserFile) {
    std::vector<platform::PalmUser> users;
    EXPECT_FALSE(platform::ParseUsersDat("", users));
    EXPECT_TRUE(platform::ParseUsersDat(std::string("\0\0", 2), users));
    EXPECT_TRUE(users.empty());
    std::string wrongClass = UsersDat();
    wrongClass[8] = 'X';
    EXPECT_FALSE(platform::ParseUsersDat(wrongClass, users));
    // Cut anywhere: never a crash, never a user made of missing bytes.
    const std::string good = UsersDat();
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        platform::ParseUsersDat(good.substr(0, cut), users);
        for (const auto& u : users) EXPECT_FALSE(u.directory.empty());
    }
}

TEST(UsersDat, FolderNamesThatLeaveTheRootAreRefused) {
    std::string b;
    platform::AppendLE16(b, 2);
    platform::AppendLE16(b, 0xFFFF);
    platform::AppendLE16(b, 1);
    platform::AppendLE16(b, 5);
    b += "CUser";
    PutUser(b, 1, "Eve", "..", "");
    std::vector<platform::PalmUser> users;
    platform::ParseUsersDat(b, users);
    EXPECT_TRUE(users.empty());
}

TEST(PalmUserLibrary, AnswersFromUsersDat) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("users.dat"), UsersDat());
    fwtest::WriteFile(dir.File("UserData.dll"), "");
    platform::PalmUserLibrary lib;
    EXPECT_EQ(lib.UmGetUserCount(), -100);
    ASSERT_TRUE(lib.Load(dir.Path()));
    EXPECT_TRUE(platform::PalmLibraryPresent(dir.Path(), "userdata.dll"));
    EXPECT_FALSE(platform::PalmLibraryPresent(dir.Path(), "condmgr.dll"));
    ASSERT_EQ(lib.UmGetUserCount(), 3);
    std::uint32_t id = 0;
    ASSERT_EQ(lib.UmGetUserID(1, &id), 0);
    EXPECT_EQ(id, 7u);
    EXPECT_EQ(lib.UmGetUserID(3, &id), -1);
    char name[64];
    std::int16_t len = 64;
    ASSERT_EQ(lib.UmGetUserName(0x11223344, name, &len), 0);
    EXPECT_STREQ(name, "Jörg Smith");
    EXPECT_EQ(len, 11);
    char small[4];
    len = 4;
    ASSERT_EQ(lib.UmGetUserDirectory(7, small, &len), 0);
    EXPECT_STREQ(small, "Ann");
    EXPECT_EQ(lib.UmGetUserDirectory(8, small, &len), -1);
    char root[260];
    len = 260;
    EXPECT_NE(lib.UmGetRootDirectory(root, &len), 0);
    EXPECT_EQ(std::string(root), dir.Path());
    len = 3;
    EXPECT_EQ(lib.UmGetRootDirectory(root, &len), 0);
}

TEST(PalmUserLibrary, WithoutUsersDatTheUserFoldersAreTheUsers) {
    fwtest::TempDir dir;
    platform::EnsureFolder(dir.File("SmithJ"));
    platform::EnsureFolder(dir.File("SmithJ/Address"));
    platform::EnsureFolder(dir.File("Helper"));
    platform::EnsureFolder(dir.File("Bo"));
    platform::EnsureFolder(dir.File("Bo/memopad"));
    platform::PalmUserLibrary lib;
    ASSERT_TRUE(lib.Load(dir.Path()));
    ASSERT_EQ(lib.UmGetUserCount(), 2);
    std::uint32_t a = 0, b = 0;
    lib.UmGetUserID(0, &a);
    lib.UmGetUserID(1, &b);
    EXPECT_NE(a, b);
    char dirName[256];
    std::int16_t len = 256;
    ASSERT_EQ(lib.UmGetUserDirectory(a, dirName, &len), 0);
    EXPECT_STREQ(dirName, "Bo");
    // The same folder gets the same ID next time.
    platform::PalmUserLibrary again;
    again.Load(dir.Path());
    std::uint32_t a2 = 0;
    again.UmGetUserID(0, &a2);
    EXPECT_EQ(a, a2);
    EXPECT_FALSE(lib.Load(dir.File("missing")));
    EXPECT_EQ(lib.UmGetUserCount(), -100);
}
