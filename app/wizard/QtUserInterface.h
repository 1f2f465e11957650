#pragma once
// The wizard's user-interface service: message boxes and the error report
// as modal windows owned by the window the driver names, and the owner
// brought to the front when the wait window closes.
#include "platform/ui/UserInterface.h"

class QtUserInterface : public platform::UserInterface {
public:
    // On the user-interface thread only.
    void MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                    platform::MessageIcon icon) override;
    // On the user-interface thread only: the modal TfmDump.
    void ShowErrorReport(platform::WindowHandle owner, const platform::ErrorReportInfo& info) override;
    // From any thread: the request is queued to the user-interface thread,
    // which raises and activates the owner's window.
    void ActivateWindow(platform::WindowHandle owner) override;
};
