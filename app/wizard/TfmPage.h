#pragma once
// A wizard page: a borderless form inside the main window's client panel.
// The window calls Prepare before the page is entered and Commit when the
// user presses Next on it; false from Commit keeps the wizard on the page.
#include <QWidget>

#include "app/wizard/WizardHost.h"

class TfmPage : public QWidget {
    Q_OBJECT
public:
    explicit TfmPage(WizardHost& host, QWidget* parent = nullptr);
    virtual void Prepare() {}
    virtual bool Commit() { return true; }

protected:
    WizardHost& Host() { return m_host; }

private:
    WizardHost& m_host;
};
