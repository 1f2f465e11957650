#include "app/wizard/TfmOLOption.h"

#include <QDir>
#include <QFileInfo>
#include <cstdint>

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/TfmAddrFieldMap.h"
#include "app/wizard/WizardServices.h"

namespace {

// The source's switch of its contacts' user-defined field mapping.
std::int32_t* SourceCustomFlag(Settings& s) {
    switch (s.SourceApp) {
    case kAppACT: return &s.ACTCustom;
    case kAppGoogle: return &s.GGCustom;
    case kAppLotus: return &s.LNCustom;
    case kAppPalm: return &s.PDCustom;
    default: return nullptr;
    }
}

// A folder as typed, made absolute: the current folder changes while the
// program runs. "~/" stands for the home folder; empty stays empty.
QString AbsoluteFolder(const QString& typed) {
    QString folder = typed.trimmed();
    if (folder == QLatin1String("~") || folder.startsWith(QLatin1String("~/")))
        folder = QDir::homePath() + folder.mid(1);
    return folder.isEmpty() ? folder : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

}  // namespace

TfmOLOption::TfmOLOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmOLOption"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify Microsoft Outlook options:"));
    auto* grid = new QGridLayout;
    const wizard::EditRow path =
        wizard::AddEditRow(grid, 0, QStringLiteral("Outlook.exe Path:"), "edtOLPath", "btnOLBrowse");
    edtOLPath = path.edit;
    btnOLBrowse = path.browse;
    lblOLVersion = wizard::AddVersionRow(grid, 1, QStringLiteral("Outlook Version:"), "lblOLVersion");
    const wizard::EditRow store =
        wizard::AddEditRow(grid, 2, QStringLiteral("Outlook Store Folder:"), "edtOLStorePath", "btnOLStoreBrowse");
    edtOLStorePath = store.edit;
    btnOLStoreBrowse = store.browse;
    layout->addLayout(grid);
    wizard::AddNote(layout,
                    QStringLiteral("The store folder receives the migrated contacts, calendar items, tasks and notes."),
                    "lblOLStoreNote");
    const wizard::MappingBox mapping =
        wizard::AddMappingBox(layout, QStringLiteral("Enable Outlook Contacts User-Defined Field Mapping"));
    cbFieldMap = mapping.cbFieldMap;
    btnMap = mapping.btnMap;
    layout->addStretch(1);
    wizard::ChainTabOrder({edtOLPath, btnOLBrowse, edtOLStorePath, btnOLStoreBrowse, cbFieldMap, btnMap});

    connect(btnOLBrowse, &QPushButton::clicked, this, &TfmOLOption::BrowseProgram);
    connect(btnOLStoreBrowse, &QPushButton::clicked, this, &TfmOLOption::BrowseStore);
    connect(cbFieldMap, &QCheckBox::toggled, btnMap, &QPushButton::setEnabled);
    connect(btnMap, &QPushButton::clicked, this, &TfmOLOption::OpenFieldMap);
}

void TfmOLOption::Prepare() {
    Settings& s = AppSettings();
    const std::string store = UseOutlookStore();
    if (s.OLAppName[0] == '\0') {
        char path[260];
        // Without a registered Outlook program, Outlook here is the store.
        if (GetOutlookProgramPath(path, sizeof path))
            platform::CopyText(s.OLAppName, path);
        else
            platform::CopyText(s.OLAppName, store);
    }
    edtOLPath->setText(wizard::SettingText(s.OLAppName));
    wizard::ShowVersion(lblOLVersion, GetOutlookVersionText(), QStringLiteral("Unknown"));

    m_shownStore = QString::fromStdString(store);
    edtOLStorePath->setText(m_shownStore);
    // A store named by the environment (or --store) is not the page's to change.
    const bool ours = !OutlookStoreFromEnvironment();
    edtOLStorePath->setReadOnly(!ours);
    edtOLStorePath->setToolTip(ours ? QString()
                                    : QStringLiteral("Named by FRWY_OUTLOOK_STORE (or --store) for this run."));
    btnOLStoreBrowse->setEnabled(ours);

    const std::int32_t* flag = SourceCustomFlag(s);
    const bool contacts = s.SyncAddr != 0;
    cbFieldMap->setEnabled(contacts);
    cbFieldMap->setChecked(contacts && flag != nullptr && *flag != 0);
    btnMap->setEnabled(cbFieldMap->isChecked());
}

bool TfmOLOption::Commit() {
    if (edtOLPath->text().isEmpty()) {
        wizard::ShowPageMessage(this, "Invalid path for outlook.exe. Outlook executable not found.");
        edtOLPath->setFocus();
        return false;
    }
    Settings& s = AppSettings();
    wizard::StoreText(s.OLAppName, edtOLPath->text());
    if (!OutlookStoreFromEnvironment() && edtOLStorePath->text() != m_shownStore)
        wizard::StoreText(s.OLStorePath, AbsoluteFolder(edtOLStorePath->text()));
    // Without contacts the switch is not offered; the stored choice stays.
    if (std::int32_t* flag = SourceCustomFlag(s); flag != nullptr && cbFieldMap->isEnabled())
        *flag = cbFieldMap->isChecked() ? 1 : 0;
    SetupCustomFieldMap(s.SourceApp);
    return true;
}

void TfmOLOption::OpenFieldMap() {
    const int source = AppSettings().SourceApp;
    if (TfmAddrFieldMap::Run(source, this)) SetupCustomFieldMap(source);
}

void TfmOLOption::BrowseProgram() {
    const QString chosen = wizard::AskForFile(
        this, QStringLiteral("Open Outlook executable file"),
        {wizard::Filter(QStringLiteral("Outlook executable file (outlook.exe)"), QStringLiteral("*.exe")),
         wizard::Filter(QStringLiteral("All Files(*.*)"), QStringLiteral("*.*"))},
        edtOLPath->text());
    if (!chosen.isEmpty()) edtOLPath->setText(chosen);
}

void TfmOLOption::BrowseStore() {
    const QString chosen = CurrentWizardServices().GetExistingFolder(
        this, QStringLiteral("Select the Outlook store folder"), edtOLStorePath->text());
    if (!chosen.isEmpty()) edtOLStorePath->setText(chosen);
}
