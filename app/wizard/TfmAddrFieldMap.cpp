#include "app/wizard/TfmAddrFieldMap.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdint>

#include "app/AppCommon.h"
#include "app/AppIds.h"
#include "app/FieldCatalogue.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/WizardServices.h"

namespace {

const QString kTarget = QStringLiteral("Outlook Contacts");

QString SourceName(int app) {
    switch (app) {
    case kAppACT: return QStringLiteral("ACT! Contacts");
    case kAppGoogle: return QStringLiteral("Google Contacts");
    case kAppLotus: return QStringLiteral("Lotus Notes Contacts");
    case kAppPalm: return QStringLiteral("Palm Desktop Contacts");
    default: return QString();
    }
}

// The stored field ids of a source, slots 1 to 9 at indexes 1 to 9.
std::int32_t* StoredIds(Settings& s, int app) {
    switch (app) {
    case kAppACT: return s.ACTCustomID;
    case kAppGoogle: return s.GGCustomID;
    case kAppLotus: return s.LNCustomID;
    case kAppPalm: return s.PDCustomID;
    default: return nullptr;
    }
}

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

}  // namespace

TfmAddrFieldMap::TfmAddrFieldMap(int sourceApp, QWidget* parent) : QDialog(parent), m_app(sourceApp) {
    setObjectName(QStringLiteral("TfmAddrFieldMap"));
    setWindowTitle(QStringLiteral("Contacts Custom Field Mapping"));
    setMinimumWidth(720);

    lblTitle = NamedLabel("lblTitle", this);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTopLine1 = NamedLabel("lblTopLine1", this);
    QLabel* lblTopLine2 = NamedLabel("lblTopLine2", this);
    lblTopLine1->setWordWrap(false);
    lblTopLine2->setWordWrap(false);
    lblTopLine2->setText(
        QStringLiteral("custom fields. Otherwise, the specified fields here will be migrated to the custom fields.."));

    pMap = new QTabWidget(this);
    pMap->setObjectName(QStringLiteral("pMap"));
    auto* pictures = new QVBoxLayout;
    AddSourceTab(kAppACT, "ACT", QStringLiteral("ACT! Contacts Field Mapping"));
    AddSourceTab(kAppGoogle, "GG", QStringLiteral("Google Contacts Field Mapping"));
    AddSourceTab(kAppLotus, "LN", QStringLiteral("Lotus Notes Field Mapping"));
    AddSourceTab(kAppPalm, "PD", QStringLiteral("Palm Desktop Contacts Field Mapping"));
    for (const SourceTab& t : m_tabs) pictures->addWidget(t.picture);
    pictures->addStretch(1);

    lblRef = new QLabel(this);
    lblRef->setObjectName(QStringLiteral("lblRef"));
    lblRef->setText(QStringLiteral("<a href=\"help\">More about migrating fields ...</a>"));
    lblRef->setTextFormat(Qt::RichText);
    lblRef->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblRef->setFocusPolicy(Qt::StrongFocus);
    connect(lblRef, &QLabel::linkActivated, this, [] { CurrentWizardServices().OpenWithSystem(HelpPagePath()); });

    auto* btnOK = new QPushButton(QStringLiteral("&OK"), this);
    auto* btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfmAddrFieldMap::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfmAddrFieldMap::reject);

    auto* middle = new QHBoxLayout;
    middle->addLayout(pictures);
    middle->addWidget(pMap, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblRef);
    bottom->addStretch(1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    auto* topLines = new QVBoxLayout;
    topLines->setSpacing(0);
    topLines->addWidget(lblTopLine1);
    topLines->addWidget(lblTopLine2);
    layout->addLayout(topLines);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    Prepare();
}

