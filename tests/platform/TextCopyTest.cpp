#include <gtest/gtest.h>

#include <cstring>

#include "platform/text/TextCopy.h"

using platform::CopyText;

TEST(TextCopy, CutsToCapacityMinusOneAndTerminates) {
    char buf[6];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(CopyText(buf, "abcdefgh"), 5u);
    EXPECT_STREQ(buf, "abcde");
    EXPECT_EQ(CopyText(buf, "ab"), 2u);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(CopyText(buf, static_cast<const char*>(nullptr)), 0u);
    EXPECT_STREQ(buf, "");
}

TEST(TextCopy, NeverSplitsAUtf8Sequence) {
    char buf[5];
    // "aé€" is 1 + 2 + 3 bytes; four bytes fit, which would cut the euro sign.
    EXPECT_EQ(CopyText(buf, "a\xC3\xA9\xE2\x82\xAC"), 3u);
    EXPECT_STREQ(buf, "a\xC3\xA9");
    char two[3];
    // A two-byte character right at the edge fits exactly.
    EXPECT_EQ(CopyText(two, "\xC3\xA9z"), 2u);
    EXPECT_STREQ(two, "\xC3\xA9");
    char one[2];
    EXPECT_EQ(CopyText(one, "\xF0\x9F\x98\x80"), 0u);
    EXPECT_STREQ(one, "");
}

TEST(TextCopy, BytesThatAreNotUtf8AreCutWhereAsked) {
    char buf[4];
    // Latin-1 bytes (not UTF-8) are kept as they are, cut at the capacity.
    EXPECT_EQ(CopyText(buf, "\xE9\xE9\xE9\xE9\xE9"), 3u);
    EXPECT_EQ(platform::Utf8PrefixLength("\x80\x80\x80\x80", 2), 2u);
}

TEST(TextCopy, ZeroCapacityWritesNothing) {
    char c = 'q';
    EXPECT_EQ(CopyText(&c, 0, "abc"), 0u);
    EXPECT_EQ(c, 'q');
}

TEST(TextCopy, StopsAtAnEmbeddedTerminator) {
    char buf[8];
    EXPECT_EQ(CopyText(buf, std::string_view("ab\0cd", 5)), 2u);
    EXPECT_STREQ(buf, "ab");
}
