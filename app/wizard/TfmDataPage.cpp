#include "app/wizard/TfmDataPage.h"

TfmPDData::TfmPDData(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
TfmGGData::TfmGGData(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
TfmACTData::TfmACTData(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
TfmLNData::TfmLNData(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
TfmOLData::TfmOLData(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {}
