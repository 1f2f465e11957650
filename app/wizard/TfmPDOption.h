#pragma once
// The Palm Desktop option page: the user profile or the data files by name.
#include "app/wizard/TfmPage.h"

class TfmPDOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmPDOption(WizardHost& host, QWidget* parent = nullptr);
};
