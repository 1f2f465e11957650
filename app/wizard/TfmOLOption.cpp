#include "app/wizard/TfmOLOption.h"

TfmOLOption::TfmOLOption(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
