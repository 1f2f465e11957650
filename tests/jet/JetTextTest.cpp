#include <gtest/gtest.h>

#include "platform/jet/JetText.h"
#include "tools/jetfixture/JetTextEncoding.h"

using jetfixture::EncodeJetText;
using jetfixture::Utf8ToUtf16;
using platform::jet::DecodeJetText;

namespace {

std::string RoundTrip(const std::string& utf8, bool compress, std::vector<std::uint8_t>* stored = nullptr) {
    std::u16string units;
    EXPECT_TRUE(Utf8ToUtf16(utf8, units)) << utf8;
    const std::vector<std::uint8_t> bytes = EncodeJetText(units, compress);
    if (stored) *stored = bytes;
    return DecodeJetText(bytes.data(), bytes.size());
}

}  // namespace

TEST(JetText, RoundTripsEveryKindOfCharacter) {
    const std::string samples[] = {
        "",
        "plain ASCII",
        "Zoë Müller, Besançon",               // Latin-1 range
        "Łukasz Dvořák",                      // above U+00FF
        "日本語のメモ",                       // CJK, low bytes not 0
        "mixed Ä 中 z \xF0\x9F\x98\x80 end",  // a surrogate pair
        "line\r\nbreak\ttab",
    };
    for (const std::string& s : samples) {
        EXPECT_EQ(RoundTrip(s, false), s);
        EXPECT_EQ(RoundTrip(s, true), s);
    }
}

TEST(JetText, CompressesOnlyWhenItIsShorterAndSafe) {
    std::vector<std::uint8_t> stored;
    RoundTrip("Grüße", true, &stored);
    EXPECT_EQ(stored, (std::vector<std::uint8_t>{0xFF, 0xFE, 'G', 'r', 0xFC, 0xDF, 'e'}));
    // Characters of two bytes in the middle switch modes with a 0x00 byte.
    RoundTrip(
        "abc\xC5\x81"
        "def",
        true, &stored);  // "abcŁdef"
    EXPECT_EQ(stored, (std::vector<std::uint8_t>{0xFF, 0xFE, 'a', 'b', 'c', 0x00, 0x41, 0x01, 0x00, 'd', 'e', 'f'}));
    // Where the switches cost more than they save, the text stays plain.
    RoundTrip(
        "a\xC5\x81"
        "b",
        true, &stored);
    EXPECT_EQ(stored, (std::vector<std::uint8_t>{'a', 0, 0x41, 0x01, 'b', 0}));
    // U+0100 has a low byte of 0, which would read as a switch: stored plain.
    EXPECT_EQ(RoundTrip("x\xC4\x80y", true, &stored), "x\xC4\x80y");
    EXPECT_EQ(stored.size(), 6u);
    // All two-byte characters: the compressed form is longer, so plain.
    RoundTrip("中文", true, &stored);
    EXPECT_EQ(stored, (std::vector<std::uint8_t>{0x2D, 0x4E, 0x87, 0x65}));
}

TEST(JetText, DecodesDamagedTextWithoutFailing) {
    // An odd last byte is dropped; a lone surrogate becomes U+FFFD.
    const std::uint8_t odd[] = {'a', 0, 'b'};
    EXPECT_EQ(DecodeJetText(odd, sizeof odd), "a");
    const std::uint8_t lone[] = {0x00, 0xD8, 'x', 0};
    EXPECT_EQ(DecodeJetText(lone, sizeof lone), "\xEF\xBF\xBDx");
    const std::uint8_t lowSurrogateFirst[] = {0x00, 0xDC, 0x00, 0xD8};
    EXPECT_EQ(DecodeJetText(lowSurrogateFirst, sizeof lowSurrogateFirst), "\xEF\xBF\xBD\xEF\xBF\xBD");
    // Compressed form ending inside a two-byte character.
    const std::uint8_t cut[] = {0xFF, 0xFE, 'a', 0x00, 0x41};
    EXPECT_EQ(DecodeJetText(cut, sizeof cut), "a");
    const std::uint8_t onlyMarker[] = {0xFF, 0xFE};
    EXPECT_EQ(DecodeJetText(onlyMarker, sizeof onlyMarker), "");
    EXPECT_EQ(DecodeJetText(nullptr, 10), "");
}

TEST(JetText, RejectsInvalidUtf8) {
    std::u16string units;
    for (const char* bad : {"\xC3", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xFF"})
        EXPECT_FALSE(Utf8ToUtf16(bad, units)) << bad;
}
