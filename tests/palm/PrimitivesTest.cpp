// The value encodings of the container, read through PmDBUtil.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "common/palm/PmDBUtil.h"
#include "tests/palm/PalmTestSupport.h"

namespace {

using palmdat::Value;

class PrimitivesTest : public palmtest::PalmTest {
protected:
    // A reader opened on the given bytes.
    PmDBUtil& Open(const std::string& bytes) {
        const std::string path = dir.File("values.bin");
        fwtest::WriteFile(path, bytes);
        reader = std::make_unique<PmDBUtil>();
        EXPECT_TRUE(reader->OpenFile(path.c_str(), PmDBUtil::kReadOnly));
        return *reader;
    }
    std::string Long(std::int32_t v) { return palmdat::EncodeValue(Value::Long(v)).substr(4); }

    std::unique_ptr<PmDBUtil> reader;
};

TEST_F(PrimitivesTest, NumbersAreLittleEndianAndShortReadsFail) {
    PmDBUtil& r = Open(std::string("\x01\x02\x03\x04\x05\x06\x07", 7));
    std::uint16_t word = 0;
    std::int32_t value = 0;
    ASSERT_TRUE(r.ReadWord(word));
    EXPECT_EQ(word, 0x0201);
    ASSERT_TRUE(r.ReadLong(value));
    EXPECT_EQ(value, 0x06050403);
    EXPECT_FALSE(r.ReadLong(value));  // one byte left
    EXPECT_EQ(r.GetFilePosition(), 7);
    std::uint8_t byte = 0;
    EXPECT_FALSE(r.ReadByte(byte));
    r.CloseFile();
    EXPECT_EQ(r.GetFilePosition(), 0);

    char buffer[8];
    std::size_t delivered = 99;
    PmDBUtil& again = Open("abc");
    EXPECT_FALSE(again.ReadBytes(buffer, 8, &delivered));
    EXPECT_EQ(delivered, 3u);
    EXPECT_EQ(std::string(buffer, 3), "abc");
}

TEST_F(PrimitivesTest, DoublesAndSignedLongs) {
    std::string bytes = palmdat::EncodeValue(Value::Double(-1234.5, 99)) + Long(-1);
    PmDBUtil& r = Open(bytes);
    double d = 0;
    std::int32_t v = 0;
    ASSERT_TRUE(r.ReadTaggedDouble(d));  // the tag is not tested
    EXPECT_EQ(d, -1234.5);
    ASSERT_TRUE(r.ReadLong(v));
    EXPECT_EQ(v, -1);
}

TEST_F(PrimitivesTest, CStringForms) {
    const std::string text300(300, 'q');
    const std::string bytes = palmdat::CString("") + palmdat::CString("short") + palmdat::CString("ab", true) +
                              palmdat::CString(text300) + palmdat::CString(std::string(257, 'z')) +
                              palmdat::CString("next");
    PmDBUtil& r = Open(bytes);
    char buffer[512];
    std::int32_t capacity = 256;
    ASSERT_TRUE(r.ReadCString(buffer, capacity));
    EXPECT_STREQ(buffer, "");
    ASSERT_TRUE(r.ReadCString(buffer, capacity));
    EXPECT_STREQ(buffer, "short");
    ASSERT_TRUE(r.ReadCString(buffer, capacity));  // 255, then a word of 2
    EXPECT_STREQ(buffer, "ab");
    capacity = 300;
    ASSERT_TRUE(r.ReadCString(buffer, capacity));  // exactly the capacity
    EXPECT_EQ(std::string(buffer), text300);

    // Too long: the capacity tells the length, and only the prefix was used.
    capacity = 256;
    const long before = r.GetFilePosition();
    EXPECT_FALSE(r.ReadCString(buffer, capacity));
    EXPECT_EQ(capacity, 257);
    EXPECT_EQ(r.GetFilePosition(), before + 3);
}

TEST_F(PrimitivesTest, TaggedLongAcceptsIntegerDateAndBooleanTags) {
    std::string bytes;
    for (std::int32_t tag : {1, 3, 6, 5, 0}) bytes += palmdat::EncodeValue(Value::Long(tag * 10, tag));
    PmDBUtil& r = Open(bytes);
    std::int32_t v = 0;
    for (std::int32_t tag : {1, 3, 6}) {
        ASSERT_TRUE(r.ReadTaggedLong(v)) << tag;
        EXPECT_EQ(v, tag * 10);
    }
    EXPECT_FALSE(r.ReadTaggedLong(v));
}

TEST_F(PrimitivesTest, LongTextsKeep8191CharactersAndStayInStep) {
    std::string long9000;
    for (int i = 0; i < 9000; ++i) long9000 += static_cast<char>('a' + i % 26);
    const std::string bytes = palmdat::EncodeValue(Value::Text(long9000)) +
                              palmdat::EncodeValue(Value::Text(std::string(300, 'w'))) +
                              palmdat::EncodeValue(Value::Text("")) + palmdat::EncodeValue(Value::Long(42));
    PmDBUtil& r = Open(bytes);
    std::vector<char> buffer(PmDBUtil::kTextBufferSize);
    ASSERT_TRUE(r.ReadTaggedText(buffer.data(), buffer.size()));
    EXPECT_EQ(std::string(buffer.data()), long9000.substr(0, 8191));
    ASSERT_TRUE(r.ReadTaggedText(buffer.data(), buffer.size()));
    EXPECT_EQ(std::string(buffer.data()), std::string(300, 'w'));
    ASSERT_TRUE(r.ReadTaggedText(buffer.data(), buffer.size()));
    EXPECT_STREQ(buffer.data(), "");
    std::int32_t v = 0;
    ASSERT_TRUE(r.ReadTaggedLong(v));
    EXPECT_EQ(v, 42);
}

TEST_F(PrimitivesTest, TextsAreDecodedAndCutWithoutSplittingCharacters) {
    // "Café €" in windows-1252, then a text that is wider in UTF-8 than the member.
    const std::string bytes = palmdat::EncodeValue(Value::Text("Caf\xE9 \x80")) +
                              palmdat::EncodeValue(Value::Text("\xE9\xE9\xE9")) +
                              palmdat::EncodeValue(Value::Text("x", false)) + Long(5);
    PmDBUtil& r = Open(bytes);
    char text[32];
    ASSERT_TRUE(r.ReadTaggedText(text, sizeof text));
    EXPECT_STREQ(text, "Caf\xC3\xA9 \xE2\x82\xAC");
    char small[6];  // room for two "é" of two bytes each, not three
    ASSERT_TRUE(r.ReadTaggedText(small, sizeof small));
    EXPECT_STREQ(small, "\xC3\xA9\xC3\xA9");
    // A text value needs tag 5.
    std::string wrongTag = palmdat::EncodeValue(Value::Text("x"));
    wrongTag[0] = 1;
    PmDBUtil& w = Open(wrongTag);
    EXPECT_FALSE(w.ReadTaggedText(text, sizeof text));
}

TEST_F(PrimitivesTest, OtherCodePagesAndUnknownNames) {
    ASSERT_TRUE(PmDBUtil::SetCodePage("CP1251"));
    PmDBUtil& r = Open(palmdat::EncodeValue(Value::Text("\xC0\xE1")));  // Cyrillic "Аб"
    char text[16];
    ASSERT_TRUE(r.ReadTaggedText(text, sizeof text));
    EXPECT_STREQ(text, "\xD0\x90\xD0\xB1");

    ClearLog();
    EXPECT_FALSE(PmDBUtil::SetCodePage("no-such-code-page"));
    EXPECT_EQ(PmTextDecoder::GetCodePage(), "windows-1252");
    EXPECT_TRUE(
        Logged("Unknown code page for Palm Desktop files: \"no-such-code-page\", using windows-1252 instead.", true));
    PmDBUtil& back = Open(palmdat::EncodeValue(Value::Text("\xE9")));
    ASSERT_TRUE(back.ReadTaggedText(text, sizeof text));
    EXPECT_STREQ(text, "\xC3\xA9");

    // Shift-JIS: a double-byte character cut off at the end of the text.
    ASSERT_TRUE(PmDBUtil::SetCodePage("SHIFT_JIS"));
    PmDBUtil& sjis = Open(palmdat::EncodeValue(Value::Text("\x82\xA0\x82")));
    ASSERT_TRUE(sjis.ReadTaggedText(text, sizeof text));
    EXPECT_STREQ(text, "\xE3\x81\x82\xEF\xBF\xBD");  // "あ" and U+FFFD
    ASSERT_TRUE(PmDBUtil::SetCodePage("windows-1252"));
}

TEST_F(PrimitivesTest, ExtendedBlocksOfEveryForm) {
    palmdat::Ext withParams{7, 2, 11, 12, std::nullopt, "xyz"};
    palmdat::Ext emptyParams{7, 3, 1, 2, std::nullopt, ""};
    palmdat::Ext inline5{9, 5, 0, 0, std::nullopt, "hello"};
    const std::string bytes = palmdat::EncodeValue(Value::Block({})) + palmdat::EncodeValue(Value::Block(withParams)) +
                              palmdat::EncodeValue(Value::Block(emptyParams)) +
                              palmdat::EncodeValue(Value::Block(inline5)) + Long(77);
    PmDBUtil& r = Open(bytes);
    PmExtBlock block{};
    std::vector<unsigned char> data;
    ASSERT_TRUE(r.ReadExtendedBlock(block, data));
    EXPECT_EQ(block.Form, 0);
    EXPECT_EQ(block.Size, 0);
    EXPECT_EQ(block.Data, nullptr);
    ASSERT_TRUE(r.ReadExtendedBlock(block, data));
    EXPECT_EQ(block.Marker, 7);
    EXPECT_EQ(block.Param1, 11);
    EXPECT_EQ(block.Param2, 12);
    ASSERT_EQ(block.Size, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.Data), 3), "xyz");
    ASSERT_TRUE(r.ReadExtendedBlock(block, data));
    EXPECT_EQ(block.Size, 0);
    ASSERT_TRUE(r.ReadExtendedBlock(block, data));
    EXPECT_EQ(block.Form, 5);
    ASSERT_EQ(block.Size, 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.Data), 5), "hello");
    std::int32_t v = 0;
    ASSERT_TRUE(r.ReadLong(v));
    EXPECT_EQ(v, 77);
}

