// The conversions of Palm records of the three generations into common
// records: phones, addresses, repeat rules, alarms, priorities, memo
// subjects, birthdays, and the address field catalogues with the custom map.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

#include "common/misc/CxDateTime.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmConvert.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "platform/text/TextCopy.h"
#include "tests/palm/PalmTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/Zeroed.h"

using platform::CopyText;

using fwtest::Zeroed;

namespace {

template <class Entry>
std::unique_ptr<Entry> NewEntry(int generation) {
    auto e = Zeroed<Entry>();
    e->Generation = generation;
    return e;
}

using palmtest::LocalSeconds;

DATE Ole(int y, int mo, int d) {
    SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(y);
    st.wMonth = static_cast<std::uint16_t>(mo);
    st.wDay = static_cast<std::uint16_t>(d);
    DATE date = 0;
    EXPECT_TRUE(platform::SystemTimeToVariantTime(st, date));
    return date;
}

struct NoPalmDesktop : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    NoPalmDesktop() {
        PmSetProgramFolder(dir.Path());
        PmAddrInfo::ForgetInstalledAddrGeneration();
    }
    ~NoPalmDesktop() override {
        PmSetProgramFolder("");
        PmAddrInfo::ForgetInstalledAddrGeneration();
    }
};

using Catalogue = NoPalmDesktop;

}  // namespace

// ---- Phones and contact members ----

TEST(PhoneRouting, LaterSlotsOfALabelTakeTheMainMemberAndKeepTheEarlierOnes) {
    auto e = NewEntry<PmAddrEntry>(kPmGenEx);
    PmAddrExRec& p = e->Record.Ex;
    const char* numbers[7] = {"111", "222", "333", "444", "555", "666", "777"};
    const std::int32_t labels[7] = {0, 0, 6, 0, 4, 4, 4};
    for (int i = 0; i < 7; ++i) {
        CopyText(p.Phone[i], numbers[i]);
        p.PhoneLabel[i] = labels[i];
    }
    auto rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->WorkPhone, "444");   // the last work phone
    EXPECT_STREQ(rec->WorkPhone2, "111");  // the first one displaced keeps the spare member
    EXPECT_STREQ(rec->Pager, "333");
    EXPECT_STREQ(rec->Email, "777");
    EXPECT_STREQ(rec->Email2, "555");
    EXPECT_STREQ(rec->Email3, "666");
}

TEST(PhoneRouting, EveryLabelCodeAndEmptyOrUnknownSlots) {
    auto e = NewEntry<PmAddrEntry>(kPmGenEarly);
    PmAddrRec& p = e->Record.Early;
    const std::int32_t labels[5] = {1, 2, 3, 5, 7};
    for (int i = 0; i < 5; ++i) {
        CopyText(p.Phone[i], "n" + std::to_string(labels[i]));
        p.PhoneLabel[i] = labels[i];
    }
    auto rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->HomePhone, "n1");
    EXPECT_STREQ(rec->WorkFax, "n2");
    EXPECT_STREQ(rec->OtherPhone, "n3");
    EXPECT_STREQ(rec->PrimaryPhone, "n5");
    EXPECT_STREQ(rec->MobilePhone, "n7");
    EXPECT_STREQ(rec->WorkPhone, "");

    // An empty slot with a label replaces nothing; an unknown code goes nowhere.
    p.Phone[0][0] = '\0';
    p.PhoneLabel[1] = 42;
    rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->HomePhone, "");
    EXPECT_STREQ(rec->WorkFax, "");
    EXPECT_STREQ(rec->WorkPhone, "");
}

