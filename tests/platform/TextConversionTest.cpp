// Case without the locale, and code-page conversion checked against
// Python's codecs.
#include <gtest/gtest.h>
#include <strings.h>

#include <cstdlib>
#include <random>
#include <string>

#include "platform/text/AsciiCase.h"
#include "platform/text/CodeConverter.h"
#include "tests/support/TempDir.h"

using platform::CodeConverter;

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TEST(AsciiCase, AgreesWithStrcasecmpOnRandomTextsAndLeavesOtherBytesAlone) {
    // Letters at the edges of the ranges, the bytes beside them, and UTF-8.
    const std::string alphabet = "aAzZmM@[`{09 \xC3\xA9\xC3\x89";
    std::mt19937 random(7);
    for (int round = 0; round < 5000; ++round) {
        std::string a, b;
        for (std::size_t n = random() % 5; n > 0; --n) a += alphabet[random() % alphabet.size()];
        b = random() % 3 == 0 ? platform::ToUpperAscii(a) : "";
        for (std::size_t n = b.empty() ? random() % 5 : 0; n > 0; --n) b += alphabet[random() % alphabet.size()];
        const int expected = Sign(::strcasecmp(a.c_str(), b.c_str()));  // the C locale: ASCII only
        ASSERT_EQ(Sign(platform::CompareNoCase(a, b)), expected) << a << " / " << b;
        ASSERT_EQ(platform::EqualsNoCase(a, b), expected == 0) << a << " / " << b;
        ASSERT_EQ(platform::LessNoCase{}(a, b), expected < 0);
    }
    EXPECT_EQ(platform::ToUpperAscii("b\xC3\xA9z@[`{"), "B\xC3\xA9Z@[`{");
    EXPECT_EQ(platform::ToLowerAscii("\xC3\x89QU\xC3\x89"), "\xC3\x89qu\xC3\x89");
    std::string inPlace = "Mixed Case 1";
    platform::ToLowerAsciiInPlace(inPlace);
    EXPECT_EQ(inPlace, "mixed case 1");
    platform::ToUpperAsciiInPlace(inPlace);
    EXPECT_EQ(inPlace, "MIXED CASE 1");
}

TEST(AsciiCase, PrefixesSuffixesAndParts) {
    struct Case {
        const char* text;
        const char* part;
        bool starts, ends, contains;
    } const cases[] = {
        {"Notes.EXE", ".exe", false, true, true},
        {"notes.exe", "NOTES", true, false, true},
        {".exe", ".EXE", true, true, true},
        {"exe", ".exe", false, false, false},
        {"", "", true, true, true},
        {"abc", "", true, true, true},
        {"", "a", false, false, false},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89", false, false, false},
        {"TEL;encoding=Quoted-Printable", "QUOTED-PRINTABLE", false, true, true},
        {"x;QUOTED-PRINTABL", "QUOTED-PRINTABLE", false, false, false},
        {"qqquoted", "QUOTED", false, true, true},
        {"a[b", "A{B", false, false, false},  // '[' and '{' differ in the case bit but are no letters
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::StartsWithNoCase(c.text, c.part), c.starts) << c.text << " / " << c.part;
        EXPECT_EQ(platform::EndsWithNoCase(c.text, c.part), c.ends) << c.text << " / " << c.part;
        EXPECT_EQ(platform::ContainsNoCase(c.text, c.part), c.contains) << c.text << " / " << c.part;
    }
}

TEST(CodeConverter, DecodesEveryByteOfACodePageAsPythonDoes) {
    fwtest::TempDir dir;
    for (const char* page : {"windows-1252", "cp850", "iso-8859-15", "windows-1251", "koi8-r", "cp437"}) {
        // Python's codecs decode bytes 0x20-0xFF; an undefined byte becomes U+FFFD.
        const std::string out = dir.File(std::string(page) + ".txt");
        const std::string command = std::string(
                                        "/usr/bin/python3 -c \"import sys; sys.stdout.buffer.write(bytes("
                                        "range(32, 256)).decode('") +
                                    page + "', 'replace').encode('utf-8'))\" > " + out;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::string bytes;
        for (int c = 32; c < 256; ++c) bytes += static_cast<char>(c);

        CodeConverter decode;
        ASSERT_TRUE(decode.Open("UTF-8", page)) << page;
        std::string utf8;
        decode.Convert(bytes, utf8, "\xEF\xBF\xBD");
        EXPECT_EQ(utf8, fwtest::ReadFile(out)) << page;

        // And back: every byte the code page defines returns as it was.
        std::string defined, definedUtf8;
        for (const char c : bytes) {
            std::string one;
            if (decode.Convert(std::string(1, c), one, "")) defined += c, definedUtf8 += one;
        }
        EXPECT_GT(defined.size(), 200u) << page;
        CodeConverter encode;
        ASSERT_TRUE(encode.Open(page, "UTF-8"));
        std::string back;
        EXPECT_TRUE(encode.Convert(definedUtf8, back, "?"));
        EXPECT_EQ(back, defined) << page;
    }
}

TEST(CodeConverter, UnknownNamesInvalidAndCutOffInput) {
    CodeConverter none;
    EXPECT_FALSE(none.Open("UTF-8", "no-such-code-page"));
    EXPECT_FALSE(CodeConverter::Supported("UTF-8", "no-such-code-page"));
    EXPECT_TRUE(CodeConverter::Supported("UTF-8", "CP1252"));
    std::string out = "kept";
    EXPECT_FALSE(none.Convert("abc", out, "?"));  // nothing open
    EXPECT_EQ(out, "kept");

    CodeConverter ansi;
    ASSERT_TRUE(ansi.Open("windows-1252", "UTF-8"));
    out.clear();
    // A character the code page lacks, a stray continuation byte, then text.
    EXPECT_FALSE(ansi.Convert("\xE2\x9C\x93\x80\xC3\xA9!", out, "?"));
    EXPECT_EQ(out, "????\xE9!");  // each byte of the check mark and the stray byte replaced
    out.clear();
    EXPECT_FALSE(ansi.Convert("a\xE2\x82", out, "?"));  // cut off: replaced once, the text ends
    EXPECT_EQ(out, "a?");
    out.clear();
    EXPECT_TRUE(ansi.Convert("\xE2\x82\xAC", out, "?"));  // no state left from the cut text
    EXPECT_EQ(out, "\x80");

    CodeConverter sjis;  // a multi-byte code page over a long text crosses the inner chunks
    ASSERT_TRUE(sjis.Open("UTF-8", "SHIFT_JIS"));
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "\x82\xA0";
    out.clear();
    EXPECT_TRUE(sjis.Convert(text, out, "?"));
    std::string expected;
    for (int i = 0; i < 2000; ++i) expected += "\xE3\x81\x82";
    EXPECT_EQ(out, expected);
}
