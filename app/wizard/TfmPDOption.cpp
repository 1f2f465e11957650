#include "app/wizard/TfmPDOption.h"

TfmPDOption::TfmPDOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