TEST_F(PrimitivesTest, DamagedExtendedBlocksFail) {
    PmExtBlock block{};
    std::vector<unsigned char> data;
    // A size far beyond the file: refused without making room for it.
    palmdat::Ext huge{0, 1, 0, 0, 0x7FFFFFFF, "abc"};
    EXPECT_FALSE(Open(palmdat::EncodeValue(Value::Block(huge))).ReadExtendedBlock(block, data));
    EXPECT_LT(data.capacity(), 1024u);
    palmdat::Ext negative{0, 2, 0, 0, -4, ""};
    EXPECT_FALSE(Open(palmdat::EncodeValue(Value::Block(negative))).ReadExtendedBlock(block, data));
    palmdat::Ext badForm{0, -3, 0, 0, std::nullopt, ""};
    EXPECT_FALSE(Open(palmdat::EncodeValue(Value::Block(badForm))).ReadExtendedBlock(block, data));
    palmdat::Ext cut{0, 40, 0, 0, std::nullopt, "only ten b"};
    EXPECT_FALSE(Open(palmdat::EncodeValue(Value::Block(cut))).ReadExtendedBlock(block, data));
}

palmdat::Repeat Rule(int kind, palmdat::Repeat::Marker marker) {
    palmdat::Repeat r;
    r.marker = marker;
    r.kind = kind;
    r.interval = 2;
    r.endDate = 1700000000;
    r.firstDayOfWeek = 1;
    r.dayIndex = 3;
    r.dayMask = 0x41;
    r.weekIndex = 4;
    r.dayNumber = 28;
    r.monthIndex = 11;
    r.exceptions = {1, 2, 3};
    return r;
}

