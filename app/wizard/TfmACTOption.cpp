#include "app/wizard/TfmACTOption.h"

TfmACTOption::TfmACTOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
