#include "app/wizard/TfmRecordDetail.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "app/wizard/DetailRows.h"
#include "common/misc/CxDebugUtil.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommAddrRec.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskMgr.h"
#include "common/records/CommTaskRec.h"

namespace {

using detail::DetailEdit;
using detail::DetailRecurrence;
using detail::DetailTab;
using detail::DetailView;
using detail::RepeatView;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A box the user cannot change: clicks and keys leave its state alone.
template <class Button>
class ReadOnly : public Button {
public:
    ReadOnly(const QString& text, QWidget* parent) : Button(text, parent) { this->setFocusPolicy(Qt::NoFocus); }

protected:
    void nextCheckState() override {}
    bool hitButton(const QPoint&) const override { return false; }
};

QCheckBox* Check(const char* name, const QString& label, bool checked, QWidget* parent) {
    auto* box = new ReadOnly<QCheckBox>(label, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QRadioButton* Choice(const char* name, const QString& label, bool chosen, QWidget* parent) {
    auto* choice = new ReadOnly<QRadioButton>(label, parent);
    choice->setObjectName(QString::fromLatin1(name));
    choice->setAutoExclusive(false);  // both stay as set, and only as set
    choice->setChecked(chosen);
    return choice;
}

QLineEdit* LineEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
}

QWidget* EditWidget(const DetailEdit& edit, QWidget* parent) {
    if (!edit.multiLine) return LineEdit(Q(edit.name), Q(edit.text), parent);
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(Q(edit.name));
    memo->setReadOnly(true);
    memo->setPlainText(Q(edit.text));
    return memo;
}

// Labelled edits in two columns; an edit without a label spans the row.
void AddEdits(QGridLayout* grid, const std::vector<DetailEdit>& edits, QWidget* parent) {
    int row = grid->rowCount();
    for (const DetailEdit& edit : edits) {
        QWidget* widget = EditWidget(edit, parent);
        if (edit.label.empty()) {
            grid->addWidget(widget, row, 0, 1, 2);
        } else {
            auto* label = new QLabel(Q(edit.label), parent);
            label->setObjectName(QStringLiteral("lbl") + Q(edit.name));
            label->setBuddy(widget);
            grid->addWidget(label, row, 0, edit.multiLine ? Qt::AlignTop | Qt::AlignLeft : Qt::AlignLeft);
            grid->addWidget(widget, row, 1);
        }
        if (edit.multiLine) grid->setRowStretch(row, 1);
        ++row;
    }
}

QTreeWidget* List(const detail::DetailList& list, QWidget* parent) {
    auto* view = new QTreeWidget(parent);
    view->setObjectName(Q(list.name));
    view->setColumnCount(2);
    view->setHeaderLabels({Q(list.firstHeader), Q(list.secondHeader)});
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAllColumnsShowFocus(true);
    view->setColumnWidth(0, 150);
    QList<QTreeWidgetItem*> items;
    for (const detail::DetailRow& row : list.rows) items.append(new QTreeWidgetItem({Q(row.first), Q(row.second)}));
    view->addTopLevelItems(items);
    return view;
}

// "Every" n and what follows it, on a sub-tab of the repeat rule.
void EveryRow(QBoxLayout* layout, const char* name, const QString& interval, const char* unit, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Every"), parent));
    QLineEdit* edit = LineEdit(QString::fromLatin1(name), interval, parent);
    edit->setMaximumWidth(60);
    row->addWidget(edit);
    row->addWidget(new QLabel(QString::fromLatin1(unit), parent));
    row->addStretch(1);
    layout->addLayout(row);
}

const char* const kWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kWeekdayBoxes[7] = {"cbSunday",   "cbMonday", "cbTuesday", "cbWednesday",
                                      "cbThursday", "cbFriday", "cbSaturday"};

// The "Recurrence" tab: the sub-tab of the rule's type and the range.
QWidget* RecurrencePage(const DetailRecurrence& repeat, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* types = new QTabWidget(page);
    types->setObjectName(QStringLiteral("pRecurrence"));
    const QString interval = repeat.type == RepeatView::None ? QString() : QString::number(repeat.interval);
    struct Type {
        RepeatView type;
        const char* name;
        const char* caption;
    };
    const Type kTypes[] = {{RepeatView::Daily, "tDaily", "Daily"},
                           {RepeatView::Weekly, "tWeekly", "Weekly"},
                           {RepeatView::Monthly, "tMonthly", "Monthly"},
                           {RepeatView::Yearly, "tYearly", "Yearly"}};
    for (const Type& type : kTypes) {
        auto* sub = new QWidget(types);
        sub->setObjectName(QString::fromLatin1(type.name));
        auto* subLayout = new QVBoxLayout(sub);
        const bool mine = repeat.type == type.type;
        const QString n = mine ? interval : QString();
        switch (type.type) {
        case RepeatView::Daily: EveryRow(subLayout, "edtDailyEvery", n, "days.", sub); break;
        case RepeatView::Weekly: {
            EveryRow(subLayout, "edtWeeklyEvery", n, "weeks on:", sub);
            auto* days = new QGridLayout;
            for (int day = 0; day < 7; ++day)
                days->addWidget(Check(kWeekdayBoxes[day], QString::fromLatin1(kWeekdays[day]),
                                      mine && (repeat.dayMask & (1 << day)) != 0, sub),
                                day / 4, day % 4);
            subLayout->addLayout(days);
            break;
        }
        case RepeatView::Monthly: {
            EveryRow(subLayout, "edtMonthlyEvery", n, "months", sub);
            auto* by = new QHBoxLayout;
            by->addWidget(new QLabel(QStringLiteral("By:"), sub));
            by->addWidget(Choice("rbByDate", QStringLiteral("Date"), mine && repeat.monthlyByDate, sub));
            by->addWidget(Choice("rbByDay", QStringLiteral("Day"), mine && !repeat.monthlyByDate, sub));
            by->addStretch(1);
            subLayout->addLayout(by);
            break;
        }
        default: EveryRow(subLayout, "edtYearlyEvery", n, "years", sub); break;
        }
        subLayout->addStretch(1);
        types->setTabVisible(types->addTab(sub, QString::fromLatin1(type.caption)), mine);
    }
    layout->addWidget(types, 1);

    auto* range = new QGroupBox(QStringLiteral(" Recurrence Range "), page);
    range->setObjectName(QStringLiteral("gbRange"));
    auto* grid = new QGridLayout(range);
    const bool hasStart = repeat.start > 0.001;
    const bool hasEnd = repeat.end > 0.001;
    grid->addWidget(new QLabel(QStringLiteral("Start:"), range), 0, 0);
    grid->addWidget(
        LineEdit(QStringLiteral("edtRangeStart"), hasStart ? Q(detail::DateTimeText(repeat.start)) : QString(), range),
        0, 1);
    grid->addWidget(Choice("rbNoEnd", QStringLiteral("No end date"), !hasEnd, range), 1, 0, 1, 2);
    grid->addWidget(Choice("rbEndBy", QStringLiteral("End by"), hasEnd, range), 2, 0);
    grid->addWidget(
        LineEdit(QStringLiteral("edtEndBy"), hasEnd ? Q(detail::DateTimeText(repeat.end)) : QString(), range), 2, 1);
    layout->addWidget(range);
    return page;
}

QWidget* TabPage(const DetailTab& tab, const DetailView& view, QWidget* parent);

constexpr std::size_t kEditsWithoutScrolling = 10;

bool HasMemo(const std::vector<DetailEdit>& edits) {
    return std::any_of(edits.begin(), edits.end(), [](const DetailEdit& edit) { return edit.multiLine; });
}

// Tabs of a tab widget, hidden ones hidden; the first shown one current.
void AddTabs(QTabWidget* tabs, const std::vector<DetailTab>& list, const DetailView& view) {
    int first = -1;
    for (const DetailTab& tab : list) {
        QWidget* page = TabPage(tab, view, tabs);
        if (tab.edits.size() > kEditsWithoutScrolling) {
            // A long column of edits scrolls rather than stretching the window.
            auto* area = new QScrollArea(tabs);
            area->setWidgetResizable(true);
            area->setFrameShape(QFrame::NoFrame);
            area->setWidget(page);
            page = area;
        }
        page->setObjectName(Q(tab.name));
        const int index = tabs->addTab(page, Q(tab.caption));
        const bool shown = tab.visible && !(tab.recurrence && view.repeat.type == RepeatView::None);
        tabs->setTabVisible(index, shown);
        if (shown && first < 0) first = index;
    }
    if (first >= 0) tabs->setCurrentIndex(first);
}

QWidget* TabPage(const DetailTab& tab, const DetailView& view, QWidget* parent) {
    if (tab.recurrence) return RecurrencePage(view.repeat, parent);
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    if (!tab.edits.empty()) {
        auto* grid = new QGridLayout;
        grid->setColumnStretch(1, 1);
        AddEdits(grid, tab.edits, page);
        layout->addLayout(grid, HasMemo(tab.edits) ? 1 : 0);
    }
    if (!tab.checks.empty()) {
        auto* checks = new QHBoxLayout;
        for (const detail::DetailCheck& check : tab.checks)
            checks->addWidget(Check(check.name.c_str(), Q(check.label), check.checked, page));
        checks->addStretch(1);
        layout->addLayout(checks);
    }
    if (tab.list) layout->addWidget(List(*tab.list, page), 1);
    if (!tab.subTabs.empty()) {
        auto* sub = new QTabWidget(page);
        sub->setObjectName(Q(tab.name) + QStringLiteral("Pages"));
        AddTabs(sub, tab.subTabs, view);
        layout->addWidget(sub, 1);
    }
    // Edits and boxes stay at the top when nothing below takes the room.
    if (!HasMemo(tab.edits) && !tab.list && tab.subTabs.empty()) layout->addStretch(1);
    return page;
}

// The native record of a common record: an owned copy is kept packed by the
// adapter's list, which unpacks it; any other is the record's NativeRecord.
const void* NativeOf(const CommRecordRef& record, AppAdapter* adapter) {
    return std::visit(
        [adapter](auto* rec) -> const void* {
            if (rec == nullptr) return nullptr;
            if (rec->NativeRecord != nullptr || rec->NativeSize == 0 || adapter == nullptr) return rec->NativeRecord;
            return std::visit(
                [rec](auto&& list) -> const void* {
                    if constexpr (requires { list->NativeOf(rec); })
                        return list != nullptr ? list->NativeOf(rec) : nullptr;
                    else
                        return nullptr;
                },
                adapter->GetList());
        },
        record);
}

}  // namespace

TfmRecordDetail::TfmRecordDetail(Describer describe, QWidget* parent) : QDialog(parent), m_describe(describe) {
    setObjectName(QStringLiteral("TfmRecordDetail"));
    setModal(true);
    resize(560, 480);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("btnClose"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &TfmRecordDetail::accept);

    m_body = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(m_body, 1);
    layout->addLayout(buttons);
}

bool TfmRecordDetail::ShowRecord(const CommRecordRef& record) {
    m_native = NativeOf(record, m_adapter);
    return Fill();
}

bool TfmRecordDetail::Fill() {
    Clear();
    if (m_native == nullptr || m_adapter == nullptr || m_describe == nullptr) {
        CX_LOG(kLogHigh, "The detail window has no record or no source to show.");
        return false;
    }
    Draw(m_describe(m_native, *m_adapter));
    return true;
}

void TfmRecordDetail::Clear() {
    delete m_content;  // a window shows the record of its last fill only
    m_content = nullptr;
    m_heading->clear();
}

void TfmRecordDetail::Draw(const DetailView& view) {
    setWindowTitle(Q(view.title));
    m_heading->setText(Q(view.heading));
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("pnlContent"));
    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!view.header.empty()) {
        auto* grid = new QGridLayout;
        grid->setColumnStretch(1, 1);
        AddEdits(grid, view.header, m_content);
        layout->addLayout(grid);
    }
    auto* tabs = new QTabWidget(m_content);
    tabs->setObjectName(QStringLiteral("pDetail"));
    AddTabs(tabs, view.tabs, view);
    layout->addWidget(tabs, 1);
    m_body->addWidget(m_content);
}
