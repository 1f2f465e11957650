#pragma once
// The ACT! option page: program, database, user and password.
#include "app/wizard/TfmPage.h"

class TfmACTOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmACTOption(WizardHost& host, QWidget* parent = nullptr);
};
