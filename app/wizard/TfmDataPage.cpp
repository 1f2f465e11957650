#include "app/wizard/TfmDataPage.h"

#include <QBrush>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QList>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <type_traits>
#include <variant>

#include "app/AppCommon.h"
#include "app/wizard/RecordColumns.h"
#include "app/wizard/TfmDetailWindows.h"
#include "app/wizard/WindowHandle.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"

namespace {

struct KindForm {
    const char* tab;
    const char* list;
    const char* countLabel;
    const char* countText;
    bool wholeRows;
};

constexpr KindForm kForms[CommKindCount] = {
    {"Contacts", "lvAddr", "lblAddrCount", "%1 Contact records in total", true},
    {"Calendar", "lvDate", "lblDateCount", "%1 Calendar records in total", true},
    {"Task", "lvTask", "lblTaskCount", "%1 Task records in total", false},
    {"Notes", "lvNote", "lblNoteCount", "%1 Note records in total", false},
};

const char* const kHint = "You may double click the items in the above list to see more detail record information.";

// A colour setting is a Windows colour value, 0x00BBGGRR.
QColor SettingColor(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

bool SyncOn(int kind) {
    const Settings& s = AppSettings();
    const std::int32_t sync[CommKindCount] = {s.SyncAddr, s.SyncDate, s.SyncTask, s.SyncNote};
    return sync[kind] != 0;
}

std::int32_t StatusOf(const CommRecordRef& record) {
    return std::visit([](const auto* rec) { return rec != nullptr ? rec->Status : CommStatusSame; }, record);
}

bool HasRecord(const CommRecordRef& record) {
    return std::visit([](const auto* rec) { return rec != nullptr; }, record);
}

// The records of a list manager, in stored order.
std::vector<CommRecordRef> RecordsOf(const CommListRef& list) {
    std::vector<CommRecordRef> out;
    std::visit(
        [&out](auto mgr) {
            if constexpr (std::is_pointer_v<decltype(mgr)>) {
                if (mgr == nullptr) return;
                const std::size_t count = mgr->GetRecordCount();
                out.reserve(count);
                for (std::size_t i = 0; i < count; ++i) out.push_back(CommRecordRef(mgr->GetRecordAt(i)));
            }
        },
        list);
    return out;
}

// Empties a picked-record list and adds the records of the checked rows.
template <class Rec>
void PickChecked(CxList<Rec>* picked, QTreeWidget* list, const std::vector<CommRecordRef>& records, bool shown) {
    if (picked == nullptr) return;
    picked->RemoveAll(false);
    if (!shown) return;
    const int rows = list->topLevelItemCount();
    for (int row = 0; row < rows && static_cast<std::size_t>(row) < records.size(); ++row) {
        if (list->topLevelItem(row)->checkState(0) != Qt::Checked) continue;
        if (const auto* rec = std::get_if<Rec*>(&records[static_cast<std::size_t>(row)]); rec && *rec)
            picked->Add(*rec);
    }
}

}  // namespace

TfmDataPage::TfmDataPage(WizardHost& host, int sourceApp, QWidget* parent)
    : TfmPage(host, parent), m_sourceApp(sourceApp) {
    BuildForm();
}

void TfmDataPage::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("pData");
    layout->addWidget(m_tabs, 1);
    for (int kind = 0; kind < CommKindCount; ++kind) {
        const KindForm& form = kForms[kind];
        auto* page = new QWidget(m_tabs);
        page->setObjectName(QString::fromLatin1(form.tab));
        auto* pageLayout = new QVBoxLayout(page);
        auto* list = new QTreeWidget(page);
        list->setObjectName(QString::fromLatin1(form.list));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSelectionBehavior(form.wholeRows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        list->setAllColumnsShowFocus(form.wholeRows);
        const auto columns = RecordColumnsOf(kind);
        QStringList headers;
        for (const RecordColumn& column : columns) headers << QString::fromUtf8(column.header);
        list->setColumnCount(static_cast<int>(columns.size()));
        list->setHeaderLabels(headers);
        for (std::size_t i = 0; i < columns.size(); ++i) list->setColumnWidth(static_cast<int>(i), columns[i].width);
        list->header()->setStretchLastSection(false);
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this, kind] { OnDoubleClick(kind); });
        pageLayout->addWidget(list, 1);

