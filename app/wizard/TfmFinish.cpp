#include "app/wizard/TfmFinish.h"

TfmFinish::TfmFinish(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
