#pragma once
// The progress page: an empty page that no sequence shows.
#include "app/wizard/TfmPage.h"

class TfmProc : public TfmPage {
    Q_OBJECT
public:
    explicit TfmProc(WizardHost& host, QWidget* parent = nullptr);
};