TEST(ContactConvert, EarlyContactHasOnlyTheWorkAddress) {
    auto e = NewEntry<PmAddrEntry>(kPmGenEarly);
    PmAddrRec& p = e->Record.Early;
    CopyText(p.FirstName, "Ann");
    CopyText(p.LastName, "Lee");
    CopyText(p.Company, "A very long company name that is longer than sixty-four characters, cut");
    CopyText(p.Title, "Boss");
    CopyText(p.Street, "1 Main St");
    CopyText(p.City, "Springfield");
    CopyText(p.State, "IL");
    CopyText(p.ZipCode, "62701-12345678901234");
    CopyText(p.Country, "USA");
    CopyText(p.Note, "line 1\r\nline 2");
    for (int i = 0; i < 4; ++i) CopyText(p.Custom[i], "c" + std::to_string(i + 1));
    CopyText(p.CategoryName, "Friends");
    p.Status = 0x41;
    auto rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->FirstName, "Ann");
    EXPECT_STREQ(rec->LastName, "Lee");
    EXPECT_EQ(std::strlen(rec->Company), 63u);
    EXPECT_STREQ(rec->Title, "Boss");
    EXPECT_STREQ(rec->WorkAddress.Street, "1 Main St");
    EXPECT_STREQ(rec->WorkAddress.City, "Springfield");
    EXPECT_STREQ(rec->WorkAddress.PostalCode, "62701-123456789");  // cut to 15 characters
    EXPECT_STREQ(rec->WorkAddress.Country, "USA");
    EXPECT_STREQ(rec->HomeAddress.Street, "");
    EXPECT_STREQ(rec->OtherAddress.City, "");
    EXPECT_STREQ(rec->Note, "line 1\r\nline 2");
    EXPECT_STREQ(rec->CustomValue[0], "c1");
    EXPECT_STREQ(rec->CustomValue[3], "c4");
    EXPECT_STREQ(rec->CustomValue[4], "");
    EXPECT_STREQ(rec->Category, "Friends");
    EXPECT_STREQ(rec->CustomLabel[0], "");
    EXPECT_EQ(rec->Private, 0);
    EXPECT_EQ(rec->SourceType, CommSourcePalm);
    EXPECT_EQ(rec->Status, 0x41);
    EXPECT_EQ(rec->Birthday, 0.0);
}

TEST(ContactConvert, ExContactAddressesCustomsAndBirthday) {
    auto e = NewEntry<PmAddrEntry>(kPmGenEx);
    PmAddrExRec& p = e->Record.Ex;
    CopyText(p.FirstName, "J\xC3\xB6rg");
    CopyText(p.WorkAddress.Street, "Work St");
    CopyText(p.HomeAddress.City, "Home City");
    CopyText(p.OtherAddress.Country, "Other Land");
    for (int i = 0; i < 9; ++i) CopyText(p.Custom[i], "custom " + std::to_string(i + 1));
    CopyText(p.Im[0], "aim-name");
    p.ImLabel[0] = kPmImAIM;
    p.Birthday = static_cast<double>(0x07C70C1F);  // 1991-12-31
    auto rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->FirstName, "J\xC3\xB6rg");
    EXPECT_STREQ(rec->WorkAddress.Street, "Work St");
    EXPECT_STREQ(rec->HomeAddress.City, "Home City");
    EXPECT_STREQ(rec->OtherAddress.Country, "Other Land");
    EXPECT_STREQ(rec->CustomValue[8], "custom 9");
    EXPECT_STREQ(rec->CustomValue[9], "");
    EXPECT_STREQ(rec->Im1, "aim-name");
    EXPECT_EQ(rec->Birthday, Ole(1991, 12, 31));
}

TEST(ContactConvert, Ex2ContactTakesEveryNamedColumn) {
    auto e = NewEntry<PmAddrEntry>(kPmGenEx2);
    PmAddrEx2Rec& p = e->Record.Ex2;
    CopyText(p.FirstName, "Mary");
    CopyText(p.MiddleName, "Ann");
    CopyText(p.LastName, "Smith");
    CopyText(p.Prefix, "Dr.");
    CopyText(p.Suffix, "Jr.");
    CopyText(p.NickName, "Mo");
    CopyText(p.EnglishName, "Mary Smith");
    CopyText(p.Company, "Acme");
    CopyText(p.JobTitle, "Engineer");
    CopyText(p.HomeAddress.Street, "2 Home Rd");
    CopyText(p.Note, "note");
    for (int i = 0; i < 14; ++i) CopyText(p.Custom[i], "x" + std::to_string(i + 1));
    const char* phones[7] = {"w", "wf", "wm", "h", "hf", "hm", "o"};
    const std::int32_t labels[7] = {0, 2, 7, 1, 2, 7, 3};
    for (int i = 0; i < 7; ++i) {
        CopyText(p.Phone[i], phones[i]);
        p.PhoneLabel[i] = labels[i];
    }
    CopyText(p.Chat[0], "chat-one");
    CopyText(p.Chat[1], "chat-two");
    CopyText(p.AssistantName, "Pat");
    CopyText(p.AssistantPhone, "+1 555 0100 extension 4242 to be cut");
    p.Birthday = 0x07B20101;
    p.Anniversary = static_cast<std::int32_t>(0x07D0021D);  // 2000-02-29
    CopyText(p.CategoryName, "VIP");
    p.Status = 2;
    auto rec = Zeroed<CommAddrRec>();
    PmConvertContact(*e, *rec);
    EXPECT_STREQ(rec->MiddleName, "Ann");
    EXPECT_STREQ(rec->Prefix, "Dr.");
    EXPECT_STREQ(rec->Suffix, "Jr.");
    EXPECT_STREQ(rec->NickName, "Mo");
    EXPECT_STREQ(rec->DisplayName, "Mary Smith");
    EXPECT_STREQ(rec->Company, "Acme");
    EXPECT_STREQ(rec->Title, "Engineer");
    EXPECT_STREQ(rec->HomeAddress.Street, "2 Home Rd");
    EXPECT_STREQ(rec->CustomValue[9], "x10");  // "Custom 10" is slot 10
    EXPECT_STREQ(rec->WorkPhone, "w");
    EXPECT_STREQ(rec->HomePhone, "h");
    EXPECT_STREQ(rec->WorkFax, "hf");
    EXPECT_STREQ(rec->MobilePhone, "hm");
    EXPECT_STREQ(rec->OtherPhone, "o");
    EXPECT_STREQ(rec->Im1, "chat-one");
    EXPECT_STREQ(rec->Im2, "chat-two");
    EXPECT_STREQ(rec->AssistantName, "Pat");
    EXPECT_EQ(std::strlen(rec->AssistantPhone), 23u);
    EXPECT_EQ(rec->Birthday, 25569.0);
    EXPECT_EQ(rec->Anniversary, Ole(2000, 2, 29));
    EXPECT_STREQ(rec->Category, "VIP");
    EXPECT_EQ(rec->Status, 2);
}

