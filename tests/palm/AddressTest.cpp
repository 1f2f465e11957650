// The address book readers of both generations: layouts, labels,
// categories, damaged files and their log lines.
#include <cstring>

#include "common/palm/PmAddrUtil.h"
#include "tests/palm/PalmTestSupport.h"

namespace {

using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

class AddressTest : public palmtest::PalmTest {
protected:
    static palmdat::DatFile File(Format format, int records) {
        palmdat::DatFile f = palmdat::NewFile(Kind::Address, format);
        f.categories = {{1, 10, 0, "Business", ""}, {2, 11, 1, "Personal", ""}};
        for (int i = 0; i < records; ++i) {
            palmdat::Record r = palmdat::NewRecord(Kind::Address, format);
            r[0] = Value::Long(i + 1);
            r[format == Format::V414 ? 13 : 4] = Value::Text("First" + std::to_string(i + 1));
            f.records.push_back(r);
        }
        return f;
    }
};

// Every position of a 4.1.4 record lands in its own member.
TEST_F(AddressTest, ExLayoutFillsEveryMember) {
    palmdat::DatFile f = File(Format::V414, 0);
    palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::V414);
    const auto types = palmdat::DefaultFieldTypes(Kind::Address, Format::V414);
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i] == 5)
            r[i] = Value::Text("t" + std::to_string(i));
        else if (types[i] == 1 || types[i] == 6)
            r[i] = Value::Long(1000 + static_cast<int>(i), types[i]);
    }
    r[5] = Value::Long(11);
    r[7] = Value::Block({1, 2, 3, 4, std::nullopt, "ext7"});
    r[10] = Value::Block({5, 6, 0, 0, std::nullopt, "ten!!!"});
    r[65] = Value::Double(12345.25);
    f.records.push_back(r);
    f.customLabels[8] = "L\xE4nge";  // "Länge"
    PmAddrExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 1u);
    const PmAddrExRec& a = *reader.GetRecords().GetFirst();
    EXPECT_EQ(a.RecordID, 1000);
    EXPECT_EQ(a.Status, 1002);
    EXPECT_EQ(a.Placement, 1004);
    EXPECT_EQ(a.CategoryID, 11);
    EXPECT_STREQ(a.CategoryName, "Personal");
    EXPECT_EQ(a.ExtBlock[0].Marker, 1);
    EXPECT_EQ(a.ExtBlock[0].Param2, 4);
    ASSERT_EQ(a.ExtBlock[0].Size, 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.ExtBlock[0].Data), 4), "ext7");
    EXPECT_EQ(a.ExtBlock[1].Size, 0);
    ASSERT_EQ(a.ExtBlock[3].Size, 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.ExtBlock[3].Data), 6), "ten!!!");
    EXPECT_STREQ(a.FirstName, "t13");
    EXPECT_STREQ(a.LastName, "t14");
    EXPECT_STREQ(a.Title, "t15");
    EXPECT_STREQ(a.Company, "t16");
    EXPECT_EQ(a.PrimaryContact, 1017);
    EXPECT_STREQ(a.Note, "t18");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(std::string(a.Phone[i]), "t" + std::to_string(19 + i));
        EXPECT_EQ(a.PhoneLabel[i], 1026 + i);
    }
    for (int i = 0; i < 9; ++i) EXPECT_EQ(std::string(a.Custom[i]), "t" + std::to_string(33 + i));
    EXPECT_STREQ(a.WorkAddress.Street, "t43");
    EXPECT_STREQ(a.WorkAddress.Country, "t47");
    EXPECT_STREQ(a.HomeAddress.Street, "t49");
    EXPECT_STREQ(a.HomeAddress.ZipCode, "t52");
    EXPECT_STREQ(a.OtherAddress.City, "t56");
    EXPECT_STREQ(a.OtherAddress.Country, "t59");
    EXPECT_STREQ(a.Im[0], "t60");
    EXPECT_STREQ(a.Im[1], "t61");
    EXPECT_EQ(a.ImLabel[0], 1062);
    EXPECT_EQ(a.ImLabel[1], 1063);
    EXPECT_STREQ(a.HomePage, "t64");
    EXPECT_EQ(a.Birthday, 12345.25);
    EXPECT_EQ(a.Unused68, 1068);
    EXPECT_STREQ(a.Unused69[3], "t72");
    EXPECT_STREQ(reader.GetCustomLabel(0), "Custom 1");
    EXPECT_STREQ(reader.GetCustomLabel(8), "L\xC3\xA4nge");
    EXPECT_STREQ(reader.GetCustomLabel(9), "");
    // The reader's name is the database file name of the header.
    EXPECT_STREQ(reader.GetName(), "address.dat");
    EXPECT_EQ(reader.GetCategoryMgr()->GetCount(), 3);
}

