#include "app/wizard/TfmProc.h"

TfmProc::TfmProc(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