// ---- Packed dates ----

TEST(PackedDates, YearMonthDayPackedIntoOneNumber) {
    EXPECT_EQ(PmPackedDateToOle(0x07B20101u), 25569.0);  // 1970-01-01
    EXPECT_EQ(PmPackedDateToOle(0x07B20102u), 25570.0);
    // A month later is 31 days later, not 256.
    EXPECT_EQ(PmPackedDateToOle(0x07B20201u), 25600.0);
    EXPECT_EQ(PmPackedDateToOle(0x07A8060Fu), Ole(1960, 6, 15));
    EXPECT_EQ(PmPackedDateToOle(0x07E9021Cu), Ole(2025, 2, 28));
    EXPECT_EQ(PmPackedDateToOle(0x076C0101u), 2.0);  // 1900-01-01
    // Nothing stored, and numbers that are no date.
    EXPECT_EQ(PmPackedDateToOle(0u), 0.0);
    EXPECT_EQ(PmPackedDateToOle(0x07B20D01u), 0.0);  // month 13
    EXPECT_EQ(PmPackedDateToOle(0x07B20100u), 0.0);  // day 0
    EXPECT_EQ(PmPackedDateToOle(0x07E5021Du), 0.0);  // 2021-02-29
    EXPECT_EQ(PmPackedDateToOle(0x00000101u), 0.0);  // year 0
    EXPECT_EQ(PmPackedDateToOle(25569u), 0.0);       // a day number is not a packed date
    EXPECT_EQ(PmPackedDateToOle(static_cast<double>(0x07C70C1F)), Ole(1991, 12, 31));
    EXPECT_EQ(PmPackedDateToOle(-1.0), 0.0);
    EXPECT_EQ(PmPackedDateToOle(1e300), 0.0);
    EXPECT_EQ(PmPackedDateToOle(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

// ---- Repeat rules ----

TEST(RepeatConvert, KindsOfTheDatFormats) {
    CommRepeatInfo out{};
    PmRepeatInfo in{};
    in.RepeatKind = 1;
    in.Interval = 3;
    in.DayIndex = 5;
    PmConvertRepeat(in, kPmGenEx, out);
    EXPECT_EQ(out.Type, CommRepeatDaily);
    EXPECT_EQ(out.Interval, 3);
    EXPECT_EQ(out.DayOfWeekMask, 0);  // a daily rule names no weekday

    in = PmRepeatInfo{};
    in.RepeatKind = 2;
    in.Interval = 2;
    in.DayMask = 0x2A;
    PmConvertRepeat(in, kPmGenEarly, out);
    EXPECT_EQ(out.Type, CommRepeatWeekly);
    EXPECT_EQ(out.DayOfWeekMask, 0x2A);
    EXPECT_EQ(out.Instance, 1);

    // Every second Tuesday: day index 2 (Sunday = 0), week index 1.
    in = PmRepeatInfo{};
    in.RepeatKind = 3;
    in.Interval = 1;
    in.DayIndex = 2;
    in.WeekIndex = 1;
    PmConvertRepeat(in, kPmGenEx, out);
    EXPECT_EQ(out.Type, CommRepeatMonthlyByDay);
    EXPECT_EQ(out.DayOfWeekMask, 0x04);
    EXPECT_EQ(out.Instance, 2);
    // The last Sunday.
    in.DayIndex = 0;
    in.WeekIndex = 4;
    PmConvertRepeat(in, kPmGenEarly, out);
    EXPECT_EQ(out.DayOfWeekMask, 0x01);
    EXPECT_EQ(out.Instance, 5);
    // Out-of-range indexes give no weekday and no week.
    in.DayIndex = 7;
    in.WeekIndex = 5;
    PmConvertRepeat(in, kPmGenEarly, out);
    EXPECT_EQ(out.DayOfWeekMask, 0);
    EXPECT_EQ(out.Instance, 0);

    in = PmRepeatInfo{};
    in.RepeatKind = 4;
    in.Interval = 1;
    in.DayNumber = 31;
    PmConvertRepeat(in, kPmGenEx, out);
    EXPECT_EQ(out.Type, CommRepeatMonthlyByDate);
    EXPECT_EQ(out.DayOfMonth, 31);

    in = PmRepeatInfo{};
    in.RepeatKind = 5;
    in.Interval = 1;
    in.DayNumber = 14;
    in.MonthIndex = 1;
    PmConvertRepeat(in, kPmGenEx, out);
    EXPECT_EQ(out.Type, CommRepeatYearlyByDate);
    EXPECT_EQ(out.DayOfMonth, 14);
    EXPECT_EQ(out.MonthOfYear, 2);

    for (int kind : {0, 6, 9, -1}) {
        in = PmRepeatInfo{};
        in.RepeatKind = kind;
        in.Interval = 4;
        in.EndDate = LocalSeconds(2019, 5, 1);
        PmConvertRepeat(in, kPmGenEx, out);
        EXPECT_EQ(out.Type, CommRepeatNone) << kind;
        EXPECT_EQ(out.Interval, 0) << kind;
        EXPECT_EQ(out.HasEnd, 0) << kind;
    }
}

TEST(RepeatConvert, SixXMonthlyRulesTakeTheWeekdayFromTheDayMask) {
    PmRepeatInfo in{};
    in.RepeatKind = 3;  // as parsed from "MP1 2+ TU 20061231T000000Z"
    in.Interval = 1;
    in.WeekIndex = 1;
    in.DayMask = 0x04;
    in.EndDate = LocalSeconds(2006, 12, 31);
    CommRepeatInfo out{};
    PmConvertRepeat(in, kPmGenEx2, out);
    EXPECT_EQ(out.Type, CommRepeatMonthlyByDay);
    EXPECT_EQ(out.DayOfWeekMask, 0x04);
    EXPECT_EQ(out.Instance, 2);
    EXPECT_EQ(out.HasEnd, 1);
    EXPECT_EQ(out.EndDate.wYear, 2006);
    EXPECT_EQ(out.EndDate.wMonth, 12);
    EXPECT_EQ(out.EndDate.wDay, 31);
    EXPECT_EQ(out.EndDate.wHour, 0);
}

TEST(RepeatConvert, EndDates) {
    PmRepeatInfo in{};
    in.RepeatKind = 4;
    in.Interval = 1;
    in.DayNumber = 15;
    CommRepeatInfo out{};

    in.EndDate = LocalSeconds(2019, 3, 15, 10, 30);
    PmConvertRepeat(in, kPmGenEx, out);
    EXPECT_EQ(out.HasEnd, 1);
    EXPECT_EQ(out.EndDate.wYear, 2019);
    EXPECT_EQ(out.EndDate.wMonth, 3);
    EXPECT_EQ(out.EndDate.wDay, 15);
    EXPECT_EQ(out.EndDate.wHour, 10);
    EXPECT_EQ(out.EndDate.wMinute, 30);
    EXPECT_EQ(out.EndDate.wDayOfWeek, 5);  // a Friday

    // Rules that end from 2021 to 2030 keep their end.
    for (int year : {2021, 2025, 2030}) {
        in.EndDate = LocalSeconds(year, 12, 31);
        PmConvertRepeat(in, kPmGenEx, out);
        EXPECT_EQ(out.HasEnd, 1) << year;
        EXPECT_EQ(out.EndDate.wYear, year);
    }
    // Palm's "no end", and anything from 2031 on.
    for (std::int32_t end : {1956499199, LocalSeconds(2031, 1, 1), 2147483647}) {
        in.EndDate = end;
        PmConvertRepeat(in, kPmGenEx, out);
        EXPECT_EQ(out.HasEnd, 0) << end;
    }
    // No end date at all (a 6.x rule text without one, or a negative value).
    for (std::int32_t end : {0, -1}) {
        in.EndDate = end;
        PmConvertRepeat(in, kPmGenEx2, out);
        EXPECT_EQ(out.HasEnd, 0) << end;
        EXPECT_EQ(out.Type, CommRepeatMonthlyByDate);
    }
}

// ---- Events ----

TEST(EventConvert, EveryGenerationWithAlarmsAndRepeats) {
    for (int generation : {kPmGenEarly, kPmGenEx, kPmGenEx2}) {
        SCOPED_TRACE(generation);
        auto e = NewEntry<PmDateEntry>(generation);
        const std::int32_t start = LocalSeconds(2026, 1, 5, 9, 15), end = LocalSeconds(2026, 1, 5, 10, 45);
        PmRepeatInfo repeat{};
        repeat.RepeatKind = 2;
        repeat.Interval = 1;
        repeat.DayMask = 0x02;
        if (generation == kPmGenEarly) {
            PmDateRec& p = e->Record.Early;
            CopyText(p.Description, std::string(300, 'd'));
            CopyText(p.Note, "n");
            p.StartDate = start, p.EndDate = end, p.AlarmSet = 1, p.AlarmAdvance = 2, p.AlarmAdvanceUnit = 1;
            p.Untimed = 5;
            p.Repeat = repeat;
            p.Status = 7;
        } else if (generation == kPmGenEx) {
            PmDateExRec& p = e->Record.Ex;
            CopyText(p.Description, std::string(300, 'd'));
            CopyText(p.Note, "n");
            CopyText(p.Location, "Room 4");
            p.StartDate = start, p.EndDate = end, p.AlarmSet = 1, p.AlarmAdvance = 2, p.AlarmAdvanceUnit = 1;
            p.Untimed = 5;
            p.Repeat = repeat;
        } else {
            PmDateEx2Rec& p = e->Record.Ex2;
            CopyText(p.Summary, std::string(300, 'd'));
            CopyText(p.Note, "n");
            CopyText(p.Location, "Room 4");
            p.StartTime = start, p.EndTime = end, p.Alarm = 1, p.AlarmAdvance = 2, p.AlarmUnit = 1;
            p.Untimed = 5;
            p.Repeat = repeat;
            p.Private = 1;
            CopyText(p.CategoryName, "Work");
        }
        auto rec = Zeroed<CommDateRec>();
        PmConvertEvent(*e, *rec);
        EXPECT_EQ(std::strlen(rec->Subject), 255u);
        EXPECT_STREQ(rec->Note, "n");
        EXPECT_STREQ(rec->Location, generation == kPmGenEarly ? "" : "Room 4");
        // Untimed: the whole day, from its midnight to the next.
        EXPECT_EQ(rec->AllDay, 1);
        EXPECT_EQ(rec->Start.wYear, 2026);
        EXPECT_EQ(rec->Start.wDay, 5);
        EXPECT_EQ(rec->Start.wHour, 0);
        EXPECT_EQ(rec->Start.wMinute, 0);
        EXPECT_EQ(rec->Start.wDayOfWeek, 1);
        EXPECT_EQ(rec->End.wDay, 6);
        EXPECT_EQ(rec->End.wHour, 0);
        EXPECT_EQ(rec->End.wDayOfWeek, 2);
        EXPECT_EQ(rec->Alarm, 1);
        EXPECT_EQ(rec->ReminderCount, 1);
        EXPECT_EQ(rec->Reminders[0].Amount, 2);
        EXPECT_EQ(rec->Reminders[0].Unit, CommUnitHours);
        EXPECT_EQ(rec->Repeat.Type, CommRepeatWeekly);
        EXPECT_EQ(rec->Repeat.DayOfWeekMask, 0x02);
        EXPECT_EQ(rec->SourceType, CommSourcePalm);
        EXPECT_EQ(rec->Status, 0);
        EXPECT_STREQ(rec->Category, "");
        EXPECT_EQ(rec->Private, 0);
    }
}

TEST(EventConvert, TimesOfTimedAndUntimedEvents) {
    struct Case {
        bool untimed;
        std::int32_t start, end;
        int startDay, startHour, endMonth, endDay, endHour, endMinute;
    };
    const Case cases[] = {
        {false, LocalSeconds(2026, 1, 5, 9, 15), LocalSeconds(2026, 1, 5, 10, 45), 5, 9, 1, 5, 10, 45},
        {false, LocalSeconds(2026, 1, 5, 23, 0), LocalSeconds(2026, 1, 6, 1, 0), 5, 23, 1, 6, 1, 0},
        {true, LocalSeconds(2026, 1, 5), LocalSeconds(2026, 1, 5), 5, 0, 1, 6, 0, 0},
        {true, LocalSeconds(2026, 1, 31, 8, 0), LocalSeconds(2026, 1, 31, 8, 0), 31, 0, 2, 1, 0, 0},
        {true, LocalSeconds(2026, 1, 5), LocalSeconds(2026, 1, 7), 5, 0, 1, 7, 0, 0},  // already ends at a midnight
        {true, LocalSeconds(2026, 1, 5), LocalSeconds(2026, 1, 7, 15, 0), 5, 0, 1, 8, 0, 0},  // through its last day
        {true, LocalSeconds(2026, 1, 5, 12, 0), LocalSeconds(2026, 1, 4), 5, 0, 1, 6, 0, 0},  // an end before the start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        auto e = NewEntry<PmDateEntry>(kPmGenEx);
        e->Record.Ex.Untimed = c.untimed ? 1 : 0;
        e->Record.Ex.StartDate = c.start;
        e->Record.Ex.EndDate = c.end;
        auto rec = Zeroed<CommDateRec>();
        PmConvertEvent(*e, *rec);
        EXPECT_EQ(rec->Start.wDay, c.startDay);
        EXPECT_EQ(rec->Start.wHour, c.startHour);
        EXPECT_EQ(rec->End.wMonth, c.endMonth);
        EXPECT_EQ(rec->End.wDay, c.endDay);
        EXPECT_EQ(rec->End.wHour, c.endHour);
        EXPECT_EQ(rec->End.wMinute, c.endMinute);
    }
}

TEST(EventConvert, AlarmUnitsAndNoAlarm) {
    EXPECT_EQ(PmReminderUnit(0), CommUnitMinutes);
    EXPECT_EQ(PmReminderUnit(1), CommUnitHours);
    EXPECT_EQ(PmReminderUnit(2), CommUnitDays);
    EXPECT_EQ(PmReminderUnit(3), CommUnitMinutes);
    EXPECT_EQ(PmReminderUnit(-1), CommUnitMinutes);
    auto e = NewEntry<PmDateEntry>(kPmGenEx);
    e->Record.Ex.AlarmAdvance = 10;
    auto rec = Zeroed<CommDateRec>();
    PmConvertEvent(*e, *rec);
    EXPECT_EQ(rec->Alarm, 0);
    EXPECT_EQ(rec->ReminderCount, 0);
    EXPECT_EQ(rec->Reminders[0].Amount, 0);
}

// ---- Tasks ----

TEST(TaskConvert, PrioritiesPrivacySourceTypesAndRepeats) {
    EXPECT_EQ(PmTaskPriority(1), 1);
    EXPECT_EQ(PmTaskPriority(5), 2);
    for (int p : {0, 2, 3, 4, 6, -1}) EXPECT_EQ(PmTaskPriority(p), 0) << p;

    auto early = NewEntry<PmTodoEntry>(kPmGenEarly);
    CopyText(early->Record.Early.Description, std::string(400, 't'));
    early->Record.Early.Priority = 3;
    early->Record.Early.Private = 1;
    early->Record.Early.DueDate = 1767600000;
    early->Record.Early.Completed = 9;
    early->Record.Early.RecordID = 77;
    early->Record.Early.Status = 0x40;
    auto rec = Zeroed<CommTaskRec>();
    PmConvertTask(*early, *rec);
    EXPECT_EQ(std::strlen(rec->Subject), 255u);
    EXPECT_EQ(rec->Priority, 0);
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->Sensitivity, 2);
    EXPECT_EQ(rec->DueDate, LocalSeconds(2026, 1, 5));  // a due date is a day
    EXPECT_EQ(rec->Completed, 1);
    EXPECT_EQ(rec->Alarm, 0);
    EXPECT_EQ(rec->SourceType, CommSourcePalm);
    EXPECT_EQ(rec->IdNumber, 77);
    EXPECT_EQ(rec->Status, 0x40);
    EXPECT_EQ(rec->Repeat.Type, CommRepeatNone);
    EXPECT_EQ(rec->IsRecurring, 0);

    auto ex = NewEntry<PmTodoEntry>(kPmGenEx);
    ex->Record.Ex.AlarmSet = 1;
    ex->Record.Ex.Priority = 5;
    ex->Record.Ex.Repeat.RepeatKind = 4;
    ex->Record.Ex.Repeat.Interval = 1;
    ex->Record.Ex.Repeat.DayNumber = 15;
    rec = Zeroed<CommTaskRec>();
    PmConvertTask(*ex, *rec);
    EXPECT_EQ(rec->SourceType, CommSourcePalm412);
    EXPECT_EQ(rec->Alarm, 1);
    EXPECT_EQ(rec->ReminderSet, 1);
    EXPECT_EQ(rec->Priority, 2);
    EXPECT_EQ(rec->Sensitivity, 0);
    EXPECT_EQ(rec->Repeat.Type, CommRepeatMonthlyByDate);
    EXPECT_EQ(rec->IsRecurring, 1);

    auto ex2 = NewEntry<PmTodoEntry>(kPmGenEx2);
    CopyText(ex2->Record.Ex2.Description, "Call back");
    ex2->Record.Ex2.Priority = 1;
    ex2->Record.Ex2.Private = 1;
    ex2->Record.Ex2.RecordID = 9;
    rec = Zeroed<CommTaskRec>();
    PmConvertTask(*ex2, *rec);
    EXPECT_EQ(rec->SourceType, CommSourcePalm6);
    EXPECT_STREQ(rec->Subject, "Call back");
    EXPECT_EQ(rec->Priority, 1);
    EXPECT_EQ(rec->Sensitivity, 2);
    EXPECT_EQ(rec->IdNumber, 9);
}

// ---- Memos ----

TEST(MemoConvert, SubjectIsTheFirstLine) {
    auto e = NewEntry<PmMemoEntry>(kPmGenEx);
    CopyText(e->Record.Ex.Text, "Shopping\r\nmilk\r\neggs");
    e->Record.Ex.Private = 1;
    e->Record.Ex.RecordID = 12;
    auto rec = Zeroed<CommNoteRec>();
    PmConvertMemo(*e, *rec);
    EXPECT_STREQ(rec->Subject, "Shopping");
    EXPECT_STREQ(rec->Note, "Shopping\r\nmilk\r\neggs");
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->IdNumber, 12);
    EXPECT_EQ(rec->SourceType, CommSourcePalm);

    // Without a line break: the first 255 characters.
    auto early = NewEntry<PmMemoEntry>(kPmGenEarly);
    const std::string longText(20000, 'm');
    CopyText(early->Record.Early.Text, longText + "\r\nsecond");
    rec = Zeroed<CommNoteRec>();
    PmConvertMemo(*early, *rec);
    EXPECT_EQ(std::string(rec->Subject), std::string(255, 'm'));
    EXPECT_EQ(std::strlen(rec->Note), 20008u);

    // A line feed alone ends the first line too; an empty memo has no subject.
    auto ex2 = NewEntry<PmMemoEntry>(kPmGenEx2);
    CopyText(ex2->Record.Ex2.Note, "Caf\xC3\xA9 list\nmore");
    rec = Zeroed<CommNoteRec>();
    PmConvertMemo(*ex2, *rec);
    EXPECT_STREQ(rec->Subject, "Caf\xC3\xA9 list");
    auto empty = NewEntry<PmMemoEntry>(kPmGenEx2);
    rec = Zeroed<CommNoteRec>();
    PmConvertMemo(*empty, *rec);
    EXPECT_STREQ(rec->Subject, "");
    EXPECT_STREQ(rec->Note, "");
}

// ---- Catalogues and the custom map ----

TEST_F(Catalogue, RowsOfEveryGeneration) {
    int count = 0;
    const PmFieldInfo* rows = PmAddrInfo::Catalogue(kPmGenEarly, &count);
    ASSERT_EQ(count, 23);
    EXPECT_STREQ(rows[11].Label, "Mobile Phone");
    EXPECT_STREQ(rows[21].Label, "Category");
    EXPECT_EQ(rows[21].Size, 16);
    rows = PmAddrInfo::Catalogue(kPmGenEx, &count);
    ASSERT_EQ(count, 45);
    EXPECT_STREQ(rows[27].Label, "IM AIM");
    EXPECT_EQ(rows[27].FieldID, 28);
    EXPECT_STREQ(rows[33].Label, "Birthday");
    EXPECT_EQ(rows[33].Kind, kPmFieldDouble);
    EXPECT_EQ(rows[33].Size, 8);
    EXPECT_STREQ(rows[44].Label, "Note");
    rows = PmAddrInfo::Catalogue(kPmGenEx2, &count);
    ASSERT_EQ(count, 54);
    EXPECT_STREQ(rows[12].Label, "Work Phone");
    EXPECT_STREQ(rows[41].Label, "Anniversary");
    EXPECT_EQ(rows[42].Kind, kPmFieldLong);
    EXPECT_EQ(rows[52].Size, 32);
    for (int g : {kPmGenEarly, kPmGenEx, kPmGenEx2}) {
        rows = PmAddrInfo::Catalogue(g, &count);
        for (int i = 0; i < count; ++i) EXPECT_EQ(rows[i].FieldID, i + 1) << g;
    }
    EXPECT_EQ(PmAddrInfo::Catalogue(kPmGenNone, &count), nullptr);
    EXPECT_EQ(count, 0);

    // The installed generation (no Palm Desktop: 3).
    EXPECT_EQ(PmAddrInfo::GetFieldCount(), 54);
    EXPECT_EQ(PmAddrInfo::GetFieldID(0), 1);
    EXPECT_EQ(PmAddrInfo::GetFieldID(53), 54);
    EXPECT_EQ(PmAddrInfo::GetFieldID(54), 0);
    EXPECT_EQ(PmAddrInfo::GetFieldID(-1), 0);
    EXPECT_STREQ(PmAddrInfo::GetFieldLabel(3), "English Name");
    EXPECT_STREQ(PmAddrInfo::GetFieldLabel(54), "N/A");
    ASSERT_NE(PmAddrInfo::FindFieldInfo(43), nullptr);
    EXPECT_STREQ(PmAddrInfo::FindFieldInfo(43)->Label, "Birthday");
    EXPECT_EQ(PmAddrInfo::FindFieldInfo(0), nullptr);
    EXPECT_EQ(PmAddrInfo::FindFieldInfo(55), nullptr);
    EXPECT_STREQ(PmAddrInfo::GetPhoneLabelText(6), "Pager");
    EXPECT_STREQ(PmAddrInfo::GetPhoneLabelText(99), "Work Phone");
}

TEST_F(Catalogue, FieldTextOfEachGeneration) {
    // Generation 3 IDs (installed), read from entries of every generation.
    auto ex2 = NewEntry<PmAddrEntry>(kPmGenEx2);
    CopyText(ex2->Record.Ex2.Profession, "Pilot");
    CopyText(ex2->Record.Ex2.PhoneByLabel[7], "0170 1");
    CopyText(ex2->Record.Ex2.Chat[1], "yahoo-me");
    ex2->Record.Ex2.ChatLabelID[1] = kPmImYahoo;
    CopyText(ex2->Record.Ex2.Website, "http://example.org");
    int size = 0;
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex2, 10, &size), "Pilot");
    EXPECT_EQ(size, 128);
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex2, 20, &size), "0170 1");
    EXPECT_EQ(size, 32);
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex2, 38, &size), "yahoo-me");
    EXPECT_EQ(PmAddrInfo::GetFieldText(*ex2, 36, &size), nullptr);  // no AIM slot
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex2, 41, &size), "http://example.org");
    EXPECT_EQ(PmAddrInfo::GetFieldText(*ex2, 43, &size), nullptr);  // Birthday is no text
    EXPECT_EQ(size, 0);
    EXPECT_EQ(PmAddrInfo::GetFieldText(*ex2, 99, &size), nullptr);

    // A 4.1.4 entry: the same member under its own row.
    auto ex = NewEntry<PmAddrEntry>(kPmGenEx);
    CopyText(ex->Record.Ex.Phone[0], "555-1");
    ex->Record.Ex.PhoneLabel[0] = kPmPhoneHome;
    CopyText(ex->Record.Ex.HomeAddress.ZipCode, "12345");
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex, 14, &size), "555-1");  // "Home Phone"
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*ex, 29, &size), "12345");  // "Home Zip"
    EXPECT_EQ(size, 32);
    EXPECT_EQ(PmAddrInfo::GetFieldText(*ex, 10, &size), nullptr);  // no profession in 4.1.4
    // Asking for a label that no slot has gives a free slot that label.
    const char* mobile = PmAddrInfo::GetFieldText(*ex, 20, &size);
    ASSERT_NE(mobile, nullptr);
    EXPECT_STREQ(mobile, "");
    EXPECT_EQ(ex->Record.Ex.PhoneLabel[1], kPmPhoneMobile);
    const char* aim = PmAddrInfo::GetFieldText(*ex, 36, &size);
    ASSERT_NE(aim, nullptr);
    EXPECT_EQ(ex->Record.Ex.ImLabel[0], kPmImAIM);

    // An earlier-format entry has one address: the work address.
    auto early = NewEntry<PmAddrEntry>(kPmGenEarly);
    CopyText(early->Record.Early.City, "Oslo");
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*early, 22, &size), "Oslo");  // "Work City"
    EXPECT_EQ(PmAddrInfo::GetFieldText(*early, 27, &size), nullptr);    // "Home City"
    EXPECT_EQ(PmAddrInfo::GetFieldText(*early, 52, &size), nullptr);    // "Custom 9"
}
