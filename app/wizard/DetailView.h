#pragma once
// What a record detail window shows, as plain data. A window is a title, a
// heading, a few header edits and tabs; a tab holds labelled edits (a memo
// is a multi-line edit), check boxes, at most one two-column list, and
// sub-tabs. A calendar window's "Recurrence" tab is drawn from the view's
// repeat rule. The windows (TfmRecordDetail) only draw a view; what a source
// shows of its record is filled into a view by its describer.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace detail {

// A read-only edit with its label ("Name:"); a multi-line edit is a memo.
// An edit without a label spans the whole row.
struct DetailEdit {
    std::string name;  // object name
    std::string label;
    std::string text;
    bool multiLine = false;
};

struct DetailCheck {
    std::string name;
    std::string label;
    bool checked = false;
};

struct DetailRow {
    std::string first;
    std::string second;
};

// A two-column list in report style.
struct DetailList {
    std::string name;
    std::string firstHeader;
    std::string secondHeader;
    std::vector<DetailRow> rows;
};

// The repeat rule on the "Recurrence" tab: only the sub-tab of the type is
// shown, and none at all (the tab hidden) without a rule.
enum class RepeatView { None, Daily, Weekly, Monthly, Yearly };

struct DetailRecurrence {
    RepeatView type = RepeatView::None;
    int interval = 0;
    int dayMask = 0;            // weekly: bit 0 Sunday to bit 6 Saturday
    bool monthlyByDate = true;  // monthly: "Date" chosen, else "Day"
    double start = 0;           // date value; 0.001 or less: nothing shown
    double end = 0;             // date value; above 0.001: "End by" chosen
};

struct DetailTab {
    std::string name;  // object name
    std::string caption;
    bool visible = true;
    std::vector<DetailEdit> edits;  // in a grid, in this order
    std::vector<DetailCheck> checks;
    std::optional<DetailList> list;  // below the edits and check boxes
    std::vector<DetailTab> subTabs;
    bool recurrence = false;  // draws the view's repeat rule instead
};

struct DetailView {
    std::string title;    // the window's title
    std::string heading;  // "View detail information of the ... record."
    std::vector<DetailEdit> header;
    std::vector<DetailTab> tabs;
    DetailRecurrence repeat;
};

// The parts of a view by object name, searched in the header, in every tab
// and in every sub-tab; null when there is none.
DetailEdit* FindEdit(DetailView& view, std::string_view name);
DetailCheck* FindCheck(DetailView& view, std::string_view name);
DetailList* FindList(DetailView& view, std::string_view name);
DetailTab* FindTab(DetailView& view, std::string_view name);
const DetailEdit* FindEdit(const DetailView& view, std::string_view name);
const DetailList* FindList(const DetailView& view, std::string_view name);
const DetailTab* FindTab(const DetailView& view, std::string_view name);

// Sets the text of an edit, checks a box, adds a list row: each does
// nothing when the view has no part of that name. AddRow leaves out a row
// whose second text is empty: a list shows only values that are there.
void SetText(DetailView& view, std::string_view name, std::string text);
void SetCheck(DetailView& view, std::string_view name, bool checked);
void AddRow(DetailView& view, std::string_view list, std::string first, std::string second);
void ShowTab(DetailView& view, std::string_view name, bool visible);
// Sets the repeat rule, and shows the "Recurrence" tab exactly when there
// is one.
void SetRepeat(DetailView& view, const DetailRecurrence& repeat);

}  // namespace detail
