#pragma once
// The field equality rules of the record comparison, and the normalised
// forms of texts under those rules. Two texts are equal under a rule
// exactly when their normalised forms are equal, which lets the lists
// find key matches through an index instead of a scan.
#include <cstddef>
#include <string>

// Equal ignoring CR and LF inside the texts and the case of ASCII letters.
// A line break at the very end of only one of the texts makes them differ
// ("ab" and "ab\r\n" differ, "a\r\nb" and "AB" are equal). A missing text
// is never equal.
bool CompareText(const char* a, const char* b);

// Whole texts equal ignoring the case of ASCII letters; with `limit`, only
// the first `limit` characters are compared.
bool EqualNoCase(const char* a, const char* b, std::size_t limit = static_cast<std::size_t>(-1));

// Appends the form of a text under CompareText: its characters other than
// CR and LF, upper-cased, and whether it ends in a line break.
void AppendCompareTextKey(std::string& key, const char* text);

// Appends the form of a text under EqualNoCase.
void AppendNoCaseKey(std::string& key, const char* text, std::size_t limit = static_cast<std::size_t>(-1));

// Appends a number to a key.
void AppendNumberKey(std::string& key, long long value);
