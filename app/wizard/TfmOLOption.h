#pragma once
// The Outlook option page: the program, its version, the store and the field mapping switch.
#include "app/wizard/TfmPage.h"

class TfmOLOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmOLOption(WizardHost& host, QWidget* parent = nullptr);
};
