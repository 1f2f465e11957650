#include "app/wizard/TfmSource.h"

TfmSource::TfmSource(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
