#include "app/wizard/TfmACTOption.h"

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/WindowHandle.h"

TfmACTOption::TfmACTOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmACTOption"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify ACT! by Sage data access options:"));
    auto* grid = new QGridLayout;
    const wizard::EditRow app = wizard::AddEditRow(grid, 0, QStringLiteral("App Path:"), "edtAppPath", "btnAppBrowse");
    edtAppPath = app.edit;
    btnAppBrowse = app.browse;
    const wizard::EditRow pad = wizard::AddEditRow(grid, 1, QStringLiteral("PAD Path:"), "edtPadName", "btnPadBrowse");
    edtPadName = pad.edit;
    btnPadBrowse = pad.browse;
    edtUserName = wizard::AddEditRow(grid, 2, QStringLiteral("User:"), "edtUserName").edit;
    edtPassword = wizard::AddEditRow(grid, 3, QStringLiteral("Password:"), "edtPassword").edit;
    wizard::MaskPassword(edtPassword);
    layout->addLayout(grid);
    cbSaveUser = wizard::MakeCheckBox(QStringLiteral("Save User Name"), "cbSaveUser");
    cbSavePassword = wizard::MakeCheckBox(QStringLiteral("Save Password"), "cbSavePassword");
    auto* saves = new QHBoxLayout;
    saves->addWidget(cbSaveUser);
    saves->addWidget(cbSavePassword);
    saves->addStretch(1);
    layout->addLayout(saves);
    // ACT! offers no user-defined field mapping in this wizard.
    wizard::HideMappingBox(
        wizard::AddMappingBox(layout, QStringLiteral("Enable ACT! Contacts User-Defined Field Mapping")));
    layout->addStretch(1);
    wizard::ChainTabOrder(
        {edtAppPath, btnAppBrowse, edtPadName, btnPadBrowse, edtUserName, edtPassword, cbSaveUser, cbSavePassword});

    connect(btnAppBrowse, &QPushButton::clicked, this, &TfmACTOption::BrowseProgram);
    connect(btnPadBrowse, &QPushButton::clicked, this, &TfmACTOption::BrowseDatabase);
}

void TfmACTOption::Prepare() {
    Settings& s = AppSettings();
    if (s.ACTPadName[0] == '\0') FindActDatabase(s.ACTPadName, sizeof s.ACTPadName);
    if (s.ACTAppName[0] == '\0') GetActProgramPath(s.ACTAppName, sizeof s.ACTAppName);
    edtAppPath->setText(wizard::SettingText(s.ACTAppName));
    edtPadName->setText(wizard::SettingText(s.ACTPadName));
    edtUserName->setText(wizard::SettingText(s.ACTUserName));
    edtPassword->setText(wizard::SettingText(s.ACTPassword));
    cbSaveUser->setChecked(s.ACTSaveUser != 0);
    cbSavePassword->setChecked(s.ACTSavePassword != 0);
}

bool TfmACTOption::Commit() {
    Settings& s = AppSettings();
    s.ACTSaveUser = cbSaveUser->isChecked() ? 1 : 0;
    s.ACTSavePassword = cbSavePassword->isChecked() ? 1 : 0;
    const QString program = edtAppPath->text();
    const QString database = edtPadName->text();
    if (!program.isEmpty()) wizard::StoreText(s.ACTAppName, program, 255);
    if (!database.isEmpty()) wizard::StoreText(s.ACTPadName, database, 255);
    if (!edtUserName->text().isEmpty()) wizard::StoreText(s.ACTUserName, edtUserName->text(), 63);
    if (!edtPassword->text().isEmpty()) wizard::StoreText(s.ACTPassword, edtPassword->text(), 63);
    // The ACT! program is not needed to read ACT! data here: only a program
    // that is named must exist.
    if (!program.isEmpty() && !wizard::FileExists(program)) {
        wizard::ShowPageMessage(this, "The ACT! application is not found on your computer.");
        edtAppPath->setFocus();
        return false;
    }
    // A database reached through the Web API by its name needs no ".pad".
    const bool byName = database.isEmpty() && s.ACTDatabaseName[0] != '\0';
    if (!byName && !wizard::FileExists(database)) {
        wizard::ShowPageMessage(this, "Invalid ACT! Pad file name.");
        edtPadName->setFocus();
        return false;
    }
    // A text export is read without logging in.
    if (edtUserName->text().isEmpty() && !IsActTextExport(database.toUtf8().constData())) {
        wizard::ShowPageMessage(this, "Invalid ACT! login user name.");
        edtUserName->setFocus();
        return false;
    }
    return LoadApplications(HandleOf(Host().OwnerWindow()), kAppACT, kAppOutlook);
}

void TfmACTOption::BrowseProgram() {
    const QString chosen = wizard::AskForFile(
        this, QStringLiteral("Open ACT! executable file"),
        {wizard::Filter(QStringLiteral("ACT! executable file (ActSage.exe)"), QStringLiteral("*.exe"))},
        wizard::BrowseStart(edtAppPath, &GetActProgramPath));
    if (!chosen.isEmpty()) edtAppPath->setText(chosen);
}

void TfmACTOption::BrowseDatabase() {
    const QString chosen = wizard::AskForFile(
        this, QStringLiteral("Open ACT! Database File"),
        {wizard::Filter(QStringLiteral("ACT! Database File (*.pad)"), QStringLiteral("*.pad")),
         wizard::Filter(QStringLiteral("ACT! text export (*.csv *.txt)"), QStringLiteral("*.csv *.txt"))},
        wizard::BrowseStart(edtPadName, &FindActDatabase));
    if (!chosen.isEmpty()) edtPadName->setText(chosen);
}