TEST_F(AddressTest, EarlierLayoutFillsEveryMember) {
    palmdat::DatFile f = File(Format::Earlier, 0);
    palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::Earlier);
    const auto types = palmdat::DefaultFieldTypes(Kind::Address, Format::Earlier);
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i] == 5)
            r[i] = Value::Text("t" + std::to_string(i));
        else
            r[i] = Value::Long(1000 + static_cast<int>(i), types[i]);
    }
    r[24] = Value::Long(10);
    f.records.push_back(r);
    const std::string path = Write(f);
    PmAddrUtil reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    const PmAddrRec& a = *reader.GetRecords().GetFirst();
    EXPECT_EQ(a.RecordID, 1000);
    EXPECT_EQ(a.Status, 1001);
    EXPECT_STREQ(a.LastName, "t3");
    EXPECT_STREQ(a.FirstName, "t4");
    EXPECT_STREQ(a.Company, "t6");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a.PhoneLabel[i], 1007 + 2 * i);
        EXPECT_EQ(std::string(a.Phone[i]), "t" + std::to_string(8 + 2 * i));
    }
    EXPECT_STREQ(a.Street, "t17");
    EXPECT_STREQ(a.Country, "t21");
    EXPECT_STREQ(a.Note, "t22");
    EXPECT_EQ(a.CategoryID, 10);
    EXPECT_STREQ(a.CategoryName, "Business");
    EXPECT_STREQ(a.Custom[3], "t28");
    EXPECT_EQ(a.PrimaryContact, 1029);
    // After a successful load the earlier reader is named after the path.
    EXPECT_EQ(std::string(reader.GetName()), path);
    EXPECT_EQ(reader.GetCustomLabel(0), "Custom 1");
    EXPECT_EQ(reader.GetCustomLabel(3), "Custom 4");
}

TEST_F(AddressTest, ExactLinesOfASuccessfulLoad) {
    palmdat::DatFile f = File(Format::V414, 2);
    f.categories.resize(1);
    const std::string path = Write(f);
    ClearLog();
    PmAddrExUtil reader;
    ASSERT_TRUE(reader.LoadFile(path.c_str()));
    std::vector<std::string> expected = {
        "Loading Palm Desktop Contacts: " + path,
        "Start checking Palm Desktop Contacts database magic code.",
        "Check magic code successfully.",
        "Start checking Palm Desktop Contacts database file version.",
        "Database version: 1094844928",
        "Reserved 1 Field: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
        "Check database version successfully.",
        "Start loading Palm Desktop Contacts database file description.",
        "Database file name:address.dat",
        "Reserved 2 Fields: 00 00 00 00 00 00 00 00 00 00 00",
        "Load database description information successfully.",
        "Load custom label information successfully.",
        "Start loading Palm Desktop Contacts category information.",
        "Read category:Business",
        "Load Palm Desktop Contacts categories successfully.",
        "Start loading Palm Desktop Contacts database schema.",
        "Resource ID:74",
        "Fields Per Row:73",
        "Record ID Position:0",
        "Record Status Position:2",
        "Placement Position:4",
        "Fields Count:73",
    };
    const auto types = palmdat::DefaultFieldTypes(Kind::Address, Format::V414);
    for (std::size_t i = 0; i < types.size(); ++i)
        expected.push_back("Field (" + std::to_string(i + 1) + ") - " + std::to_string(types[i]));
    for (const char* line :
         {"Palm Desktop Contacts database schema is loaded successfully.",
          "Start loading Palm Desktop Contacts records.", "Total Fields: 146", "Calculated Record Count: 2",
          "Palm Desktop Contacts records information is saved successfully.",
          "Palm Desktop Contacts information is loaded successfully."})
        expected.push_back(line);
    EXPECT_EQ(LogTexts(), expected);
    for (const auto& line : Log()) EXPECT_FALSE(line.critical) << line.text;
}

