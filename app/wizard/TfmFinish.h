#pragma once
// The finish page: the counts of the migration, the log, Outlook and a new run.
#include "app/wizard/TfmPage.h"

class TfmFinish : public TfmPage {
    Q_OBJECT
public:
    explicit TfmFinish(WizardHost& host, QWidget* parent = nullptr);
};
