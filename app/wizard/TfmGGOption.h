#pragma once
// The Google option page: the account's e-mail and password, or an export
// of the account (a Takeout archive or folder, a .vcf, .ics or .csv file)
// to read instead.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/wizard/TfmPage.h"

class TfmGGOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmGGOption(WizardHost& host, QWidget* parent = nullptr);
    // Shows the stored e-mail, password, save boxes and export.
    void Prepare() override;
    // Needs an e-mail and a password unless an export is given; stores
    // them, then loads Google and Outlook.
    bool Commit() override;

private:
    void BrowseExportFile();
    void BrowseExportFolder();

    QLineEdit* edtEmail = nullptr;
    QLineEdit* edtPassword = nullptr;
    QCheckBox* cbSaveEmail = nullptr;
    QCheckBox* cbSavePassword = nullptr;
    QLineEdit* edtExportPath = nullptr;
    QPushButton* btnExportBrowse = nullptr;
    QPushButton* btnExportFolder = nullptr;
};
