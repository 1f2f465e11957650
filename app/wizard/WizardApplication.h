#pragma once
// The wizard's application object and its start. An exception that escapes
// an event handler is caught at the message loop: its text is shown in a
// message box captioned "Error", then the error report follows, and the
// loop goes on.
#include <QApplication>
#include <exception>
#include <string>

class WizardApplication : public QApplication {
    Q_OBJECT
public:
    WizardApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The message box with the exception's text and then the error report, both
// owned by the main window when there is one. An exception while a report
// is showing is only logged.
void ReportUnhandledException(const std::string& what);

// Runs `handler`; an exception escaping it is reported and gives false.
template <class Handler>
bool RunGuarded(Handler&& handler) {
    try {
        return handler();
    } catch (const std::exception& e) {
        ReportUnhandledException(e.what());
    } catch (...) {
        ReportUnhandledException("An unknown exception occurred.");
    }
    return false;
}

// The wizard: the application object, the window-based user-interface
// service and the main window, until the window is closed. The process's
// exit status.
int RunWizard(int& argc, char** argv);
