#include "app/wizard/TfmGGOption.h"

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/WindowHandle.h"

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
    // Google offers no user-defined field mapping in this wizard.
    wizard::HideMappingBox(
        wizard::AddMappingBox(layout, QStringLiteral("Enable Google Contacts User-Defined Field Mapping")));
    layout->addStretch(1);
    wizard::ChainTabOrder({edtEmail, edtPassword, cbSaveEmail, cbSavePassword});
}

void TfmGGOption::Prepare() {
    const Settings& s = AppSettings();
    edtEmail->setText(wizard::SettingText(s.GGEmail));
    edtPassword->setText(wizard::SettingText(s.GGPassword));
    cbSaveEmail->setChecked(s.GGSaveEmail != 0);
    cbSavePassword->setChecked(s.GGSavePassword != 0);
}

bool TfmGGOption::Commit() {
    if (edtEmail->text().isEmpty()) {
        wizard::ShowPageMessage(this, "Please enter the Email address of your Google account.",
                                platform::MessageIcon::Information);
        edtEmail->setFocus();
        return false;
    }
    if (edtPassword->text().isEmpty()) {
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
    return LoadApplications(HandleOf(Host().OwnerWindow()), kAppGoogle, kAppOutlook);
}