        auto* count = new QLabel(page);
        count->setObjectName(QString::fromLatin1(form.countLabel));
        QPalette blue = count->palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        count->setPalette(blue);
        pageLayout->addWidget(count);
        auto* hint = new QLabel(QString::fromUtf8(kHint), page);
        hint->setObjectName(QString::fromLatin1(form.list) + "Hint");
        pageLayout->addWidget(hint);

        m_tabs->addTab(page, QString::fromLatin1(form.tab));
        m_pages[kind] = page;
        m_lists[kind] = list;
        m_counts[kind] = count;
    }

    auto* buttons = new QHBoxLayout;
    m_refresh = new QPushButton(tr("&Refresh"), this);
    m_refresh->setObjectName("btnRefresh");
    m_selectAll = new QPushButton(tr("Select All"), this);
    m_selectAll->setObjectName("btnSelAll");
    m_clear = new QPushButton(tr("Clear Selection"), this);
    m_clear->setObjectName("btnClear");
    m_selectDiff = new QPushButton(tr("Select Diff"), this);
    m_selectDiff->setObjectName("btnSelDiff");
    buttons->addWidget(m_refresh);
    buttons->addStretch(1);
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_selectDiff);
    layout->addLayout(buttons);
    for (QPushButton* button : {m_refresh, m_selectAll, m_clear, m_selectDiff}) button->setAutoDefault(false);

    connect(m_refresh, &QPushButton::clicked, this, [this] { Refresh(); });
    connect(m_selectAll, &QPushButton::clicked, this, [this] { SelectItems(Pick::All); });
    connect(m_clear, &QPushButton::clicked, this, [this] { SelectItems(Pick::None); });
    connect(m_selectDiff, &QPushButton::clicked, this, [this] { SelectItems(Pick::Different); });

    // Reading order: the tabs, the list, then the buttons left to right.
    setTabOrder(m_tabs, m_refresh);
    setTabOrder(m_refresh, m_selectAll);
    setTabOrder(m_selectAll, m_clear);
    setTabOrder(m_clear, m_selectDiff);
}

QTreeWidget* TfmDataPage::List(int kind) const { return kind >= 0 && kind < CommKindCount ? m_lists[kind] : nullptr; }

const std::vector<CommRecordRef>& TfmDataPage::Records(int kind) const {
    static const std::vector<CommRecordRef> none;
    return kind >= 0 && kind < CommKindCount ? m_records[kind] : none;
}

void TfmDataPage::Prepare() {
    for (int kind = 0; kind < CommKindCount; ++kind) {
        m_shown[kind] = SyncOn(kind);
        m_tabs->setTabVisible(kind, m_shown[kind]);
        if (m_shown[kind]) {
            FillList(kind);
        } else {
            // A hidden list keeps no rows: their records may be gone by the
            // next load.
            m_lists[kind]->clear();
            m_records[kind].clear();
            m_counts[kind]->clear();
        }
    }
}

void TfmDataPage::FillList(int kind) {
    AppAdapter* adapter = GetAdapterTable().Get(m_sourceApp, kind);
    if (adapter == nullptr) return;
    std::vector<CommRecordRef> records = RecordsOf(adapter->GetList());
    const Settings& s = AppSettings();
    const QBrush newBrush(SettingColor(s.NewColor));
    const QBrush diffBrush(SettingColor(s.DiffColor));
    const QBrush sameBrush(SettingColor(s.SameColor));

    QTreeWidget* list = m_lists[kind];
    list->setUpdatesEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(records.size()));
    for (const CommRecordRef& record : records) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const std::vector<std::string> texts = ColumnTexts(kind, record);
        const std::int32_t status = StatusOf(record);
        const QBrush& brush = status == CommStatusDifferent ? diffBrush
                              : status == CommStatusNew     ? newBrush
                                                            : sameBrush;
        for (int column = 0; column < list->columnCount(); ++column) {
            if (static_cast<std::size_t>(column) < texts.size())
                item->setText(column, QString::fromUtf8(texts[static_cast<std::size_t>(column)]));
            item->setForeground(column, brush);
        }
        item->setCheckState(0, status != CommStatusSame ? Qt::Checked : Qt::Unchecked);
        items.append(item);
    }
    list->addTopLevelItems(items);
    list->setUpdatesEnabled(true);
    m_counts[kind]->setText(QString::fromLatin1(kForms[kind].countText).arg(records.size()));
    m_records[kind] = std::move(records);
}

