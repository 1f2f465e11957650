#pragma once
// What a wizard page may ask of the window that hosts it. The main window
// implements it; page tests use a small stand-in.
#include <QWidget>

class WizardHost {
public:
    virtual ~WizardHost() = default;
    // The main window: owner of the driver's message boxes and dialogs.
    virtual QWidget* OwnerWindow() = 0;
    // The number of pages of the chosen source's sequence (the source page
    // sets it when it is left).
    virtual void SetStepCount(int count) = 0;
    // Back to the source page (the finish page's "New Migration").
    virtual void RestartWizard() = 0;
};