TEST_F(PrimitivesTest, RepeatEventsOfEveryKindAndMarker) {
    using Marker = palmdat::Repeat::Marker;
    for (Marker marker : {Marker::Named, Marker::Bare}) {
        for (int kind = 1; kind <= 7; ++kind) {
            PmDBUtil& r = Open(palmdat::EncodeValue(Value::RepeatEvent(Rule(kind, marker))) + Long(55));
            PmRepeatInfo info{};
            ASSERT_TRUE(r.ReadRepeatEvent(info)) << kind;
            EXPECT_EQ(info.RepeatKind, kind);
            EXPECT_EQ(info.Interval, 2);
            EXPECT_EQ(info.EndDate, 1700000000);
            EXPECT_EQ(info.FirstDayOfWeek, 1);
            EXPECT_EQ(info.DayIndex, kind >= 1 && kind <= 3 ? 3 : 0);
            EXPECT_EQ(info.DayMask, kind == 2 ? 0x41 : 0);
            EXPECT_EQ(info.WeekIndex, kind == 3 ? 4 : 0);
            EXPECT_EQ(info.DayNumber, kind == 4 || kind == 5 ? 28 : 0);
            EXPECT_EQ(info.MonthIndex, kind == 5 ? 11 : 0);
            std::int32_t after = 0;
            ASSERT_TRUE(r.ReadLong(after)) << kind;  // the stream stays in step
            EXPECT_EQ(after, 55);
        }
    }
}

