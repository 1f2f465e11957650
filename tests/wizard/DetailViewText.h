#pragma once
// What a detail window's view shows, as texts for tests: a list's rows as
// "first=second" joined by "|", an edit's text, a box, a tab.
#include <gtest/gtest.h>

#include <string>

#include "app/wizard/DetailView.h"

namespace fwtest {

inline std::string ListedRows(const detail::DetailView& view, const char* list) {
    const detail::DetailList* l = detail::FindList(view, list);
    EXPECT_NE(l, nullptr) << list;
    std::string out;
    if (l)
        for (const detail::DetailRow& r : l->rows) out += (out.empty() ? "" : "|") + r.first + "=" + r.second;
    return out;
}

inline std::string EditText(const detail::DetailView& view, const char* edit) {
    const detail::DetailEdit* e = detail::FindEdit(view, edit);
    EXPECT_NE(e, nullptr) << edit;
    return e ? e->text : std::string("<none>");
}

inline bool IsChecked(detail::DetailView view, const char* box) {
    const detail::DetailCheck* c = detail::FindCheck(view, box);
    EXPECT_NE(c, nullptr) << box;
    return c && c->checked;
}

inline bool TabShown(const detail::DetailView& view, const char* tab) {
    const detail::DetailTab* t = detail::FindTab(view, tab);
    EXPECT_NE(t, nullptr) << tab;
    return t && t->visible;
}

}  // namespace fwtest