std::vector<std::string> TfmDataPage::ColumnTexts(int, const CommRecordRef& record) const {
    return CommonColumnTexts(record);
}

bool TfmDataPage::Reload(int kind) {
    const int target = m_sourceApp == kAppOutlook ? kAppNone : kAppOutlook;
    return ReloadApplicationKind(HandleOf(Host().OwnerWindow()), m_sourceApp, kind, target);
}

void TfmDataPage::OpenDetail(int kind, const CommRecordRef& record) {
    std::unique_ptr<TfmRecordDetail> window = CreateDetailWindow(m_sourceApp, kind, this);
    if (window == nullptr) return;
    window->Bind(GetAdapterTable().Get(m_sourceApp, kind));
    window->ShowRecord(record);
    window->exec();
}

void TfmDataPage::Refresh() {
    for (int kind = 0; kind < CommKindCount; ++kind) {
        if (!m_shown[kind]) continue;
        // A failed load is not reported here: the list shows what is left.
        Reload(kind);
        FillList(kind);
    }
}

void TfmDataPage::SelectItems(Pick pick) {
    for (int kind = 0; kind < CommKindCount; ++kind) {
        if (!m_shown[kind] || !SyncOn(kind)) continue;
        QTreeWidget* list = m_lists[kind];
        const std::vector<CommRecordRef>& records = m_records[kind];
        const int rows = list->topLevelItemCount();
        for (int row = 0; row < rows; ++row) {
            bool check = pick == Pick::All;
            if (pick == Pick::Different)
                check = static_cast<std::size_t>(row) < records.size() &&
                        StatusOf(records[static_cast<std::size_t>(row)]) != CommStatusSame;
            list->topLevelItem(row)->setCheckState(0, check ? Qt::Checked : Qt::Unchecked);
        }
    }
}

void TfmDataPage::OnDoubleClick(int kind) {
    QTreeWidgetItem* item = m_lists[kind]->currentItem();
    if (item == nullptr || !item->isSelected()) return;
    const int row = m_lists[kind]->indexOfTopLevelItem(item);
    if (row < 0 || static_cast<std::size_t>(row) >= m_records[kind].size()) return;
    const CommRecordRef& record = m_records[kind][static_cast<std::size_t>(row)];
    if (HasRecord(record)) OpenDetail(kind, record);
}

bool TfmDataPage::Commit() {
    AdapterTable& table = GetAdapterTable();
    PickChecked(table.SelectedAddr(), m_lists[CommKindAddr], m_records[CommKindAddr], m_shown[CommKindAddr]);
    PickChecked(table.SelectedDate(), m_lists[CommKindDate], m_records[CommKindDate], m_shown[CommKindDate]);
    PickChecked(table.SelectedTask(), m_lists[CommKindTask], m_records[CommKindTask], m_shown[CommKindTask]);
    PickChecked(table.SelectedNote(), m_lists[CommKindNote], m_records[CommKindNote], m_shown[CommKindNote]);
    return MigrateApplication(HandleOf(Host().OwnerWindow()), kAppOutlook);
}

TfmPDData::TfmPDData(WizardHost& host, QWidget* parent) : TfmDataPage(host, kAppPalm, parent) {}

TfmGGData::TfmGGData(WizardHost& host, QWidget* parent) : TfmDataPage(host, kAppGoogle, parent) {}
bool TfmGGData::Reload(int) { return true; }

TfmACTData::TfmACTData(WizardHost& host, QWidget* parent) : TfmDataPage(host, kAppACT, parent) {}

TfmLNData::TfmLNData(WizardHost& host, QWidget* parent) : TfmDataPage(host, kAppLotus, parent) {}

TfmOLData::TfmOLData(WizardHost& host, QWidget* parent) : TfmDataPage(host, kAppOutlook, parent) {}
