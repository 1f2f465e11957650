#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file/AtomicFile.h"

namespace fs = std::filesystem;
using platform::file::IsTemporaryName;
using platform::file::PendingFlush;
using platform::file::WriteFileAtomically;

namespace {

struct AtomicFileTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("fw_atomic_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t Entries() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
};

TEST_F(AtomicFileTest, WritesReplacesAndKeepsThePermissionsOfAReplacedFile) {
    const std::string path = (dir / "a.ini").string();
    ASSERT_TRUE(WriteFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(Read(path), std::string("one\0two", 7));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(path, ""));
    EXPECT_EQ(Read(path), "");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, ANewFileOnlyWriteNeverReplacesAFileThereAndLeavesNothingBehind) {
    platform::file::AtomicOptions createOnly;
    createOnly.createOnly = true;
    const std::string path = (dir / "item.vcf").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "first", createOnly, &error)) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    for (const bool symlink : {false, true}) {
        const std::string target = symlink ? (dir / "link.vcf").string() : path;
        if (symlink) fs::create_symlink(dir / "nowhere", target);  // a dangling link is there too
        platform::file::AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(target, createOnly));
        writer.Write("second", 6);
        EXPECT_FALSE(writer.Commit(&error));
        EXPECT_EQ(writer.Failure(), EEXIST) << error;
    }
    EXPECT_EQ(Read(path), "first");
    EXPECT_EQ(Entries(), 2u);  // the item and the link: no temporary file
}

TEST_F(AtomicFileTest, ANewFileIsInvisibleUntilCommittedAndAnUnfinishedOneLeavesNothing) {
    // Where the file system makes unnamed files, a new file has no name at
    // all until it is whole; elsewhere it has a temporary one.
    const int probe = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = probe >= 0;
    if (probe >= 0) ::close(probe);
    platform::file::AtomicOptions createOnly;
    createOnly.createOnly = true;
    createOnly.mode = 0640;
    const std::string path = (dir / "new.vcf").string();
    for (const bool commit : {false, true}) {
        platform::file::AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path, createOnly));
        writer.Write(std::string(100000, 'x'));  // more than is kept in memory
        std::size_t named = 0;
        for (const auto& entry : fs::directory_iterator(dir)) {
            EXPECT_TRUE(IsTemporaryName(entry.path().filename().string())) << entry.path();
            ++named;
        }
        EXPECT_EQ(named, unnamed ? 0u : 1u);
        if (!commit) continue;  // destroyed unfinished
        std::string error;
        ASSERT_TRUE(writer.Commit(&error)) << error;
    }
    EXPECT_EQ(Read(path), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(), 1u);
    platform::file::AtomicFileWriter nowhere;
    std::string error;
    EXPECT_FALSE(nowhere.Open((dir / "missing" / "new.vcf").string(), createOnly, &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

TEST_F(AtomicFileTest, DeferredWritesAreFlushedTogetherAndAFailureNamesTheCause) {
    PendingFlush pending;
    for (const auto way : {platform::file::FlushWay::FileSystem, platform::file::FlushWay::EachFile}) {
        pending.SetWay(way);
        // Enough files for the flush to share them among its threads.
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(WriteFileAtomically((dir / (std::to_string(i % 20) + ".vcf")).string(), "x", &pending));
        EXPECT_FALSE(pending.Empty());
        fs::remove(dir / "3.vcf");  // removed before the flush: its folder records that
        std::string error;
        EXPECT_TRUE(pending.Flush(&error)) << error;
        EXPECT_TRUE(pending.Empty());
    }

    // A folder named before it exists is flushed once it does.
    pending.SetWay(platform::file::FlushWay::FileSystem);
    pending.AddFolder((dir / "later").string());
    fs::create_directory(dir / "later");
    ASSERT_TRUE(WriteFileAtomically((dir / "later" / "a.ics").string(), "x", &pending));
    std::string why;
    EXPECT_TRUE(pending.Flush(&why)) << why;
    fs::remove_all(dir / "later");
    // A write that fails leaves nothing to flush, so the flush does not fail.
    for (const auto way : {platform::file::FlushWay::FileSystem, platform::file::FlushWay::EachFile}) {
        pending.SetWay(way);
        EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "a.ics").string(), "x", &pending));
        EXPECT_TRUE(pending.Empty());
        EXPECT_TRUE(pending.Flush(&why)) << why;
    }

    EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "a.ics").string(), "x", nullptr, &why));
    EXPECT_NE(why.find("missing"), std::string::npos) << why;
    for (const auto way : {platform::file::FlushWay::FileSystem, platform::file::FlushWay::EachFile}) {
        pending.SetWay(way);
        pending.AddFolder((dir / "gone").string());
        why.clear();
        EXPECT_FALSE(pending.Flush(&why));
        EXPECT_NE(why.find("gone"), std::string::npos) << why;
    }
    EXPECT_EQ(Entries(), 19u);
}

TEST(AtomicFileNames, TemporaryNamesAreRecognisedAndItemNamesAreNot) {
    EXPECT_TRUE(IsTemporaryName(".a.vcf.~Ab12Zx.tmp"));
    EXPECT_TRUE(IsTemporaryName(".0123456789abcdef0123456789abcdef.ics.~qqqqqq.tmp"));
    for (const char* name : {"a.vcf", ".a.vcf.tmp", ".~Ab12Zx.tmp", "a.vcf.~Ab12Zx.tmp", ".a.vcf.~Ab12Z.tmp", ""})
        EXPECT_FALSE(IsTemporaryName(name)) << name;
}

}  // namespace
