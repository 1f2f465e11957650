#pragma once
// The two Lotus Notes option pages: program, id file and password; then the
// databases. A database is a Notes database path, or Notes' own export of
// it (DXL for every kind, vCard for the address book, iCalendar for the
// mail database and the notebook), which is what the helpers read here.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/wizard/TfmPage.h"

class TfmLNOption1 : public TfmPage {
    Q_OBJECT
public:
    explicit TfmLNOption1(WizardHost& host, QWidget* parent = nullptr);
    // Fills the program and id file (found on the machine when not set
    // yet), the version, the password and its boxes.
    void Prepare() override;
    // Checks the program path and stores the page; loads nothing.
    bool Commit() override;

private:
    void BrowseProgram();
    void BrowseIdFile();

    QLineEdit* edtNotesPath = nullptr;
    QPushButton* btnNotesBrowse = nullptr;
    QLabel* lblNotesVersion = nullptr;
    QLineEdit* edtIDFile = nullptr;
    QPushButton* btnIDFileBrowse = nullptr;
    QCheckBox* cbLNPassword = nullptr;
    QLineEdit* edtLNPassword = nullptr;
    QCheckBox* cbLNSavePassword = nullptr;
};

class TfmLNOption2 : public TfmPage {
    Q_OBJECT
public:
    explicit TfmLNOption2(WizardHost& host, QWidget* parent = nullptr);
    // Fills the address book and notebook (found on the machine when not
    // set yet) and the mail database; offers each for its chosen kinds.
    void Prepare() override;
    // Stores the databases, then loads Lotus Notes and Outlook.
    bool Commit() override;

private:
    void BrowseAddressBook();
    void BrowseMailDatabase();
    void BrowseNotebook();

    QLineEdit* edtLNAddrPath = nullptr;
    QPushButton* btnLNAddrBrowse = nullptr;
    QLineEdit* edtLNDBPath = nullptr;
    QPushButton* btnLNDBBrowse = nullptr;
    QLineEdit* edtLNNotePath = nullptr;
    QPushButton* btnLNNoteBrowse = nullptr;
};
