#include <gtest/gtest.h>

#include "platform/clock/SystemTime.h"
#include "tests/support/Dates.h"

namespace {

using fwtest::At;

}  // namespace

TEST(SystemTime, ZeroIsTheThirtiethOfDecember1899) {
    SYSTEMTIME st{};
    ASSERT_TRUE(platform::VariantTimeToSystemTime(0.0, st));
    EXPECT_EQ(st.wYear, 1899);
    EXPECT_EQ(st.wMonth, 12);
    EXPECT_EQ(st.wDay, 30);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wDayOfWeek, 6);  // a Saturday
}

TEST(SystemTime, NegativeDatesCountDaysBackwardsWithAPositiveTime) {
    SYSTEMTIME st{};
    ASSERT_TRUE(platform::VariantTimeToSystemTime(-1.25, st));
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wMonth, 12);
    EXPECT_EQ(st.wHour, 6);
    ASSERT_TRUE(platform::VariantTimeToSystemTime(-0.5, st));
    EXPECT_EQ(st.wDay, 30);
    EXPECT_EQ(st.wHour, 12);
    DATE d = 0;
    ASSERT_TRUE(platform::SystemTimeToVariantTime(At(1899, 12, 29, 6), d));
    EXPECT_DOUBLE_EQ(d, -1.25);
    ASSERT_TRUE(platform::SystemTimeToVariantTime(At(1800, 1, 1, 18), d));
    SYSTEMTIME back{};
    ASSERT_TRUE(platform::VariantTimeToSystemTime(d, back));
    EXPECT_EQ(back.wYear, 1800);
    EXPECT_EQ(back.wMonth, 1);
    EXPECT_EQ(back.wDay, 1);
    EXPECT_EQ(back.wHour, 18);
}

TEST(SystemTime, KnownDatesAndRoundTrips) {
    DATE d = 0;
    ASSERT_TRUE(platform::SystemTimeToVariantTime(At(2000, 1, 1), d));
    EXPECT_DOUBLE_EQ(d, 36526.0);
    ASSERT_TRUE(platform::SystemTimeToVariantTime(At(2000, 2, 29, 12), d));
    EXPECT_DOUBLE_EQ(d, 36585.5);
    for (int y : {100, 1600, 1900, 1999, 2024, 9999}) {
        for (int m = 1; m <= 12; ++m) {
            const SYSTEMTIME st = At(y, m, 28, 23, 59, 59);
            ASSERT_TRUE(platform::SystemTimeToVariantTime(st, d)) << y << "-" << m;
            SYSTEMTIME back{};
            ASSERT_TRUE(platform::VariantTimeToSystemTime(d, back));
            EXPECT_EQ(back.wYear, st.wYear);
            EXPECT_EQ(back.wMonth, st.wMonth);
            EXPECT_EQ(back.wDay, st.wDay);
            EXPECT_EQ(back.wHour, 23);
            EXPECT_EQ(back.wMinute, 59);
            EXPECT_EQ(back.wSecond, 59);
        }
    }
}

TEST(SystemTime, RefusesValuesThatAreNoDates) {
    DATE d = 0;
    EXPECT_FALSE(platform::SystemTimeToVariantTime(At(2009, 13, 1), d));
    EXPECT_FALSE(platform::SystemTimeToVariantTime(At(2009, 3, 0), d));
    EXPECT_FALSE(platform::SystemTimeToVariantTime(At(1900, 2, 29), d));
    EXPECT_TRUE(platform::SystemTimeToVariantTime(At(2000, 2, 29), d));
    EXPECT_FALSE(platform::SystemTimeToVariantTime(At(2009, 3, 5, 24), d));
    EXPECT_FALSE(platform::SystemTimeToVariantTime(SYSTEMTIME{}, d));
    SYSTEMTIME st{};
    EXPECT_FALSE(platform::VariantTimeToSystemTime(1e9, st));
    EXPECT_FALSE(platform::VariantTimeToSystemTime(-1e9, st));
    EXPECT_FALSE(platform::VariantTimeToSystemTime(0.0 / 0.0, st));
}

TEST(SystemTime, RoundsToTheNearestSecond) {
    SYSTEMTIME st{};
    ASSERT_TRUE(platform::VariantTimeToSystemTime(1.0 - 0.4 / 86400.0, st));
    EXPECT_EQ(st.wDay, 31);  // 23:59:59.6 rounds to midnight of the next day
    EXPECT_EQ(st.wHour, 0);
    ASSERT_TRUE(platform::VariantTimeToSystemTime(0.5 + 0.4 / 86400.0, st));
    EXPECT_EQ(st.wHour, 12);
    EXPECT_EQ(st.wSecond, 0);
}
