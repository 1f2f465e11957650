#include "app/wizard/TfmGGOption.h"

TfmGGOption::TfmGGOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
