// The datebook readers of both generations.
#include "common/palm/PmDateUtil.h"
#include "tests/palm/PalmTestSupport.h"

namespace {

using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

palmdat::Repeat MonthlyByDate(palmdat::Repeat::Marker marker) {
    palmdat::Repeat r;
    r.marker = marker;
    r.kind = 4;
    r.interval = 1;
    r.endDate = 1924991999;
    r.dayNumber = 15;
    r.exceptions = {1700000000};
    return r;
}

class DatebookTest : public palmtest::PalmTest {
protected:
    static palmdat::DatFile File(Format format, int records) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Datebook, format);
        f.categories = {{1, 4, 0, "Meetings", ""}};
        const bool ex = format == Format::V414;
        for (int i = 0; i < records; ++i) {
            palmdat::Record r = palmdat::NewRecord(Kind::Datebook, format);
            r[0] = Value::Long(i + 1);
            r[ex ? 13 : 3] = Value::Long(1767600000 + i * 86400, 3);
            r[ex ? 14 : 4] = Value::Long(1767603600 + i * 86400, ex ? 3 : 1);
            r[ex ? 15 : 5] = Value::Text("Event " + std::to_string(i + 1));
            f.records.push_back(r);
        }
        return f;
    }
};

TEST_F(DatebookTest, ExLayout) {
    palmdat::DatFile f = File(Format::V414, 1);
    palmdat::Record& r = f.records[0];
    r[2] = Value::Long(0x01);
    r[5] = Value::Long(4);
    r[17] = Value::Text("Bring the r\xE9sum\xE9");
    r[18] = Value::Long(1, 6);
    r[19] = Value::Long(1, 6);
    r[20] = Value::Long(15);
    r[21] = Value::Long(1);
    r[22] = Value::RepeatEvent(MonthlyByDate(palmdat::Repeat::Marker::Named));
    r[23] = Value::Text("Room 4");
    r[26] = Value::Text("last");
    PmDateExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    const PmDateExRec& e = *reader.GetRecords().GetFirst();
    EXPECT_EQ(e.RecordID, 1);
    EXPECT_EQ(e.Status, 1);
    EXPECT_STREQ(e.CategoryName, "Meetings");
    EXPECT_EQ(e.StartDate, 1767600000);
    EXPECT_EQ(e.EndDate, 1767603600);
    EXPECT_STREQ(e.Description, "Event 1");
    EXPECT_STREQ(e.Note, "Bring the r\xC3\xA9sum\xC3\xA9");
    EXPECT_EQ(e.Untimed, 1);
    EXPECT_EQ(e.AlarmSet, 1);
    EXPECT_EQ(e.AlarmAdvance, 15);
    EXPECT_EQ(e.AlarmAdvanceUnit, 1);
    EXPECT_EQ(e.Repeat.RepeatKind, 4);
    EXPECT_EQ(e.Repeat.DayNumber, 15);
    EXPECT_EQ(e.Repeat.EndDate, 1924991999);
    EXPECT_STREQ(e.Location, "Room 4");
    EXPECT_STREQ(e.Unused26, "last");
    EXPECT_STREQ(reader.GetName(), "datebook.dat");
}

TEST_F(DatebookTest, EarlierLayoutAndRepeatKind4) {
    palmdat::DatFile f = File(Format::Earlier, 2);
    palmdat::Record& r = f.records[0];
    r[7] = Value::Text("note");
    r[8] = Value::Long(1, 6);
    r[10] = Value::Long(4);
    r[11] = Value::Long(1, 6);
    r[12] = Value::Long(2);
    r[13] = Value::Long(2);
    r[14] = Value::RepeatEvent(MonthlyByDate(palmdat::Repeat::Marker::Bare));
    f.kindBlock = "datebook block";
    ClearLog();
    PmDateUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    const PmDateRec& e = *reader.GetRecords().GetFirst();
    EXPECT_EQ(e.StartDate, 1767600000);
    EXPECT_EQ(e.EndDate, 1767603600);
    EXPECT_STREQ(e.Description, "Event 1");
    EXPECT_STREQ(e.Note, "note");
    EXPECT_EQ(e.Untimed, 1);
    EXPECT_EQ(e.CategoryID, 4);
    EXPECT_EQ(e.AlarmSet, 1);
    EXPECT_EQ(e.AlarmAdvance, 2);
    EXPECT_EQ(e.AlarmAdvanceUnit, 2);
    EXPECT_EQ(e.Repeat.RepeatKind, 4);
    EXPECT_EQ(e.Repeat.DayNumber, 15);
    EXPECT_STREQ(reader.GetRecords().GetAt(1)->Description, "Event 2");
    EXPECT_EQ(reader.GetKindBlock(), "datebook block");
    EXPECT_STREQ(reader.GetName(), "datebook.dat");
    // The earlier datebook reader writes only its load line.
    const std::vector<std::string> lines = {"Loading Palm Desktop datebook: " + dir.File("datebook.dat")};
    EXPECT_EQ(LogTexts(), lines);
}

