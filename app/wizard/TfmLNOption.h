#pragma once
// The two Lotus Notes option pages: program, id file and password; then the databases.
#include "app/wizard/TfmPage.h"

class TfmLNOption1 : public TfmPage {
    Q_OBJECT
public:
    explicit TfmLNOption1(WizardHost& host, QWidget* parent = nullptr);
};

class TfmLNOption2 : public TfmPage {
    Q_OBJECT
public:
    explicit TfmLNOption2(WizardHost& host, QWidget* parent = nullptr);
};
