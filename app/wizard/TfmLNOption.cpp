#include "app/wizard/TfmLNOption.h"

TfmLNOption1::TfmLNOption1(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
TfmLNOption2::TfmLNOption2(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
