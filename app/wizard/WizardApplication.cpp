#include "app/wizard/WizardApplication.h"

#include "app/wizard/QtUserInterface.h"
#include "app/wizard/TfmMain.h"
#include "app/wizard/WindowHandle.h"
#include "common/misc/CxDebugUtil.h"
#include "common/palm/TdmMain.h"

namespace {

QWidget* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<TfmMain*>(widget)) return main;
    return QApplication::activeWindow();
}

}  // namespace

WizardApplication::WizardApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool WizardApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    RunGuarded([&] {
        result = QApplication::notify(receiver, event);
        return true;
    });
    return result;
}

void ReportUnhandledException(const std::string& what) {
    static bool reporting = false;
    CX_LOG(kLogCritical, "Unhandled exception: %s", what.c_str());
    if (reporting) return;
    struct Reporting {
        Reporting() { reporting = true; }
        ~Reporting() { reporting = false; }
    } scope;
    const platform::WindowHandle owner = HandleOf(MainWindow());
    platform::UserInterface& ui = platform::CurrentUserInterface();
    ui.MessageBox(owner, what, "Error", platform::MessageIcon::Error);
    CxDebugUtil& debug = CxDebugUtil::Instance();
    ui.ShowErrorReport(owner, {debug.GetFolder(), debug.GetLogPath(), std::string()});
}

int RunWizard(int& argc, char** argv) {
    WizardApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferrywise"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ferrywise for Outlook"));
    QtUserInterface ui;
    const platform::ScopedUserInterface scope(&ui);
    // The data module's database connections come before the window.
    TdmMain::Instance();
    TfmMain window;
    window.show();
    return app.exec();
}
