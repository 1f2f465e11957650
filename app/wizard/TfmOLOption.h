#pragma once
// The Outlook option page: the program, its version, the store and the field mapping switch.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/wizard/TfmPage.h"

class TfmOLOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmOLOption(WizardHost& host, QWidget* parent = nullptr);
    // Fills the path, the version, the store in use and the mapping switch.
    void Prepare() override;
    // Needs a path; stores it, the store folder and the mapping switch, and
    // hands the source's contact adapter its field map.
    bool Commit() override;

private:
    void BrowseProgram();
    void BrowseStore();
    // The field map dialog of the current source; after OK the source's
    // contact adapter gets the new map.
    void OpenFieldMap();

    QLineEdit* edtOLPath = nullptr;
    QPushButton* btnOLBrowse = nullptr;
    QLabel* lblOLVersion = nullptr;
    QLineEdit* edtOLStorePath = nullptr;
    QPushButton* btnOLStoreBrowse = nullptr;
    QCheckBox* cbFieldMap = nullptr;
    QPushButton* btnMap = nullptr;
    QString m_shownStore;  // the store in use when the page was prepared
};
