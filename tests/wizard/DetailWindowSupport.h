#pragma once
// Reading a record detail window as its user sees it: the text of an edit
// or memo, the rows of a list, whether a tab is shown, by object name; and
// the real window of a loaded record held against the view it draws.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/wizard/DetailView.h"
#include "app/wizard/TfmDetailWindows.h"

namespace fwtest {

// The text of an edit or memo; "<none>" when the window has no such edit.
inline std::string EditText(const QWidget& window, const char* name) {
    if (auto* edit = window.findChild<QLineEdit*>(name)) return edit->text().toStdString();
    if (auto* memo = window.findChild<QPlainTextEdit*>(name)) return memo->toPlainText().toStdString();
    return "<none>";
}

// The label shown with an edit ("<none>" without one).
inline std::string EditLabel(const QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("lbl") + QString::fromLatin1(name));
    return label != nullptr ? label->text().toStdString() : "<none>";
}

using ListedRows = std::vector<std::pair<std::string, std::string>>;

inline ListedRows ListRows(const QWidget& window, const char* name) {
    ListedRows rows;
    if (auto* list = window.findChild<QTreeWidget*>(name))
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows.emplace_back(list->topLevelItem(i)->text(0).toStdString(),
                              list->topLevelItem(i)->text(1).toStdString());
    return rows;
}

// Whether the tab (or sub-tab) page of that name is shown in its tab
// widget; false when there is none.
inline bool TabShown(const QWidget& window, const char* name) {
    for (auto* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->objectName() == QLatin1String(name)) return tabs->isTabVisible(i);
    return false;
}

inline std::string TabCaption(const QWidget& window, const char* name) {
    for (auto* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->objectName() == QLatin1String(name)) return tabs->tabText(i).toStdString();
    return "<none>";
}

// Opens the source's real window of the record's kind the way the review
// page does (bind, show record) and expects it to show the view: its title,
// every edit's text and every list's rows.
// A memo shows a record's "\r\n" line breaks as lines.
inline std::string Shown(std::string text) {
    std::erase(text, '\r');
    return text;
}

inline void ExpectWindowShows(int sourceApp, AppAdapter& adapter, const CommRecordRef& record,
                              const detail::DetailView& view) {
    const std::unique_ptr<TfmRecordDetail> window = CreateDetailWindow(sourceApp, static_cast<int>(record.index()));
    ASSERT_NE(window, nullptr) << "no window of kind " << record.index();
    window->Bind(&adapter);
    ASSERT_TRUE(window->ShowRecord(record));
    EXPECT_EQ(window->windowTitle().toStdString(), view.title);
    const auto expectTabs = [&](const auto& self, const std::vector<detail::DetailTab>& tabs) -> void {
        for (const detail::DetailTab& tab : tabs) {
            for (const detail::DetailEdit& edit : tab.edits)
                EXPECT_EQ(EditText(*window, edit.name.c_str()), Shown(edit.text)) << edit.name;
            if (tab.list) {
                ListedRows rows;
                for (const detail::DetailRow& row : tab.list->rows) rows.emplace_back(row.first, row.second);
                EXPECT_EQ(ListRows(*window, tab.list->name.c_str()), rows) << tab.list->name;
            }
            self(self, tab.subTabs);
        }
    };
    for (const detail::DetailEdit& edit : view.header)
        EXPECT_EQ(EditText(*window, edit.name.c_str()), Shown(edit.text)) << edit.name;
    expectTabs(expectTabs, view.tabs);
}

}  // namespace fwtest
