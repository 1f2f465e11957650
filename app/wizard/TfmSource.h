#pragma once
// The source page: the source application and the kinds of data. Google
// offers contacts and calendar only, so choosing it unchecks and disables
// Tasks and Notes.
#include "app/wizard/TfmPage.h"

class QCheckBox;
class QRadioButton;

class TfmSource : public TfmPage {
    Q_OBJECT
public:
    explicit TfmSource(WizardHost& host, QWidget* parent = nullptr);
    // Checks the radio button of "SourceApp" and the kinds of the Sync settings.
    void Prepare() override;
    // Stores the source and the kinds; false with a message when no kind is
    // checked. Sets the host's step count.
    bool Commit() override;

    // The AppId of the checked radio button (Google when none is).
    int CheckedSource() const;

    QRadioButton* rbtnGG;
    QRadioButton* rbtnLN;
    QRadioButton* rbtnACT;
    QRadioButton* rbtnPD;
    QCheckBox* cbAddr;
    QCheckBox* cbDate;
    QCheckBox* cbTask;
    QCheckBox* cbNote;

signals:
    // The checked radio button changed to this source (an AppId).
    void SourceChanged(int appId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplySelectionRule();
};