void TfmAddrFieldMap::AddSourceTab(int app, const char* prefix, const QString& caption) {
    SourceTab t;
    t.app = app;
    t.tab = new QWidget(pMap);
    t.tab->setObjectName(QStringLiteral("t%1").arg(QLatin1String(prefix)));
    t.picture = new TfmPicture(TfmPicture::Kind::Application, this);
    t.picture->setObjectName(QStringLiteral("img%1").arg(QLatin1String(prefix)));
    t.picture->SetApp(app);
    t.picture->setFixedSize(150, 68);  // as in the main window

    const QString detail = QStringLiteral("lbl%1DetailLine").arg(QLatin1String(prefix));
    t.line1 = NamedLabel((detail + QLatin1Char('1')).toLatin1().constData(), t.tab);
    t.line2 = NamedLabel((detail + QLatin1Char('2')).toLatin1().constData(), t.tab);
    auto* form = new QFormLayout;
    for (int slot = 0; slot < kSlots; ++slot) {
        auto* list = new QComboBox(t.tab);
        list->setObjectName(QStringLiteral("cb%1Custom%2").arg(QLatin1String(prefix)).arg(slot + 1));
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(24);
        list->setMaxVisibleItems(20);
        form->addRow(QStringLiteral("Custom %1:").arg(slot + 1), list);
        t.lists[static_cast<std::size_t>(slot)] = list;
    }
    auto* layout = new QVBoxLayout(t.tab);
    layout->addWidget(t.line1);
    layout->addWidget(t.line2);
    layout->addLayout(form);
    layout->addStretch(1);
    pMap->addTab(t.tab, caption);
    m_tabs.push_back(t);
}

TfmAddrFieldMap::SourceTab* TfmAddrFieldMap::Current() {
    for (SourceTab& t : m_tabs)
        if (t.app == m_app) return &t;
    return nullptr;
}

void TfmAddrFieldMap::Prepare() {
    const QString source = SourceName(m_app);
    lblTitle->setText(QStringLiteral("Set %1 and %2 custom fields mapping.").arg(source, kTarget));
    lblTopLine1->setText(
        QStringLiteral("If the custom field mapping information is not set, the %1 fields will be copied to with %2")
            .arg(source, kTarget));
    for (int i = 0; i < pMap->count(); ++i) pMap->setTabVisible(i, false);
    for (SourceTab& t : m_tabs) t.picture->setVisible(false);

    SourceTab* t = Current();
    if (t == nullptr) return;
    const int index = pMap->indexOf(t->tab);
    pMap->setTabVisible(index, true);
    pMap->setCurrentIndex(index);
    t->picture->setVisible(true);
    t->line1->setText(
        QStringLiteral("In this sheet, you may choose which %1 fields should be mapped to %2 custom fields.")
            .arg(source, kTarget));
    t->line2->setText(QStringLiteral("%1 Fields ==> %2 Custom Fields").arg(source, kTarget));

    Settings& s = AppSettings();
    const std::vector<FieldCatalogueEntry> catalogue = ContactFieldCatalogue(m_app, s);
    const std::int32_t* ids = StoredIds(s, m_app);
    for (int slot = 0; slot < kSlots; ++slot) {
        QComboBox* list = t->lists[static_cast<std::size_t>(slot)];
        list->clear();
        list->addItem(QStringLiteral("[Not Set]"), 0);
        for (const FieldCatalogueEntry& entry : catalogue)
            list->addItem(QString::fromUtf8(entry.label.c_str()), entry.id);
        const int stored = ids != nullptr ? ids[slot + 1] : 0;
        const int at = stored == 0 ? 0 : list->findData(stored);
        list->setCurrentIndex(at < 0 ? 0 : at);
    }
}

void TfmAddrFieldMap::accept() {
    SourceTab* t = Current();
    if (std::int32_t* ids = StoredIds(AppSettings(), m_app); t != nullptr && ids != nullptr)
        for (int slot = 0; slot < kSlots; ++slot)
            ids[slot + 1] = t->lists[static_cast<std::size_t>(slot)]->currentData().toInt();
    QDialog::accept();
}

bool TfmAddrFieldMap::Run(int sourceApp, QWidget* parent) {
    TfmAddrFieldMap dialog(sourceApp, parent);
    return dialog.exec() == QDialog::Accepted;
}