TEST_F(AddressTest, ExactLinesOfAFailedLoad) {
    palmdat::DatFile f = File(Format::V414, 1);
    f.version = 0x41420100;  // the earlier generation's version
    const std::string path = Write(f);
    ClearLog();
    PmAddrExUtil reader;
    EXPECT_FALSE(reader.LoadFile(path.c_str()));
    const std::vector<palmtest::LogLine> lines = Log();
    const std::vector<std::pair<bool, std::string>> expected = {
        {false, "Loading Palm Desktop Contacts: " + path},
        {false, "Start checking Palm Desktop Contacts database magic code."},
        {false, "Check magic code successfully."},
        {false, "Start checking Palm Desktop Contacts database file version."},
        {true, "Incorrect database version:1094844672"},
        {true, "Failed to check database version."},
        {true, "Can not load Palm Desktop Contacts: " + path},
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].critical, expected[i].first) << i;
        EXPECT_EQ(lines[i].text, expected[i].second) << i;
    }
}

TEST_F(AddressTest, MagicCodeChecks) {
    palmdat::DatFile f = File(Format::V414, 1);
    f.prefix = "12345";
    EXPECT_TRUE(PmAddrExUtil(Write(f).c_str()).IsLoaded());

    // Shorter than 24 bytes: no magic line.
    const std::string shortFile = dir.File("short.dat");
    fwtest::WriteFile(shortFile, palmdat::Build(f).substr(0, 23));
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(shortFile.c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to check magic code.", true));
    for (const auto& line : Log()) EXPECT_EQ(line.text.find("Incorrect database magic code"), std::string::npos);

    // An earlier-format file is no 4.1.4 file.
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(Write(File(Format::Earlier, 1), "early.dat").c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to check magic code.", true));

    f.magic = "PalmSG Database00XX";
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Incorrect database magic code: PalmSG Database00XX", true));

    // And a 4.1.4 file is no earlier-format file.
    EXPECT_FALSE(PmAddrUtil(Write(File(Format::V414, 1), "ex.dat").c_str()).IsLoaded());
}

TEST_F(AddressTest, CategoryTableEdges) {
    // Only the low 16 bits of the count count.
    palmdat::DatFile f = File(Format::V414, 1);
    f.categories.resize(1);
    f.categoryCount = 0x00070001;
    PmAddrExUtil one(Write(f).c_str());
    ASSERT_TRUE(one.IsLoaded());
    EXPECT_EQ(one.GetCategoryMgr()->GetCount(), 2);

    // ID 0 is "Unfiled"'s.
    f = File(Format::V414, 1);
    f.categories.push_back({3, 0, 0, "Zero", ""});
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to load category information.", true));

    // Sixteen in the table make seventeen with "Unfiled".
    f = File(Format::V414, 1);
    f.categories.clear();
    for (int i = 1; i <= 16; ++i) f.categories.push_back({i, i, 0, "C" + std::to_string(i), ""});
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());
    f.categories.pop_back();
    f.categories.back().index = 15;
    EXPECT_TRUE(PmAddrExUtil(Write(f).c_str()).IsLoaded());

    // An index past the sixteen slots.
    f = File(Format::V414, 1);
    f.categories.push_back({16, 20, 0, "Past", ""});
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());

    // File names come from the names; long names are cut.
    f = File(Format::V414, 1);
    f.categories = {{1, 1, 0, "Sales/EU: v2.0 x", "ignored.cat"}, {2, 2, 0, "Twenty-char category", ""}};
    PmAddrExUtil named(Write(f).c_str());
    ASSERT_TRUE(named.IsLoaded());
    EXPECT_STREQ(named.GetCategoryMgr()->FindByID(1)->GetName(), "Sales/EU: v2.0 ");
    EXPECT_STREQ(named.GetCategoryMgr()->FindByID(1)->GetFileName(), "Sales_EU_ v2_0 ");
    EXPECT_STREQ(named.GetCategoryMgr()->FindByID(2)->GetName(), "Twenty-char cat");
    EXPECT_FALSE(named.GetCategoryMgr()->IsModified());
    EXPECT_TRUE(named.GetCategoryMgr()->FindByID(0) != nullptr);
    EXPECT_EQ(named.GetCategoryMgr()->GetNextFreeID(), 128);

    // A category name longer than 256 bytes fails the table.
    f.categories[0].name = std::string(257, 'n');
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to read category name.", true));
}

TEST_F(AddressTest, MissingCategoryLeavesNameEmpty) {
    palmdat::DatFile f = File(Format::V414, 1);
    f.records[0][5] = Value::Long(99);
    PmAddrExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetFirst()->CategoryID, 99);
    EXPECT_STREQ(reader.GetRecords().GetFirst()->CategoryName, "");
}

