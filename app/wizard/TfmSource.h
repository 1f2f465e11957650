#pragma once
// The source page: the source application and the kinds of data.
#include "app/wizard/TfmPage.h"

class TfmSource : public TfmPage {
    Q_OBJECT
public:
    explicit TfmSource(WizardHost& host, QWidget* parent = nullptr);
};
