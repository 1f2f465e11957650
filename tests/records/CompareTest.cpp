#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/records/CommCompare.h"

TEST(CompareText, LineBreaksInsideAndCase) {
    EXPECT_TRUE(CompareText("a\r\nb", "ab"));
    EXPECT_TRUE(CompareText("a\r\nb", "AB"));
    EXPECT_TRUE(CompareText("", ""));
    EXPECT_TRUE(CompareText("ab\r\n", "AB\n"));
    EXPECT_TRUE(CompareText("\r", "\n"));
    EXPECT_FALSE(CompareText("ab", "ab\r\n"));  // a break at the very end of only one text
    EXPECT_FALSE(CompareText("ab\r\n", "a\r\nb"));
    EXPECT_FALSE(CompareText("", "\r\n"));
    EXPECT_FALSE(CompareText("ab", "abc"));
    EXPECT_FALSE(CompareText("é", "É"));  // only ASCII letters ignore case
    EXPECT_FALSE(CompareText(nullptr, ""));
    EXPECT_FALSE(CompareText("", nullptr));
}

TEST(CompareText, NormalisedFormsAgreeWithTheComparison) {
    // The index relies on this: two texts are equal exactly when their
    // normalised forms are.
    std::mt19937 rng(7);
    const char alphabet[] = {'a', 'A', 'b', '\r', '\n'};
    auto random = [&] {
        std::string s;
        const int n = static_cast<int>(rng() % 5);
        for (int i = 0; i < n; ++i) s.push_back(alphabet[rng() % 5]);
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = random(), b = random();
        std::string ka, kb;
        AppendCompareTextKey(ka, a.c_str());
        AppendCompareTextKey(kb, b.c_str());
        ASSERT_EQ(CompareText(a.c_str(), b.c_str()), ka == kb) << "[" << a << "] [" << b << "]";
        ASSERT_EQ(CompareText(a.c_str(), b.c_str()), CompareText(b.c_str(), a.c_str()));
    }
}

TEST(EqualNoCase, WholeTextsOrAPrefix) {
    EXPECT_TRUE(EqualNoCase("Lunch", "LUNCH"));
    EXPECT_FALSE(EqualNoCase("Lunch", "Lunch "));
    EXPECT_FALSE(EqualNoCase("a\r\nb", "ab"));
    EXPECT_TRUE(EqualNoCase("abcX", "ABCy", 3));
    EXPECT_FALSE(EqualNoCase("ab", "abc", 3));
    EXPECT_FALSE(EqualNoCase(nullptr, "a"));
    std::string ka, kb;
    AppendNoCaseKey(ka, "abcX", 3);
    AppendNoCaseKey(kb, "ABCy", 3);
    EXPECT_EQ(ka, kb);
}