TEST_F(AddressTest, RecordCountOfNoWholeNumberOfRecordsFails) {
    for (Format format : {Format::V414, Format::Earlier}) {
        palmdat::DatFile f = File(format, 4);
        f.fieldsPerRow = 30;
        f.totalFields = 100;
        const std::string path = Write(f);
        if (format == Format::V414) {
            PmAddrExUtil reader(path.c_str());
            EXPECT_FALSE(reader.IsLoaded());
            EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
        } else {
            PmAddrUtil reader(path.c_str());
            EXPECT_FALSE(reader.IsLoaded());
            EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
        }
    }
}

TEST_F(AddressTest, ZeroFieldsPerRowFailsTheRecords) {
    palmdat::DatFile f = File(Format::V414, 1);
    f.fieldsPerRow = 0;
    ClearLog();
    EXPECT_FALSE(PmAddrExUtil(Write(f).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to load Contacts records.", true));
    // A field count of 0 would make records out of nothing.
    palmdat::DatFile none = File(Format::V414, 0);
    none.fieldTypes.clear();
    none.totalFields = none.fieldsPerRow * 1000;
    ClearLog();
    PmAddrExUtil empty(Write(none).c_str());
    EXPECT_FALSE(empty.IsLoaded());
    EXPECT_EQ(empty.GetRecords().GetCount(), 0u);
    EXPECT_TRUE(Logged("Fields count is 0: no record can be read.", true));
    none.totalFields = 0;
    EXPECT_TRUE(PmAddrExUtil(Write(none).c_str()).IsLoaded());

    palmdat::DatFile e = File(Format::Earlier, 1);
    e.fieldsPerRow = 0;
    ClearLog();
    EXPECT_FALSE(PmAddrUtil(Write(e).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to load Palm Desktop address book records.", true));
}

TEST_F(AddressTest, LongTextsAreCutToTheirMembers) {
    palmdat::DatFile f = File(Format::Earlier, 1);
    std::string long9000;
    for (int i = 0; i < 9000; ++i) long9000 += static_cast<char>('A' + i % 26);
    f.records[0][22] = Value::Text(long9000);
    f.records[0][6] = Value::Text(std::string(300, 'c'), true);
    f.records[0][29] = Value::Long(7);
    PmAddrUtil early(Write(f).c_str());
    ASSERT_TRUE(early.IsLoaded());
    const PmAddrRec& a = *early.GetRecords().GetFirst();
    EXPECT_EQ(std::string(a.Note), long9000.substr(0, 8191));
    EXPECT_EQ(std::string(a.Company), std::string(255, 'c'));  // 300 read, 255 kept
    EXPECT_EQ(a.PrimaryContact, 7);                            // still in step

    palmdat::DatFile x = File(Format::V414, 1);
    x.records[0][18] = Value::Text(long9000);
    x.records[0][17] = Value::Long(3);
    x.records[0][19] = Value::Text("555");
    PmAddrExUtil ex(Write(x).c_str());
    ASSERT_TRUE(ex.IsLoaded());
    EXPECT_EQ(std::string(ex.GetRecords().GetFirst()->Note), long9000.substr(0, 8191));  // a common note's worth
    EXPECT_STREQ(ex.GetRecords().GetFirst()->Phone[0], "555");
}

TEST_F(AddressTest, EarlierLabelText) {
    palmdat::DatFile f = File(Format::Earlier, 2);
    f.labelBlock = "One\nTwo\nThree\nFour\nFive\nSix\n";
    ClearLog();
    PmAddrUtil six(Write(f).c_str());
    ASSERT_TRUE(six.IsLoaded());  // reading went on right after the block
    EXPECT_STREQ(six.GetLabelText(), "One\nTwo\nThree\nFour\n");
    EXPECT_EQ(six.GetCustomLabel(3), "Four");
    EXPECT_EQ(six.GetCustomLabel(4), "");
    EXPECT_EQ(six.GetRecords().GetCount(), 2u);
    EXPECT_TRUE(Logged("For Palm Desktop ealier than v4.1.2, the max custom label is 4. Break now.", false));

    f.labelBlock = "Birthday\nSpouse\n";
    PmAddrUtil two(Write(f).c_str());
    ASSERT_TRUE(two.IsLoaded());
    EXPECT_EQ(two.GetCustomLabel(0), "Birthday");
    EXPECT_EQ(two.GetCustomLabel(1), "Spouse");
    EXPECT_EQ(two.GetCustomLabel(2), "");

    // A label text longer than its area before the fourth line feed.
    f.labelBlock = std::string(600, 'L') + "\nB\n";
    PmAddrUtil wide(Write(f).c_str());
    ASSERT_TRUE(wide.IsLoaded());
    EXPECT_EQ(std::string(wide.GetLabelText()), std::string(511, 'L'));

    // A block cut short by the end of the file.
    const std::string cut = dir.File("cut.dat");
    f.labelBlock = "Birthday\nSpouse\n";
    const std::string bytes = palmdat::Build(f);
    fwtest::WriteFile(cut, bytes.substr(0, bytes.find("Spouse")));
    ClearLog();
    EXPECT_FALSE(PmAddrUtil(cut.c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Custom label content reading error.", true));
    EXPECT_TRUE(Logged("Failed to load custom labels information.", true));
}

TEST_F(AddressTest, CutInTheTenthRecord) {
    for (Format format : {Format::Earlier, Format::V414}) {
        palmdat::DatFile f = File(format, 12);
        const std::string bytes = palmdat::Build(f);
        // The first nine records end where the tenth begins.
        palmdat::DatFile nine = f;
        nine.records.resize(9);
        nine.totalFields = 12 * f.fieldsPerRow;
        const std::size_t at = palmdat::Build(nine).size();
        ASSERT_EQ(bytes.substr(0, at), palmdat::Build(nine));
        const std::string path = dir.File(format == Format::V414 ? "ex-cut.dat" : "early-cut.dat");
        fwtest::WriteFile(path, bytes.substr(0, at + 40));
        ClearLog();
        // A load that cannot read every record fails and keeps none.
        if (format == Format::Earlier) {
            PmAddrUtil reader(path.c_str());
            EXPECT_FALSE(reader.IsLoaded());
            EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
            EXPECT_TRUE(
                Logged("Record 10 of 12 cannot be read, file position: " + std::to_string(at + 40) + ".", true));
            EXPECT_TRUE(Logged("Can not load Palm Desktop Contacts: " + path, true));
        } else {
            PmAddrExUtil reader(path.c_str());
            EXPECT_FALSE(reader.IsLoaded());
            EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
            EXPECT_EQ(
                Count("Error reading Palm Desktop Contacts, current file position: " + std::to_string(at + 40), true),
                1);  // the address book stops at the first bad record
            EXPECT_TRUE(Logged("Palm Desktop Contacts records are not saved successfully.", true));
            EXPECT_TRUE(Logged("Can not load Palm Desktop Contacts: " + path, true));
        }
    }
}

TEST_F(AddressTest, SchemaWith74FieldsPutsTheStreamOutOfStep) {
    palmdat::DatFile f = File(Format::V414, 3);
    f.fieldTypes.push_back(1);
    f.fieldsPerRow = 74;
    for (auto& r : f.records) r.push_back(Value::Long(999));
    ClearLog();
    PmAddrExUtil reader(Write(f).c_str());
    // The second record would begin at the first's extra value: the load
    // fails and keeps no record.
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
    EXPECT_EQ(reader.GetSchema().FieldCount, 74);
    EXPECT_EQ(reader.GetSchema().FieldTypes.size(), 73u);
    EXPECT_TRUE(Logged("Field (74) - 1", false));
}

TEST_F(AddressTest, EarlierSchemaWith31FieldsPerRow) {
    palmdat::DatFile f = File(Format::Earlier, 3);
    f.fieldsPerRow = 31;
    ClearLog();
    PmAddrUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 3u);
    EXPECT_EQ(Count("Unknown field ID read (ID=30), ignore it.", true), 3);
    EXPECT_STREQ(reader.GetRecords().GetAt(2)->FirstName, "First3");
}

TEST_F(AddressTest, EarlierLoadLines) {
    const std::string path = Write(File(Format::Earlier, 2));
    ClearLog();
    PmAddrUtil reader;
    ASSERT_TRUE(reader.LoadFile(path.c_str()));
    const std::vector<std::string> expected = {
        "Loading Palm Desktop Address Book:" + path,
        "Read Palm Desktop address book database file name: address.dat",
        "Start loading Palm Desktop address book custom label information.",
        "For Palm Desktop ealier than v4.1.2, the max custom label is 4. Break now.",
        "Start reading Palm Desktop address book category information.",
        "Palm Desktop address book category information was loaded successfully.",
        "Start loading Palm Desktop address book database schema information.",
        "Palm Desktop address book database schema information is loaded successfully.",
        "Start loading Palm Desktop address book records.",
        "Based on calculation, there are 2 records in total.",
        "Palm Desktop address book database is loaded successfully. 2 record(s) are loaded in total.",
        "Palm Desktop address book was loaded successfully.",
    };
    EXPECT_EQ(LogTexts(), expected);

    ClearLog();
    EXPECT_FALSE(reader.LoadFile(dir.File("none.dat").c_str()));
    EXPECT_TRUE(Logged("Failed to open Palm Desktop address book file: " + dir.File("none.dat"), true));
    EXPECT_TRUE(Logged("Can not load Palm Desktop Contacts: " + dir.File("none.dat"), true));

    palmdat::DatFile bad = File(Format::Earlier, 1);
    bad.version = 0x41420200;
    ClearLog();
    EXPECT_FALSE(reader.LoadFile(Write(bad).c_str()));
    EXPECT_TRUE(Logged("Failed to check Palm Desktop address book file version.", true));
}

TEST_F(AddressTest, ReloadReplacesRecordsAndCategories) {
    PmAddrExUtil reader;
    ASSERT_TRUE(reader.LoadFile(Write(File(Format::V414, 5)).c_str()));
    palmdat::DatFile f = File(Format::V414, 2);
    f.categories.resize(1);
    ASSERT_TRUE(reader.LoadFile(Write(f).c_str()));
    EXPECT_EQ(reader.GetRecords().GetCount(), 2u);
    EXPECT_EQ(reader.GetCategoryMgr()->GetCount(), 2);
    EXPECT_FALSE(reader.IsFileOpen());
    // A failed load leaves nothing of the file before.
    EXPECT_FALSE(reader.LoadFile(dir.File("missing.dat").c_str()));
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
    EXPECT_EQ(reader.GetCategoryMgr(), nullptr);
    PmAddrUtil early;
    ASSERT_TRUE(early.LoadFile(Write(File(Format::Earlier, 3), "early.dat").c_str()));
    EXPECT_FALSE(early.LoadFile(dir.File("missing.dat").c_str()));
    EXPECT_EQ(early.GetRecords().GetCount(), 0u);
}

TEST(PhoneLookup, FindsAndCreatesSlotsByLabel) {
    PmAddrExRec rec{};
    std::strcpy(rec.Phone[0], "111");
    rec.PhoneLabel[0] = kPmPhoneWork;
    std::strcpy(rec.Phone[1], "222");
    rec.PhoneLabel[1] = kPmPhoneWork;
    std::strcpy(rec.Phone[2], "333");
    rec.PhoneLabel[2] = kPmPhonePager;
    EXPECT_STREQ(PmFindPhoneByLabel(rec, kPmPhoneWork, false), "111");  // the first of two
    EXPECT_EQ(PmFindPhoneByLabel(rec, kPmPhoneMobile, false), nullptr);
    char* mobile = PmFindPhoneByLabel(rec, kPmPhoneMobile, true);
    ASSERT_EQ(mobile, rec.Phone[3]);
    EXPECT_EQ(rec.PhoneLabel[3], kPmPhoneMobile);
    for (int i = 3; i < 7; ++i) std::strcpy(rec.Phone[i], "x");
    EXPECT_EQ(PmFindPhoneByLabel(rec, kPmPhoneFax, true), nullptr);

    // Instant messaging: a slot is free while its label code is 0.
    std::strcpy(rec.Im[0], "left over");
    EXPECT_EQ(PmFindImByLabel(rec, kPmImMSN, true), rec.Im[0]);
    EXPECT_EQ(rec.ImLabel[0], kPmImMSN);
    EXPECT_EQ(PmFindImByLabel(rec, kPmImAIM, true), rec.Im[1]);
    EXPECT_EQ(PmFindImByLabel(rec, kPmImIM, true), nullptr);

    PmAddrRec early{};
    early.PhoneLabel[0] = kPmPhoneHome;
    std::strcpy(early.Phone[0], "h");
    EXPECT_STREQ(PmFindPhoneByLabel(early, kPmPhoneHome, false), "h");
    EXPECT_EQ(PmFindPhoneByLabel(early, kPmPhoneEmail, true), early.Phone[1]);

    EXPECT_STREQ(PmPhoneLabelText(7), "Mobile Phone");
    EXPECT_STREQ(PmPhoneLabelText(2), "Fax");
    EXPECT_STREQ(PmPhoneLabelText(42), "Work Phone");
    EXPECT_STREQ(PmPhoneLabelText(-1), "Work Phone");
}

}  // namespace
