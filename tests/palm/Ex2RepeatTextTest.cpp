// Repeat rules of the 6.x calendar and task records, and how row values are
// read into record members.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <memory>

#include "common/palm/PmRepeatText.h"
#include "common/palm/PmRowValue.h"
#include "tests/support/TempDir.h"

namespace {

using platform::jet::Value;

// Local time is US Eastern for the life of the object, without tzdata.
class ScopedEastern {
public:
    ScopedEastern() : m_env(std::make_unique<fwtest::ScopedEnv>("TZ", "EST5EDT,M3.2.0,M11.1.0")) { ::tzset(); }
    ~ScopedEastern() {
        m_env.reset();
        ::tzset();
    }

private:
    std::unique_ptr<fwtest::ScopedEnv> m_env;
};

PmRepeatInfo Parse(const char* text, PmRepeatForm form = PmRepeatForm::Calendar, std::int32_t start = 0) {
    PmRepeatInfo r;
    std::memset(&r, 0x5A, sizeof r);  // whatever was there before must go
    PmParseRepeatText(text, r, form, start);
    return r;
}

bool IsCleared(const PmRepeatInfo& r) {
    PmRepeatInfo zero{};
    return std::memcmp(&r, &zero, sizeof r) == 0;
}

class RepeatTextTest : public ::testing::Test {
protected:
    ScopedEastern eastern;
};

TEST_F(RepeatTextTest, WeeklyOnThreeDaysWithoutEnd) {
    for (PmRepeatForm form : {PmRepeatForm::Calendar, PmRepeatForm::Task}) {
        const PmRepeatInfo r = Parse("W2 MO WE FR #0", form);
        EXPECT_EQ(r.RepeatKind, 2);
        EXPECT_EQ(r.Interval, 2);
        EXPECT_EQ(r.DayMask, 0x2A);
        EXPECT_EQ(r.EndDate, kPmRepeatNoEnd);
        EXPECT_EQ(r.EndDate, 1956499199);
        EXPECT_EQ(r.DayIndex, 0);
        EXPECT_EQ(r.FirstDayOfWeek, 0);
        EXPECT_EQ(r.WeekIndex, 0);
    }
}

TEST_F(RepeatTextTest, MonthlyByWeekdayWithEndDateInLocalTime) {
    for (PmRepeatForm form : {PmRepeatForm::Calendar, PmRepeatForm::Task}) {
        const PmRepeatInfo r = Parse("MP1 2+ TU 20061231T000000Z", form);
        EXPECT_EQ(r.RepeatKind, 3);
        EXPECT_EQ(r.Interval, 1);
        EXPECT_EQ(r.WeekIndex, 1);
        EXPECT_EQ(r.DayMask, 0x04);
        EXPECT_EQ(r.DayIndex, 0);
        // 2006-12-31 00:00 in New York is 05:00 UTC.
        EXPECT_EQ(r.EndDate, 1167523200 + 5 * 3600);
    }
    // In summer the local midnight is four hours behind UTC.
    EXPECT_EQ(Parse("D1 20060701").EndDate, 1151712000 + 4 * 3600);
}

TEST_F(RepeatTextTest, MonthlyByDateAndYearly) {
    const PmRepeatInfo md = Parse("MD1 15 #0");
    EXPECT_EQ(md.RepeatKind, 4);
    EXPECT_EQ(md.Interval, 1);
    EXPECT_EQ(md.DayNumber, 15);
    EXPECT_EQ(md.EndDate, kPmRepeatNoEnd);

    // 2007-06-14 10:00 local.
    const std::int32_t start = 1181829600;
    const PmRepeatInfo ym = Parse("YM1 6 #0", PmRepeatForm::Calendar, start);
    EXPECT_EQ(ym.RepeatKind, 5);
    EXPECT_EQ(ym.Interval, 1);
    EXPECT_EQ(ym.MonthIndex, 5);
    EXPECT_EQ(ym.DayNumber, 14);
    EXPECT_EQ(ym.EndDate, kPmRepeatNoEnd);

    EXPECT_TRUE(IsCleared(Parse("YM1 6 #0", PmRepeatForm::Task, start)));
}

TEST_F(RepeatTextTest, DayOfMonthOfTheStartIsLocal) {
    // 2007-06-15 02:00 UTC is still the 14th in New York.
    EXPECT_EQ(Parse("YM1 6 #0", PmRepeatForm::Calendar, 1181872800).DayNumber, 14);
    // A yearly rule without a month in 1 to 12 takes the start's month.
    const PmRepeatInfo r = Parse("YD1 165 #0", PmRepeatForm::Calendar, 1181829600);
    EXPECT_EQ(r.RepeatKind, 5);
    EXPECT_EQ(r.MonthIndex, 5);
    EXPECT_EQ(r.DayNumber, 14);
}

TEST_F(RepeatTextTest, DailyAndUnknownRules) {
    const PmRepeatInfo d = Parse("D3 #0");
    EXPECT_EQ(d.RepeatKind, 1);
    EXPECT_EQ(d.Interval, 3);
    EXPECT_EQ(d.DayMask, 0);
    EXPECT_EQ(d.DayIndex, 0);
    for (const char* text : {"", "X1 #0", "M1 #0", "d1 #0", " D1 #0", "#0"})
        EXPECT_TRUE(IsCleared(Parse(text))) << text;
    PmRepeatInfo r;
    std::memset(&r, 0x5A, sizeof r);
    PmParseRepeatText(nullptr, r, PmRepeatForm::Calendar, 0);
    EXPECT_TRUE(IsCleared(r));
}

TEST_F(RepeatTextTest, LastWeekOfTheMonth) {
    EXPECT_EQ(Parse("MP1 5+ FR 20251231T000000Z").WeekIndex, 4);
    EXPECT_EQ(Parse("MP1 1- FR #0").WeekIndex, 4);
    EXPECT_EQ(Parse("MP1 1+ FR #0").WeekIndex, 0);
    EXPECT_EQ(Parse("MP1 1- FR #0").DayMask, 0x20);
}

TEST_F(RepeatTextTest, WeekdaysAreWholeWords) {
    EXPECT_EQ(Parse("W1 SU MO TU WE TH FR SA #0").DayMask, 0x7F);
    EXPECT_EQ(Parse("W1 MON TUES #0").DayMask, 0);
    EXPECT_EQ(Parse("W1 #0").DayMask, 0);
    // The last word counts also without a blank after it.
    EXPECT_EQ(Parse("W1 SA").DayMask, 0x40);
}

TEST_F(RepeatTextTest, NumbersStopAtBlankPlusOrNineCharacters) {
    EXPECT_EQ(Parse("D12+ #0").Interval, 12);
    EXPECT_EQ(Parse("D1234567890123 #0").Interval, 123456789);
    EXPECT_EQ(Parse("D99999999999999999999 #0").Interval, 999999999);
    EXPECT_EQ(Parse("Dx #0").Interval, 0);
    EXPECT_EQ(Parse("D #0").Interval, 0);
    EXPECT_EQ(Parse("MD1 -3 #0").DayNumber, -3);
    EXPECT_EQ(Parse("MD1").DayNumber, 0);
    EXPECT_EQ(Parse("MP2").WeekIndex, -1);
    EXPECT_EQ(Parse("MP2").Interval, 2);
}

TEST_F(RepeatTextTest, EndsThatAreNoDateMeanNoEnd) {
    // Without an end, or with one that is no day, a rule must not end
    // before it began.
    for (const char* text : {"D1", "W1 MO", "D1 #5", "D1 2006123", "D1 20061331", "D1 20060230", "D1 20070229",
                             "D1 2006-12-31", "D1 00001231", "D1 20061200", "D1 T20061231", "D1 abcdefgh"})
        EXPECT_EQ(Parse(text).EndDate, kPmRepeatNoEnd) << text;
    EXPECT_NE(Parse("D1 20080229").EndDate, kPmRepeatNoEnd);
    EXPECT_EQ(Parse("D1 20061231").EndDate, Parse("D1 20061231T235959Z").EndDate);
    EXPECT_EQ(Parse("D1 20061231").EndDate, Parse("D1 20061231garbage").EndDate);
    // The end is the text after the last blank.
    EXPECT_EQ(Parse("W1 MO 20061231 #0").EndDate, kPmRepeatNoEnd);
    // Before and after the range of the member.
    EXPECT_EQ(Parse("D1 20380118").EndDate, 2147403600);
    EXPECT_EQ(Parse("D1 20380120").EndDate, kPmRepeatNoEnd);
    EXPECT_EQ(Parse("D1 99991231").EndDate, kPmRepeatNoEnd);
    EXPECT_EQ(Parse("D1 19700102").EndDate, 86400 + 5 * 3600);
}

TEST_F(RepeatTextTest, LongTexts) {
    std::string text = "W1 MO";
    for (int i = 0; i < 500; ++i) text += " TU";
    text += " 20061231T000000Z" + std::string(200, 'Z');
    const PmRepeatInfo r = Parse(text.c_str());
    EXPECT_EQ(r.DayMask, 0x06);
    EXPECT_EQ(r.EndDate, 1167541200);
}

TEST(RowValueTest, Long) {
    std::int32_t v = 5;
    EXPECT_TRUE(GetLongValue(Value::Integer(-40000), v));
    EXPECT_EQ(v, -40000);
    const std::pair<const char*, std::int32_t> texts[] = {{"42", 42},
                                                          {"42abc", 42},
                                                          {"  -7 x", -7},
                                                          {"+8", 8},
                                                          {"abc", 0},
                                                          {"", 0},
                                                          {"- 3", 0},
                                                          {"2147483647", 2147483647},
                                                          {"99999999999999", 2147483647},
                                                          {"-2147483648", -2147483647 - 1},
                                                          {"-99999999999999", -2147483647 - 1}};
    for (const auto& [text, expected] : texts) {
        v = 5;
        EXPECT_TRUE(GetLongValue(Value::Text(text), v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    v = 5;
    EXPECT_FALSE(GetLongValue(Value::Boolean(true), v));
    EXPECT_FALSE(GetLongValue(Value::None(), v));
    EXPECT_EQ(v, 5);
}

TEST(RowValueTest, BoolAndText) {
    std::int32_t v = 5;
    EXPECT_TRUE(GetBoolValue(Value::Boolean(true), v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(GetBoolValue(Value::Boolean(false), v));
    EXPECT_EQ(v, 0);
    v = 5;
    EXPECT_FALSE(GetBoolValue(Value::Integer(1), v));
    EXPECT_FALSE(GetBoolValue(Value::Text("1"), v));
    EXPECT_EQ(v, 5);

    char buf[6] = "xxxxx";
    EXPECT_FALSE(GetTextValue(Value::Integer(3), buf, sizeof buf));
    EXPECT_STREQ(buf, "xxxxx");
    EXPECT_TRUE(GetTextValue(Value::Text("abcdefgh"), buf, sizeof buf));
    EXPECT_STREQ(buf, "abcde");
    // "é" is two bytes: the third does not fit and is left out whole.
    EXPECT_TRUE(GetTextValue(Value::Text("\xC3\xA9\xC3\xA9\xC3\xA9"), buf, sizeof buf));
    EXPECT_STREQ(buf, "\xC3\xA9\xC3\xA9");
    EXPECT_TRUE(GetTextValue(Value::Text(""), buf, sizeof buf));
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(GetTextValue(Value::Text("a"), nullptr, 4));
}

}  // namespace
