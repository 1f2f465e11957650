#pragma once
// The Google option page: the account's e-mail and password.
#include "app/wizard/TfmPage.h"

class TfmGGOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmGGOption(WizardHost& host, QWidget* parent = nullptr);
};
