#pragma once
// The desktop services the pages and dialogs use besides message boxes: the
// open-file and folder dialogs and the system's "open" action on files, folders and
// addresses. The wizard uses the Qt ones; tests install a scripted one.
#include <QString>
#include <QStringList>
#include <QWidget>

struct OpenFileRequest {
    QString title;
    // Filters as the dialog shows them, e.g. "Palm Desktop 4.x Database File(*.dat)".
    QStringList filters;
    // The file or folder the dialog starts at; may be empty.
    QString start;
};

class WizardServices {
public:
    virtual ~WizardServices() = default;
    // The chosen existing file, or an empty text when the dialog was cancelled.
    virtual QString GetOpenFileName(QWidget* owner, const OpenFileRequest& request) = 0;
    // The chosen existing folder, or an empty text when cancelled.
    virtual QString GetExistingFolder(QWidget* owner, const QString& title, const QString& start) = 0;
    // Opens a file, folder or address (http:, mailto:) with the desktop's
    // "open" action; false when nothing could open it.
    virtual bool OpenWithSystem(const QString& pathOrUrl) = 0;
};

// The services in use: the Qt ones unless a test installed others.
WizardServices& CurrentWizardServices();
// Installs services (not owned; they must outlive their use); null restores
// the Qt ones.
void SetWizardServices(WizardServices* services);
