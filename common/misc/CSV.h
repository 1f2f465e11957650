#pragma once
// Splits a text at every comma. No quoting: items keep their blanks, and two
// adjacent commas give an empty item.
#include <string>
#include <vector>

class CSV {
public:
    explicit CSV(const char* text);
    // Commas + 1; 0 for an empty text.
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // The item, or an empty text for an index outside the items.
    const char* GetItem(int index) const;

private:
    std::vector<std::string> m_items;
};