TEST_F(PrimitivesTest, RepeatEventWithoutRuleAndDamagedOnes) {
    palmdat::Repeat none = Rule(4, palmdat::Repeat::Marker::None);
    PmDBUtil& r = Open(palmdat::EncodeValue(Value::RepeatEvent(none)) + Long(9));
    PmRepeatInfo info{};
    info.Interval = 99;
    ASSERT_TRUE(r.ReadRepeatEvent(info));
    EXPECT_EQ(info.RepeatKind, 0);
    EXPECT_EQ(info.Interval, 0);
    std::int32_t next = 0;
    ASSERT_TRUE(r.ReadLong(next));
    EXPECT_EQ(next, 9);

    palmdat::Repeat badVersion = Rule(1, palmdat::Repeat::Marker::Named);
    badVersion.classVersion = 2;
    EXPECT_FALSE(Open(palmdat::EncodeValue(Value::RepeatEvent(badVersion))).ReadRepeatEvent(info));

    std::string wrongTag = palmdat::EncodeValue(Value::RepeatEvent(none));
    wrongTag[0] = 1;
    EXPECT_FALSE(Open(wrongTag).ReadRepeatEvent(info));

    // A class name longer than 256 bytes is passed over whole.
    palmdat::Repeat longName = Rule(4, palmdat::Repeat::Marker::Named);
    longName.className = std::string(1000, 'C');
    PmDBUtil& l = Open(palmdat::EncodeValue(Value::RepeatEvent(longName)));
    ASSERT_TRUE(l.ReadRepeatEvent(info));
    EXPECT_EQ(info.DayNumber, 28);

    // Cut inside the kind's own longs.
    const std::string whole = palmdat::EncodeValue(Value::RepeatEvent(Rule(5, palmdat::Repeat::Marker::Bare)));
    EXPECT_FALSE(Open(whole.substr(0, whole.size() - 2)).ReadRepeatEvent(info));
}

TEST_F(PrimitivesTest, OpenRefusesEmptyPathsLockedFilesAndFolders) {
    PmDBUtil r;
    EXPECT_FALSE(r.OpenFile("", PmDBUtil::kReadOnly));
    EXPECT_FALSE(r.OpenFile(nullptr, PmDBUtil::kReadOnly));
    EXPECT_FALSE(r.OpenFile(dir.File("missing.dat").c_str(), PmDBUtil::kReadWrite));
    EXPECT_FALSE(r.OpenFile(dir.Path().c_str(), PmDBUtil::kReadOnly));
    EXPECT_FALSE(r.OpenFile(dir.File("x").c_str(), 7));

    const std::string path = dir.File("Address.DAT");
    fwtest::WriteFile(path, "data");
    // Another holder of the file's lock keeps it from being opened.
    const int other = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(r.OpenFile(path.c_str(), PmDBUtil::kReadOnly));
    ::close(other);
    // Names from Windows are found without regard to case.
    ASSERT_TRUE(r.OpenFile(dir.File("address.dat").c_str(), PmDBUtil::kReadOnly));
    EXPECT_EQ(std::string(r.GetName()), dir.File("address.dat"));
    // While it is open, nobody else gets the lock.
    const int again = ::open(path.c_str(), O_RDONLY);
    EXPECT_NE(::flock(again, LOCK_EX | LOCK_NB), 0);
    r.CloseFile();
    EXPECT_EQ(::flock(again, LOCK_EX | LOCK_NB), 0);
    ::close(again);

    // Mode 3 creates a file or empties one.
    ASSERT_TRUE(r.OpenFile(path.c_str(), PmDBUtil::kCreate));
    r.CloseFile();
    EXPECT_EQ(fwtest::ReadFile(path), "");
}

TEST_F(PrimitivesTest, HexDumps) {
    const unsigned char bytes[] = {0x00, 0xAB, 0x0F};
    EXPECT_EQ(PmDBUtil::HexDump(bytes, 3), "00 ab 0f");
    EXPECT_EQ(PmDBUtil::HexDump(bytes, 0), "");
    const std::string big(2000, '\x01');
    EXPECT_EQ(PmDBUtil::HexDump(big.data(), big.size()).size(), 1024u * 3 - 1);
}

}  // namespace
