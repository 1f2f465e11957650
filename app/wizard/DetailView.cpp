#include "app/wizard/DetailView.h"

#include <utility>

namespace detail {
namespace {

// Calls `visit` for every tab and sub-tab until it answers true.
template <class Tabs, class Visit>
bool EachTab(Tabs& tabs, Visit&& visit) {
    for (auto& tab : tabs) {
        if (visit(tab) || EachTab(tab.subTabs, visit)) return true;
    }
    return false;
}

template <class View>
auto* EditIn(View& view, std::string_view name) {
    decltype(&view.header.front()) found = nullptr;
    for (auto& edit : view.header)
        if (edit.name == name) return &edit;
    EachTab(view.tabs, [&](auto& tab) {
        for (auto& edit : tab.edits)
            if (edit.name == name) found = &edit;
        return found != nullptr;
    });
    return found;
}

template <class View>
auto* ListIn(View& view, std::string_view name) {
    decltype(&*view.tabs.front().list) found = nullptr;
    EachTab(view.tabs, [&](auto& tab) {
        if (tab.list && tab.list->name == name) found = &*tab.list;
        return found != nullptr;
    });
    return found;
}

template <class View>
auto* TabIn(View& view, std::string_view name) {
    decltype(&view.tabs.front()) found = nullptr;
    EachTab(view.tabs, [&](auto& tab) {
        if (tab.name == name) found = &tab;
        return found != nullptr;
    });
    return found;
}

}  // namespace

DetailEdit* FindEdit(DetailView& view, std::string_view name) { return EditIn(view, name); }
const DetailEdit* FindEdit(const DetailView& view, std::string_view name) { return EditIn(view, name); }
DetailList* FindList(DetailView& view, std::string_view name) { return ListIn(view, name); }
const DetailList* FindList(const DetailView& view, std::string_view name) { return ListIn(view, name); }
DetailTab* FindTab(DetailView& view, std::string_view name) { return TabIn(view, name); }
const DetailTab* FindTab(const DetailView& view, std::string_view name) { return TabIn(view, name); }

DetailCheck* FindCheck(DetailView& view, std::string_view name) {
    DetailCheck* found = nullptr;
    EachTab(view.tabs, [&](DetailTab& tab) {
        for (DetailCheck& check : tab.checks)
            if (check.name == name) found = &check;
        return found != nullptr;
    });
    return found;
}

void SetText(DetailView& view, std::string_view name, std::string text) {
    if (DetailEdit* edit = FindEdit(view, name)) edit->text = std::move(text);
}

void SetCheck(DetailView& view, std::string_view name, bool checked) {
    if (DetailCheck* check = FindCheck(view, name)) check->checked = checked;
}

void AddRow(DetailView& view, std::string_view list, std::string first, std::string second) {
    if (second.empty()) return;
    if (DetailList* found = FindList(view, list)) found->rows.push_back({std::move(first), std::move(second)});
}

void ShowTab(DetailView& view, std::string_view name, bool visible) {
    if (DetailTab* tab = FindTab(view, name)) tab->visible = visible;
}

void SetRepeat(DetailView& view, const DetailRecurrence& repeat) {
    view.repeat = repeat;
    ShowTab(view, "tRecurrence", repeat.type != RepeatView::None);
}

}  // namespace detail
