#include "common/misc/CSV.h"

CSV::CSV(const char* text) {
    if (text == nullptr || *text == '\0') return;
    std::string item;
    for (const char* p = text; *p; ++p) {
        if (*p == ',') {
            m_items.push_back(std::move(item));
            item.clear();
        } else {
            item.push_back(*p);
        }
    }
    m_items.push_back(std::move(item));
}

const char* CSV::GetItem(int index) const {
    if (index < 0 || index >= GetCount()) return "";
    return m_items[static_cast<std::size_t>(index)].c_str();
}
