#pragma once
// The Google option page: the account's e-mail and password.
#include <QCheckBox>
#include <QLineEdit>

#include "app/wizard/TfmPage.h"

class TfmGGOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmGGOption(WizardHost& host, QWidget* parent = nullptr);
    // Shows the stored e-mail, password and save boxes.
    void Prepare() override;
    // Needs an e-mail and a password; stores them, then loads Google and
    // Outlook.
    bool Commit() override;

private:
    QLineEdit* edtEmail = nullptr;
    QLineEdit* edtPassword = nullptr;
    QCheckBox* cbSaveEmail = nullptr;
    QCheckBox* cbSavePassword = nullptr;
};
