// The streaming atomic writer and the permission and flush choices of an
// atomic write.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/file/AtomicFile.h"
#include "platform/file/Folder.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using platform::file::AtomicFileWriter;
using platform::file::AtomicOptions;

namespace {

std::vector<std::string> Names(const fwtest::TempDir& dir) {
    std::vector<std::string> names;
    platform::file::ListFolder(dir.Path(), names, platform::file::Entries::All, platform::file::Order::Name);
    return names;
}

}  // namespace

TEST(AtomicFileWriter, PiecesAndLateOverwritesGiveTheFileAReaderExpects) {
    fwtest::TempDir dir;
    const std::string path = dir.File("GAddr.dat");
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        std::string expected;
        // Pieces from a byte to larger than the writer's buffer, and
        // overwrites both of bytes still buffered and of bytes on disk.
        for (int piece = 0; piece < 60; ++piece) {
            const std::size_t size = random() % 4 == 0 ? random() % 150000 : random() % 9;
            const std::string bytes(size, static_cast<char>('a' + piece % 26));
            writer.Write(bytes);
            expected += bytes;
            if (!expected.empty() && random() % 3 == 0) {
                const std::size_t at = random() % expected.size();
                const std::string patch = std::string("#") + std::to_string(piece);
                const std::size_t n = std::min(patch.size(), expected.size() - at);
                writer.WriteAt(at, patch.data(), n);
                expected.replace(at, n, patch.substr(0, n));
            }
        }
        ASSERT_TRUE(writer.Commit());
        ASSERT_EQ(fwtest::ReadFile(path), expected) << "round " << round;
        EXPECT_EQ(Names(dir), std::vector<std::string>{"GAddr.dat"});
    }
}

TEST(AtomicFileWriter, AFailedOrAbandonedWriteLeavesTheOldFileAndNoTemporaryFile) {
    fwtest::TempDir dir;
    const std::string path = dir.File("status.dat");
    fwtest::WriteFile(path, "old");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        writer.Write("new");
        EXPECT_EQ(Names(dir).size(), 2u);  // the temporary file beside it
    }                                      // destroyed uncommitted
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        writer.Write("new");
        writer.WriteAt(2, "xy", 2);  // past what was written
        std::string error;
        EXPECT_FALSE(writer.Commit(&error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_FALSE(writer.Commit());  // nothing left to commit
    }
    fs::create_directories(dir.File("busy/inside"));  // a folder in the way: the rename fails
    std::string error;
    EXPECT_FALSE(platform::file::WriteFileAtomically(dir.File("busy"), "x", nullptr, &error));
    EXPECT_FALSE(error.empty());
    AtomicFileWriter none;
    EXPECT_FALSE(none.Open(dir.File("missing/a.dat")));
    EXPECT_FALSE(none.Open(dir.Path()));  // no file name
    EXPECT_EQ(fwtest::ReadFile(path), "old");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"busy", "status.dat"}));
}

TEST(AtomicFileWriter, PermissionBitsAsEachWriterAsks) {
    fwtest::TempDir dir;
    struct Case {
        int before;  // -1: no file yet
        int mode;
        int after;
    } const cases[] = {
        {-1, AtomicOptions::kKeepMode, 0600},
        {0640, AtomicOptions::kKeepMode, 0640},
        {0644, 0600, 0600},
        {-1, 0644, 0644},
        {0600, 0644, 0644},
    };
    for (const Case& c : cases) {
        for (const bool flush : {true, false}) {
            const std::string path = dir.File("file.ini");
            fs::remove(path);
            if (c.before >= 0) {
                fwtest::WriteFile(path, "old");
                fs::permissions(path, static_cast<fs::perms>(c.before));
            }
            AtomicOptions options;
            options.mode = c.mode;
            options.flush = flush;
            ASSERT_TRUE(platform::file::WriteFileAtomically(path, "[a]\n", options));
            EXPECT_EQ(fwtest::FileMode(path), c.after) << std::oct << c.before << " " << c.mode;
            EXPECT_EQ(fwtest::ReadFile(path), "[a]\n");
        }
    }
}
