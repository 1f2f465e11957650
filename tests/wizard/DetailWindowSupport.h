#pragma once
// Reading a record detail window as its user sees it: the text of an edit
// or memo, the rows of a list, whether a tab is shown, by object name.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

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

using Rows = std::vector<std::pair<std::string, std::string>>;

inline Rows ListRows(const QWidget& window, const char* name) {
    Rows rows;
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

}  // namespace fwtest
