#include "app/wizard/TfmPDOption.h"

#include <cstdint>

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/WindowHandle.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "common/palm/PmUsers.h"

namespace {

// What differs between the four kinds, in the kind order.
struct PalmKind {
    const char* tabName;
    const char* tabTitle;
    const char* checkName;
    const char* editName;
    const char* buttonName;
    const char* caption;
    const char* dialogTitle;
    const char* rejected;  // the message for a file the kind's check refuses
    int (*checkFile)(const char* path);
    std::int32_t Settings::*sync;
    std::int32_t Settings::*useFile;
    char (Settings::*fileName)[256];
};

const PalmKind kPalmKinds[4] = {
    {"tAddr", "Contacts", "cbAddrFile", "edtAddrFile", "btnAddrBrowse", "Open Palm Desktop Contacts by File Name:",
     "Open Palm Desktop Contacts data file", "Invalid Palm Desktop contacts database file, please try another one.",
     &PmAddrInfo::CheckFileType, &Settings::SyncAddr, &Settings::PDUseAddrFile, &Settings::PDAddrFileName},
    {"tDate", "Calendar", "cbDateFile", "edtDateFile", "btnDateBrowse", "Open Palm Desktop Calendar by File Name:",
     "Open Palm Desktop Calendar data file", "Invalid Palm Desktop calendar database file, please try another one.",
     &PmDateInfo::CheckFileType, &Settings::SyncDate, &Settings::PDUseDateFile, &Settings::PDDateFileName},
    {"tTodo", "Tasks", "cbTodoFile", "edtTodoFile", "btnTodoBrowse", "Open Palm Desktop Tasks by File Name:",
     "Open Palm Desktop Task data file", "Invalid Palm Desktop task database file, please try another one.",
     &PmTodoInfo::CheckFileType, &Settings::SyncTask, &Settings::PDUseTaskFile, &Settings::PDTaskFileName},
    {"tMemo", "Notes", "cbMemoFile", "edtMemoFile", "btnMemoBrowse", "Open Palm Desktop Memos by File Name:",
     "Open Palm Desktop Memos data file", "Invalid Palm Desktop memo database file, please try another one.",
     &PmMemoInfo::CheckFileType, &Settings::SyncNote, &Settings::PDUseNoteFile, &Settings::PDNoteFileName},
};

}  // namespace

TfmPDOption::TfmPDOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmPDOption"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify Palm Desktop  access options:"));
    auto* grid = new QGridLayout;
    auto* userCaption = new QLabel(QStringLiteral("Select Palm User Profile :"));
    cbPDUser = new QComboBox;
    cbPDUser->setObjectName(QStringLiteral("cbPDUser"));
    userCaption->setBuddy(cbPDUser);
    grid->addWidget(userCaption, 0, 0);
    grid->addWidget(cbPDUser, 0, 1);
    lblPDVersion = wizard::AddVersionRow(grid, 1, QStringLiteral("Palm Desktop version:"), "lblPDVersion");
    layout->addLayout(grid);
    wizard::AddNote(layout,
                    QStringLiteral("When Palm Desktop is not installed on this computer, open its data files "
                                   "with the \"Open ... by File Name\" options below."),
                    "lblFileNote");

    pgFiles = new QTabWidget;
    pgFiles->setObjectName(QStringLiteral("pgFiles"));
    QList<QWidget*> order{cbPDUser, pgFiles};
    for (int kind = 0; kind < 4; ++kind) {
        const PalmKind& k = kPalmKinds[kind];
        KindTab& t = m_kinds[static_cast<std::size_t>(kind)];
        t.tab = new QWidget;
        t.tab->setObjectName(QLatin1String(k.tabName));
        auto* tabLayout = new QVBoxLayout(t.tab);
        t.check = wizard::MakeCheckBox(QString::fromLatin1(k.caption), k.checkName);
        tabLayout->addWidget(t.check);
        auto* fileGrid = new QGridLayout;
        const wizard::EditRow row = wizard::AddEditRow(fileGrid, 0, QString(), k.editName, k.buttonName);
        t.edit = row.edit;
        t.browse = row.browse;
        tabLayout->addLayout(fileGrid);
        tabLayout->addStretch(1);
        pgFiles->addTab(t.tab, QString::fromLatin1(k.tabTitle));
        wizard::ChainTabOrder({t.check, t.edit, t.browse});
        connect(t.check, &QCheckBox::toggled, this, [this, kind] { EnableFile(kind); });
        connect(t.browse, &QPushButton::clicked, this, [this, kind] { Browse(kind); });
    }
    layout->addWidget(pgFiles, 1);
    wizard::ChainTabOrder({cbPDUser, pgFiles});
}

