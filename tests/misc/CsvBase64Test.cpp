#include <gtest/gtest.h>

#include "common/misc/Base64.h"
#include "common/misc/CSV.h"

TEST(CSV, SplitsAtEveryComma) {
    CSV days("SU,MO");
    ASSERT_EQ(days.GetCount(), 2);
    EXPECT_STREQ(days.GetItem(0), "SU");
    EXPECT_STREQ(days.GetItem(1), "MO");
    EXPECT_STREQ(days.GetItem(2), "");
    EXPECT_STREQ(days.GetItem(-1), "");
    CSV comma(",");
    ASSERT_EQ(comma.GetCount(), 2);
    EXPECT_STREQ(comma.GetItem(0), "");
    EXPECT_STREQ(comma.GetItem(1), "");
    EXPECT_EQ(CSV("").GetCount(), 0);
    EXPECT_EQ(CSV(nullptr).GetCount(), 0);
    CSV blanks(" a ,,b\"c, ");
    ASSERT_EQ(blanks.GetCount(), 4);
    EXPECT_STREQ(blanks.GetItem(0), " a ");
    EXPECT_STREQ(blanks.GetItem(1), "");
    EXPECT_STREQ(blanks.GetItem(2), "b\"c");
    EXPECT_STREQ(blanks.GetItem(3), " ");
}

TEST(Base64, KnownVectors) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Encode("\xff\xfe"), "//4=");
}

TEST(Base64, RoundTripsEveryLength) {
    std::string bytes;
    for (int n = 0; n < 70; ++n) {
        std::string decoded;
        EXPECT_EQ(Base64Decode(Base64Encode(bytes), decoded), n > 0);
        EXPECT_EQ(decoded, bytes);
        bytes.push_back(static_cast<char>(n * 37 + 200));
    }
}

TEST(Base64, BadInputNeverReadsBeyondTheText) {
    std::string out;
    EXPECT_FALSE(Base64Decode("", out));
    EXPECT_FALSE(Base64Decode("=", out));
    EXPECT_FALSE(Base64Decode("Z", out));   // one character makes no byte
    EXPECT_TRUE(Base64Decode("Zm9", out));  // an incomplete last group decodes as far as it goes
    EXPECT_EQ(out, "fo");
    EXPECT_TRUE(Base64Decode("Zg==Zm8=", out));  // "=" stops only its own group
    EXPECT_EQ(out, "ffo");
    EXPECT_TRUE(Base64Decode("Zm9v!Zm9v", out));  // a foreign character ends the decoding
    EXPECT_EQ(out, "foo");
    EXPECT_FALSE(Base64Decode("!!!!", out));
}
