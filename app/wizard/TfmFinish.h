#pragma once
// The finish page: per kind the number of records the migration wrote into
// Outlook, the number it could not write, the migration log, Outlook and a
// new run.
#include "app/wizard/TfmPage.h"

class QLabel;
class QPushButton;

class TfmFinish : public TfmPage {
    Q_OBJECT
public:
    explicit TfmFinish(WizardHost& host, QWidget* parent = nullptr);
    // Fills the counts of the migration that just ran.
    void Prepare() override;

    // The counts only ("%d").
    QLabel* lblAddrCount;
    QLabel* lblDateCount;
    QLabel* lblTaskCount;
    QLabel* lblNoteCount;
    // How many records could not be written; hidden when none.
    QLabel* lblFailed;
    QPushButton* btnLog;
    QPushButton* btnOL;
    QPushButton* btnBack;

    // "1 record could not be written; ..." / "N records could not be written; ...".
    static QString FailedText(int failed);

private:
    void OpenLog();
    void OpenOutlook();
};
