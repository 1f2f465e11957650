#pragma once
// The record review pages: one family, one page per source application.
#include "app/wizard/TfmPage.h"

class TfmPDData : public TfmPage {
    Q_OBJECT
public:
    explicit TfmPDData(WizardHost& host, QWidget* parent = nullptr);
};

class TfmGGData : public TfmPage {
    Q_OBJECT
public:
    explicit TfmGGData(WizardHost& host, QWidget* parent = nullptr);
};

class TfmACTData : public TfmPage {
    Q_OBJECT
public:
    explicit TfmACTData(WizardHost& host, QWidget* parent = nullptr);
};

class TfmLNData : public TfmPage {
    Q_OBJECT
public:
    explicit TfmLNData(WizardHost& host, QWidget* parent = nullptr);
};

class TfmOLData : public TfmPage {
    Q_OBJECT
public:
    explicit TfmOLData(WizardHost& host, QWidget* parent = nullptr);
};