void TfmPDOption::Prepare() {
    const Settings& s = AppSettings();
    LoadPalmUsers();
    wizard::ShowVersion(lblPDVersion, GetPalmDesktopVersionText(), QStringLiteral("Not Found."));

    cbPDUser->clear();
    const auto& users = GetPalmUsers();
    std::uint32_t wanted = static_cast<std::uint32_t>(s.PDUserID);
    if (wanted == 0 && !users.empty()) wanted = users.front()->UserID;
    int selected = -1;
    for (const auto& user : users) {
        if (selected < 0 && user->UserID == wanted) selected = cbPDUser->count();
        cbPDUser->addItem(wizard::SettingText(user->UserName), QVariant::fromValue<quint32>(user->UserID));
    }
    // A user that is no longer there: the first one.
    if (cbPDUser->count() > 0) cbPDUser->setCurrentIndex(selected < 0 ? 0 : selected);

    for (int kind = 0; kind < 4; ++kind) {
        const PalmKind& k = kPalmKinds[kind];
        KindTab& t = m_kinds[static_cast<std::size_t>(kind)];
        pgFiles->setTabVisible(kind, s.*k.sync != 0);
        t.check->setChecked(s.*k.useFile != 0);
        t.edit->setText(wizard::SettingText(s.*k.fileName));
        EnableFile(kind);
    }
}

void TfmPDOption::EnableFile(int kind) {
    KindTab& t = m_kinds[static_cast<std::size_t>(kind)];
    t.edit->setEnabled(t.check->isChecked());
    t.browse->setEnabled(t.check->isChecked());
}

void TfmPDOption::Browse(int kind) {
    const PalmKind& k = kPalmKinds[kind];
    KindTab& t = m_kinds[static_cast<std::size_t>(kind)];
    const QString chosen = wizard::AskForFile(
        this, QString::fromLatin1(k.dialogTitle),
        {wizard::Filter(QStringLiteral("Palm Desktop 4.x Database File(*.dat)"), QStringLiteral("*.dat")),
         wizard::Filter(QStringLiteral("Palm Desktop 6.x Database File(*.mdb)"), QStringLiteral("*.mdb")),
         wizard::Filter(QStringLiteral("All Files(*.*)"), QStringLiteral("*.*"))},
        t.edit->text());
    if (chosen.isEmpty()) return;
    if (k.checkFile(chosen.toUtf8().constData()) == kPmGenFailed) {
        wizard::ShowPageMessage(this, k.rejected);
        t.edit->setFocus();
        return;
    }
    t.edit->setText(chosen);
}

bool TfmPDOption::Commit() {
    Settings& s = AppSettings();
    if (cbPDUser->currentIndex() >= 0) s.PDUserID = static_cast<std::int32_t>(cbPDUser->currentData().value<quint32>());
    for (int kind = 0; kind < 4; ++kind) {
        const PalmKind& k = kPalmKinds[kind];
        const KindTab& t = m_kinds[static_cast<std::size_t>(kind)];
        s.*k.useFile = t.check->isChecked() ? 1 : 0;
        if (!t.edit->text().isEmpty()) wizard::StoreText(s.*k.fileName, t.edit->text(), 255);
    }
    return LoadApplications(HandleOf(Host().OwnerWindow()), kAppPalm, kAppOutlook);
}
