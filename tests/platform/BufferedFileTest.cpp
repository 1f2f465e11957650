// Buffered reads against the bytes of the file, over buffer boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/file/BufferedFile.h"
#include "tests/support/TempDir.h"

using platform::file::BufferedFile;

TEST(BufferedFile, RandomReadsAndSkipsSeeTheFileAsItIs) {
    fwtest::TempDir dir;
    std::mt19937 random(5);
    std::string bytes(BufferedFile::kBufferSize * 3 + 17, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    fwtest::WriteFile(dir.File("a.dat"), bytes);

    BufferedFile file;
    ASSERT_TRUE(file.Open(dir.File("a.dat"), true));
    EXPECT_EQ(file.Size(), bytes.size());
    std::uint64_t at = 0;
    std::string got(70000, '\0');
    while (at < bytes.size() + 10) {
        const std::size_t n = random() % 3 == 0 ? random() % 70000 : random() % 9;
        if (random() % 4 == 0) {
            file.Skip(n);
            at += n;
        } else {
            const std::size_t expected = at >= bytes.size() ? 0 : std::min<std::size_t>(n, bytes.size() - at);
            ASSERT_EQ(file.Read(got.data(), n), expected) << "at " << at;
            const std::string want = expected > 0 ? bytes.substr(at, expected) : std::string();
            ASSERT_EQ(got.substr(0, expected), want) << "at " << at;
            at += expected;
        }
        ASSERT_EQ(file.Position(), at);
        ASSERT_EQ(file.Remaining(), at < bytes.size() ? bytes.size() - at : 0);
    }
    EXPECT_FALSE(file.ReadFailed());

    BufferedFile second;  // the lock keeps a second reader out
    EXPECT_FALSE(second.Open(dir.File("a.dat"), true));
    EXPECT_EQ(second.Failure(), platform::file::OpenFailure::InUse);
    file.Close();
    EXPECT_EQ(file.Read(got.data(), 1), 0u);
    EXPECT_TRUE(second.Open(dir.File("a.dat"), true));
}
