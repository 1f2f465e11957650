// The column texts of the review lists that no Palm file reaches: made
// names of every shape, long and multi-byte texts, and the rules for the
// helper applications' own records.
#include <gtest/gtest.h>

#include <string>

#include "app/wizard/RecordColumns.h"
#include "common/records/CommAddrName.h"
#include "common/records/CommKinds.h"
#include "tests/support/CommRecords.h"
#include "tests/support/TimeZone.h"

namespace {

TEST(RecordColumns, AContactGoesByItsDisplayNameElseItsNameParts) {
    struct Case {
        const char *display, *prefix, *first, *middle, *last, *suffix, *expected;
    };
    const Case cases[] = {
        {"Boss", "Dr", "Anna", "", "Berg", "", "Boss"},
        {"", "Dr", "Anna", "Maria", "Berg", "Jr", "Dr Anna Maria Berg Jr"},
        {"", "", "", "", "Berg", "", "Berg"},
        {"", "", "Anna", "", "", "", "Anna"},
        {"", "", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        CommAddrRec r = fwtest::Nameless(c.display, "Acme");
        platform::CopyText(r.Prefix, c.prefix);
        platform::CopyText(r.FirstName, c.first);
        platform::CopyText(r.MiddleName, c.middle);
        platform::CopyText(r.LastName, c.last);
        platform::CopyText(r.Suffix, c.suffix);
        EXPECT_EQ(CommContactName(r), c.expected);
        EXPECT_EQ(CommonColumnTexts(&r).front(), c.expected);
    }
}

TEST(RecordColumns, ALongTextShowsItsBeginningOnOneLineInWholeCharacters) {
    EXPECT_EQ(ListText("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(ListText(""), "");
    // 254 bytes and a two-byte character: the character does not fit.
    const std::string cut = std::string(254, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(ListText(cut), std::string(254, 'a'));
    const std::string fits = std::string(253, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(ListText(fits), std::string(253, 'a') + "\xC3\xA9");
    // A line break counts as the one blank it becomes.
    EXPECT_EQ(ListText(std::string(100, '\n') + "x").size(), 101u);
}

TEST(RecordColumns, DatesAndPrioritiesInTheirTextForms) {
    fwtest::ScopedTimeZone zone{fwtest::kNewYorkZone};
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {DayText(0), ""},
        {DayText(1767600000), "01/05/2026"},              // 03:00 in New York
        {DayText(1924905600 + 12 * 3600), "12/31/2030"},  // the last day shown
        {DayText(1924992000 + 86400), ""},                // 2031 is past the years shown
        {PriorityText(CommPriorityHigh), "High"},
        {PriorityText(CommPriorityLow), "Low"},
        {PriorityText(CommPriorityNormal), "Normal"},
        {PriorityText(7), "Normal"},
        {NativeDateText(0.0), "N/A"},
        {NativeDateText(0.0009), "N/A"},
        {NativeTimeText(-1.5), "N/A"},
        {NativeDateText(46027.75), "01/05/2026"},
        {NativeTimeText(46027.75), "18:00:00"},
        {NativePriorityText(0), "High"},
        {NativePriorityText(1), "Normal"},
        {NativePriorityText(2), "Low"},
        {NativePriorityText(-1), "Normal"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(RecordColumns, EveryKindHasOneTextPerColumn) {
    CommAddrRec addr = fwtest::Person("Anna", "Berg", "anna@example.com");
    CommDateRec date =
        fwtest::Event("Standup", SYSTEMTIME{2026, 1, 1, 5, 8, 30, 5, 0}, SYSTEMTIME{2026, 1, 1, 5, 9, 0, 0, 0});
    CommTaskRec task = fwtest::Todo("Pay", CommPriorityHigh);
    CommNoteRec note = fwtest::Memo("Idea", "Idea\nmore");
    const CommRecordRef records[] = {&addr, &date, &task, &note};
    for (int kind = 0; kind < CommKindCount; ++kind)
        EXPECT_EQ(CommonColumnTexts(records[kind]).size(), RecordColumnsOf(kind).size()) << kind;
    EXPECT_EQ(CommonColumnTexts(&date), (std::vector<std::string>{"Standup", "08:30:05", "09:00:00", "No", ""}));
    EXPECT_EQ(CommonColumnTexts(&note), std::vector<std::string>{"Idea more"});
    EXPECT_TRUE(RecordColumnsOf(CommKindCount).empty());
    EXPECT_TRUE(CommonColumnTexts(static_cast<CommTaskRec*>(nullptr)).empty());
}

}  // namespace
