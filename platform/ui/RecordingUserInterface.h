#pragma once
// A user-interface service that records every call, for tests.
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/UserInterface.h"

namespace platform {

class RecordingUserInterface : public UserInterface {
public:
    enum class Kind { MessageBox, ErrorReport, Activate };
    struct Call {
        Kind kind;
        WindowHandle owner;
        std::string text;
        std::string caption;
        MessageIcon icon;
        ErrorReportInfo report;
    };

    void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowErrorReport(WindowHandle owner, const ErrorReportInfo& info) override;
    void ActivateWindow(WindowHandle owner) override;

    // A copy of the calls so far, in order.
    std::vector<Call> Calls() const;
    // The calls of one kind.
    std::vector<Call> Calls(Kind kind) const;
    void ClearCalls();

private:
    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
};

}  // namespace platform
