#pragma once
// The ACT! option page: program, database, user and password.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/wizard/TfmPage.h"

class TfmACTOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmACTOption(WizardHost& host, QWidget* parent = nullptr);
    // Fills the program and database (found on the machine when not set
    // yet), the user, the password and the two save boxes.
    void Prepare() override;
    // Stores what was entered, checks the program, the database (none is
    // needed when the setting "ACTDatabaseName" names one) and the user
    // (none for a text export), then loads ACT! and Outlook.
    bool Commit() override;

private:
    void BrowseProgram();
    void BrowseDatabase();

    QLineEdit* edtAppPath = nullptr;
    QPushButton* btnAppBrowse = nullptr;
    QLineEdit* edtPadName = nullptr;
    QPushButton* btnPadBrowse = nullptr;
    QLineEdit* edtUserName = nullptr;
    QLineEdit* edtPassword = nullptr;
    QCheckBox* cbSaveUser = nullptr;
    QCheckBox* cbSavePassword = nullptr;
};
