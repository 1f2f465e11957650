#include "app/wizard/TfmGGOption.h"

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/WindowHandle.h"
#include "app/wizard/WizardServices.h"

TfmGGOption::TfmGGOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmGGOption"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify Google account access options:"));
    auto* grid = new QGridLayout;
    edtEmail = wizard::AddEditRow(grid, 0, QStringLiteral("Google Account Email:"), "edtEmail").edit;
    edtPassword = wizard::AddEditRow(grid, 1, QStringLiteral("Password:"), "edtPassword").edit;
    wizard::MaskPassword(edtPassword);
    layout->addLayout(grid);
    cbSaveEmail = wizard::MakeCheckBox(QStringLiteral("Save Email"), "cbSaveEmail");
    cbSavePassword = wizard::MakeCheckBox(QStringLiteral("Save Password"), "cbSavePassword");
    auto* saves = new QHBoxLayout;
    saves->addWidget(cbSaveEmail);
    saves->addWidget(cbSavePassword);
    saves->addStretch(1);
    layout->addLayout(saves);
    // An export of the account is read without the account's password: a
    // Takeout archive or a single export file through the first button, an
    // unpacked Takeout folder through the second.
    wizard::AddNote(layout,
                    QStringLiteral("Or read a Google Takeout archive or folder, or a contacts or calendar export, "
                                   "instead of the account:"),
                    "lblExportNote");
    auto* exportGrid = new QGridLayout;
    const wizard::EditRow exportRow =
        wizard::AddEditRow(exportGrid, 0, QStringLiteral("Google Export:"), "edtExportPath", "btnExportBrowse");
    edtExportPath = exportRow.edit;
    btnExportBrowse = exportRow.browse;
    btnExportBrowse->setToolTip(QStringLiteral("Choose an archive or export file"));
    btnExportFolder = new QPushButton(QStringLiteral("Folder..."));
    btnExportFolder->setObjectName(QStringLiteral("btnExportFolder"));
    btnExportFolder->setAutoDefault(false);
    btnExportFolder->setToolTip(QStringLiteral("Choose an unpacked Takeout folder"));
    exportGrid->addWidget(btnExportFolder, 0, 3);
    layout->addLayout(exportGrid);
    connect(btnExportBrowse, &QPushButton::clicked, this, &TfmGGOption::BrowseExportFile);
    connect(btnExportFolder, &QPushButton::clicked, this, &TfmGGOption::BrowseExportFolder);
    // Google offers no user-defined field mapping in this wizard.
    wizard::HideMappingBox(
        wizard::AddMappingBox(layout, QStringLiteral("Enable Google Contacts User-Defined Field Mapping")));
    layout->addStretch(1);
    wizard::ChainTabOrder(
        {edtEmail, edtPassword, cbSaveEmail, cbSavePassword, edtExportPath, btnExportBrowse, btnExportFolder});
}

void TfmGGOption::Prepare() {
    const Settings& s = AppSettings();
    edtEmail->setText(wizard::SettingText(s.GGEmail));
    edtPassword->setText(wizard::SettingText(s.GGPassword));
    cbSaveEmail->setChecked(s.GGSaveEmail != 0);
    cbSavePassword->setChecked(s.GGSavePassword != 0);
    edtExportPath->setText(wizard::SettingText(s.GGExportPath));
}

bool TfmGGOption::Commit() {
    const bool fromExport = !edtExportPath->text().trimmed().isEmpty();
    if (!fromExport && edtEmail->text().isEmpty()) {
        wizard::ShowPageMessage(this, "Please enter the Email address of your Google account.",
                                platform::MessageIcon::Information);
        edtEmail->setFocus();
        return false;
    }
    if (!fromExport && edtPassword->text().isEmpty()) {
        wizard::ShowPageMessage(this, "Please enter the password of your Google account.",
                                platform::MessageIcon::Information);
        edtPassword->setFocus();
        return false;
    }
    Settings& s = AppSettings();
    s.GGSaveEmail = cbSaveEmail->isChecked() ? 1 : 0;
    s.GGSavePassword = cbSavePassword->isChecked() ? 1 : 0;
    wizard::StoreText(s.GGEmail, edtEmail->text(), 63);
    wizard::StoreText(s.GGPassword, edtPassword->text(), 63);
    wizard::StoreText(s.GGExportPath, edtExportPath->text().trimmed());
    return LoadApplications(HandleOf(Host().OwnerWindow()), kAppGoogle, kAppOutlook);
}

void TfmGGOption::BrowseExportFile() {
    const QString chosen = wizard::AskForFile(this, QStringLiteral("Open Google Export"),
                                              {wizard::Filter(QStringLiteral("Google Takeout archive or export"),
                                                              QStringLiteral("*.zip *.tgz *.tar.gz *.vcf *.ics *.csv")),
                                               wizard::Filter(QStringLiteral("All files"), QStringLiteral("*"))},
                                              edtExportPath->text());
    if (!chosen.isEmpty()) edtExportPath->setText(chosen);
}

void TfmGGOption::BrowseExportFolder() {
    const QString chosen = CurrentWizardServices().GetExistingFolder(this, QStringLiteral("Open Google Takeout Folder"),
                                                                     edtExportPath->text());
    if (!chosen.isEmpty()) edtExportPath->setText(chosen);
}
