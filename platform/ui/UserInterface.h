#pragma once
// The user-interface service that the driver and the lower layers call for
// message boxes and the error report. The wizard installs its window-based
// service; the batch mode uses the console one and tests a recording one.
// Without an installed service the console one answers.
#include <string>
#include <string_view>

namespace platform {

// An owner window as the service knows it (the wizard passes its main
// window); null for none.
using WindowHandle = void*;

enum class MessageIcon {
    Plain,  // no icon
    Error,
    Warning,
    Information,
    Question,
};

// What the error report shows besides its fixed texts.
struct ErrorReportInfo {
    std::string logFolder;       // the debug log's folder
    std::string logFile;         // the debug log's full path
    std::string supportAddress;  // e-mail address for reports; may be empty
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // A modal message box with an OK button.
    virtual void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // The modal error report shown after an unhandled exception.
    virtual void ShowErrorReport(WindowHandle owner, const ErrorReportInfo& info) = 0;
    // Brings the window to the top and makes it the foreground window. Called
    // from other threads than the user-interface thread too.
    virtual void ActivateWindow(WindowHandle owner) { (void)owner; }
};

// The service in use.
UserInterface& CurrentUserInterface();
// Installs a service (not owned; it must outlive its use); null restores the
// console one.
void SetUserInterface(UserInterface* ui);

// Installs a service for the life of the object, then restores the earlier.
class ScopedUserInterface {
public:
    explicit ScopedUserInterface(UserInterface* ui);
    ~ScopedUserInterface();
    ScopedUserInterface(const ScopedUserInterface&) = delete;
    ScopedUserInterface& operator=(const ScopedUserInterface&) = delete;

private:
    UserInterface* m_previous;
};

// The texts of the error report.
inline constexpr const char* kErrorReportSorry = "We're sorry that an unhandled exception occurred in Ferrywise. ";
inline constexpr const char* kErrorReportContact = "Please contact us at:";
inline constexpr const char* kErrorReportSubject = "Ferrywise for Outlook Error Report";
inline constexpr const char* kErrorReportDebugInfo =
    "It is very appreciated if you can include the debug information in your error report.";

}  // namespace platform
