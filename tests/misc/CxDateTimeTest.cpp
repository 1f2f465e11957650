#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "common/misc/CxDateTime.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"

namespace {

using fwtest::At;

std::string Date(const CxDateTime& dt) {
    char buf[32];
    dt.FormatDate(buf, sizeof buf);
    return buf;
}

std::string DateTime(const CxDateTime& dt) {
    char buf[64];
    dt.FormatDateTime(buf, sizeof buf);
    return buf;
}

}  // namespace

TEST(CxDateTime, FormatsWithinTheShownYearsOnly) {
    EXPECT_EQ(Date(CxDateTime(At(2030, 12, 31))), "12/31/2030");
    EXPECT_EQ(Date(CxDateTime(At(2031, 1, 1))), "");
    EXPECT_EQ(Date(CxDateTime(At(1930, 12, 31))), "");
    EXPECT_EQ(Date(CxDateTime(At(1931, 1, 1))), "01/01/1931");
    EXPECT_EQ(DateTime(CxDateTime(At(2009, 3, 5, 14, 7, 31))), "03/05/2009 14:07:31");
    EXPECT_EQ(DateTime(CxDateTime(At(2040, 3, 5, 8, 0, 0))), " 08:00:00");
}

TEST(CxDateTime, ZeroDateAndInvalidTimes) {
    CxDateTime zero(0.0);
    EXPECT_TRUE(zero.IsValid());
    EXPECT_EQ(zero.GetSystemTime().wYear, 1899);
    EXPECT_EQ(zero.GetSystemTime().wMonth, 12);
    EXPECT_EQ(zero.GetSystemTime().wDay, 30);
    CxDateTime bad(At(2009, 13, 1, 10, 20, 30));
    EXPECT_FALSE(bad.IsValid());
    char buf[32];
    bad.FormatTime(buf, sizeof buf);
    EXPECT_STREQ(buf, "10:20:30");  // the fields are formatted as they are
    EXPECT_FALSE(CxDateTime(At(2009, 3, 0)).IsValid());
}

TEST(CxDateTime, NowIsValid) {
    CxDateTime now;
    EXPECT_TRUE(now.IsValid());
    EXPECT_GE(now.GetSystemTime().wYear, 2024);
}

TEST(CxDateTime, TimeTConversionsFollowTheLocalZone) {
    fwtest::ScopedEnv tz("TZ", "Europe/Berlin");
    ::tzset();
    CxDateTime dt;
    dt.SetTimeT(0);
    EXPECT_TRUE(dt.IsValid());
    EXPECT_EQ(dt.GetSystemTime().wYear, 1970);
    EXPECT_EQ(dt.GetSystemTime().wHour, 1);
    EXPECT_EQ(dt.GetSystemTime().wDayOfWeek, 4);
    DATE d = 0;
    ASSERT_TRUE(TimeTToVariantTime(86400 * 365, d));
    EXPECT_EQ(VariantTimeToTimeT(d), 86400 * 365);
    // A summer date keeps its wall-clock time through mktime.
    DATE summer = 0;
    ASSERT_TRUE(platform::SystemTimeToVariantTime(At(2009, 7, 1, 12), summer));
    const std::time_t t = VariantTimeToTimeT(summer);
    SYSTEMTIME back{};
    ASSERT_TRUE(TimeTToSystemTime(t, back));
    EXPECT_EQ(back.wHour, 12);
    EXPECT_EQ(VariantTimeToTimeT(1e12), static_cast<std::time_t>(-1));
}

TEST(CxDateTime, MinuteArithmeticStaysOnItsDay) {
    SYSTEMTIME st = At(2008, 3, 5, 23, 30);
    AddMinutes(st, 60);
    EXPECT_EQ(st.wHour, 24);
    EXPECT_EQ(st.wMinute, 30);
    EXPECT_EQ(st.wDay, 5);
    st = At(2008, 3, 5, 0, 10);
    AddMinutes(st, -30);
    EXPECT_EQ(GetMinutesOfDay(st), 0);
    SetTimeOfDay(605, st);
    EXPECT_EQ(st.wHour, 10);
    EXPECT_EQ(st.wMinute, 5);
    EXPECT_EQ(MinutesBetween(At(2008, 3, 6, 1, 0), At(2008, 3, 5, 23, 0)), -1320);
}

TEST(CxDateTime, AddDaysGoesToMidnight) {
    SYSTEMTIME st = At(2008, 3, 5, 14, 20);
    ASSERT_TRUE(AddDays(st, 1));
    EXPECT_EQ(st.wDay, 6);
    EXPECT_EQ(st.wMonth, 3);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wMinute, 0);
    st = At(2008, 2, 28, 9);
    ASSERT_TRUE(AddDays(st, 1));
    EXPECT_EQ(st.wDay, 29);
    st = At(2009, 1, 1);
    ASSERT_TRUE(AddDays(st, -1));
    EXPECT_EQ(st.wYear, 2008);
    EXPECT_EQ(st.wDay, 31);
    st = At(1899, 12, 29, 6);
    ASSERT_TRUE(AddDays(st, 1));
    EXPECT_EQ(st.wDay, 30);
    EXPECT_EQ(st.wHour, 0);
    st = At(2009, 13, 1);
    EXPECT_FALSE(AddDays(st, 1));
}

TEST(CxDateTime, DaysInMonthAndLeapYears) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2009, 4), 30);
    EXPECT_EQ(DaysInMonth(2009, 0), 0);
    EXPECT_EQ(DaysInMonth(2009, 13), 0);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2001));
}
