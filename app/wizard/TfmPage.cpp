#include "app/wizard/TfmPage.h"

TfmPage::TfmPage(WizardHost& host, QWidget* parent) : QWidget(parent), m_host(host) {}
