#pragma once
// Reading a record detail window's view in tests: a list's rows as
// "first|second", edits' texts by object name, check boxes, tabs, and the
// repeat rule against what a case expects.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/wizard/DetailView.h"

namespace fwtest {

using detail::DetailView;
using detail::RepeatView;
using Lines = std::vector<std::string>;

// A list's rows; a list the view does not have fails the test.
inline Lines Rows(const DetailView& view, const char* list) {
    Lines out;
    const detail::DetailList* found = detail::FindList(view, list);
    EXPECT_NE(found, nullptr) << list;
    if (found)
        for (const detail::DetailRow& row : found->rows) out.push_back(row.first + "|" + row.second);
    return out;
}

// The texts of edits, "<none>" for an edit the view does not have.
inline Lines Texts(const DetailView& view, std::initializer_list<const char*> names) {
    Lines out;
    for (const char* name : names) {
        const detail::DetailEdit* edit = detail::FindEdit(view, name);
        out.push_back(edit ? edit->text : std::string("<none>"));
    }
    return out;
}

inline const detail::DetailCheck& Check(DetailView& view, const char* name) {
    static const detail::DetailCheck none{"<none>", "", false};
    const detail::DetailCheck* check = detail::FindCheck(view, name);
    return check ? *check : none;
}

inline bool Visible(const DetailView& view, const char* tab) {
    const detail::DetailTab* found = detail::FindTab(view, tab);
    return found && found->visible;
}

// The repeat rule a case expects; the "Recurrence" tab is shown exactly
// when there is one, and the choice of "Date" or "Day" counts only for a
// monthly rule.
struct Rule {
    RepeatView type;
    int interval, dayMask;
    bool byDate;
    double start, end;
};

inline void ExpectRule(DetailView& view, const Rule& rule) {
    EXPECT_EQ(view.repeat.type, rule.type);
    EXPECT_EQ(Visible(view, "tRecurrence"), rule.type != RepeatView::None);
    if (rule.type == RepeatView::None) return;
    EXPECT_EQ(view.repeat.interval, rule.interval);
    EXPECT_EQ(view.repeat.dayMask, rule.dayMask);
    if (rule.type == RepeatView::Monthly) {
        EXPECT_EQ(view.repeat.monthlyByDate, rule.byDate);
    }
    EXPECT_DOUBLE_EQ(view.repeat.start, rule.start);
    EXPECT_DOUBLE_EQ(view.repeat.end, rule.end);
}

}  // namespace fwtest
