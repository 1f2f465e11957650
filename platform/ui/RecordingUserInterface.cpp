#include "platform/ui/RecordingUserInterface.h"

namespace platform {

void RecordingUserInterface::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                                        MessageIcon icon) {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(Call{Kind::MessageBox, owner, std::string(text), std::string(caption), icon, {}});
}

void RecordingUserInterface::ShowErrorReport(WindowHandle owner, const ErrorReportInfo& info) {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(Call{Kind::ErrorReport, owner, {}, {}, MessageIcon::Plain, info});
}

void RecordingUserInterface::ActivateWindow(WindowHandle owner) {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(Call{Kind::Activate, owner, {}, {}, MessageIcon::Plain, {}});
}

std::vector<RecordingUserInterface::Call> RecordingUserInterface::Calls() const {
    std::lock_guard lock(m_mutex);
    return m_calls;
}

std::vector<RecordingUserInterface::Call> RecordingUserInterface::Calls(Kind kind) const {
    std::lock_guard lock(m_mutex);
    std::vector<Call> out;
    for (const Call& call : m_calls)
        if (call.kind == kind) out.push_back(call);
    return out;
}

void RecordingUserInterface::ClearCalls() {
    std::lock_guard lock(m_mutex);
    m_calls.clear();
}

}  // namespace platform