TEST_F(DatebookTest, EarlierEventsWithoutStartOrEndAreLeftOut) {
    palmdat::DatFile f = File(Format::Earlier, 4);
    f.records[1][4] = Value::Long(-1);
    f.records[2][3] = Value::Long(-1, 3);
    PmDateUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    EXPECT_EQ(reader.GetRecords().GetAt(0)->RecordID, 1);
    EXPECT_EQ(reader.GetRecords().GetAt(1)->RecordID, 4);
}

TEST_F(DatebookTest, ExUnreadableRecordMarksTheRest) {
    palmdat::DatFile f = File(Format::V414, 5);
    f.records[1][15] = Value::Long(3);  // a number where the description's text belongs
    const std::string path = Write(f);
    ClearLog();
    PmDateExUtil reader(path.c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);  // a failed load keeps no record
    int errors = 0;
    for (const auto& line : Log())
        if (line.text.rfind("Error reading Palm Desktop Calendar, current file position: ", 0) == 0) {
            EXPECT_TRUE(line.critical);
            ++errors;
        }
    EXPECT_EQ(errors, 4);  // the bad record and the three after it
    EXPECT_TRUE(Logged("Palm Desktop Calendar records are not saved successfully.", true));
    EXPECT_TRUE(Logged("Failed to load Calendar records.", true));
    EXPECT_TRUE(Logged("Load Palm Desktop Calendar failed: " + path, true));
    // The datebook reader does not show reserved area 1.
    for (const auto& line : Log()) EXPECT_EQ(line.text.find("Reserved 1 Field"), std::string::npos);
}

TEST_F(DatebookTest, HugeDamagedRecordCountWritesBoundedLines) {
    palmdat::DatFile f = File(Format::V414, 1);
    f.totalFields = 0x7FFFFFFF / f.fieldsPerRow * f.fieldsPerRow;  // 79 million records, one in the file
    ClearLog();
    PmDateExUtil reader(Write(f).c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
    int errors = 0;
    for (const auto& line : Log())
        if (line.text.rfind("Error reading Palm Desktop Calendar", 0) == 0) ++errors;
    EXPECT_EQ(errors, PmDBExUtil::kRepeatedLineLimit);
}

TEST_F(DatebookTest, RepeatKindsInExFiles) {
    palmdat::DatFile f = File(Format::V414, 7);
    for (int kind = 0; kind < 7; ++kind) {
        palmdat::Repeat r;
        r.marker = kind == 0 ? palmdat::Repeat::Marker::None
                             : (kind % 2 ? palmdat::Repeat::Marker::Named : palmdat::Repeat::Marker::Bare);
        r.kind = kind;
        r.interval = 2;
        r.dayIndex = 5;
        r.dayMask = 0x3E;
        r.weekIndex = 4;
        r.dayNumber = 31;
        r.monthIndex = 11;
        f.records[static_cast<std::size_t>(kind)][22] = Value::RepeatEvent(r);
    }
    PmDateExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    for (int kind = 0; kind < 7; ++kind) {
        const PmRepeatInfo& r = reader.GetRecords().GetAt(static_cast<std::size_t>(kind))->Repeat;
        EXPECT_EQ(r.RepeatKind, kind);
        EXPECT_EQ(r.Interval, kind == 0 ? 0 : 2);
        EXPECT_EQ(r.DayMask, kind == 2 ? 0x3E : 0);
        EXPECT_EQ(r.WeekIndex, kind == 3 ? 4 : 0);
        EXPECT_EQ(r.MonthIndex, kind == 5 ? 11 : 0);
    }
}

}  // namespace
