#pragma once
// The user-interface service of the batch mode: message boxes and the error
// report become lines on a stream (standard error by default).
#include <cstdio>
#include <mutex>

#include "platform/ui/UserInterface.h"

namespace platform {

class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(std::FILE* out = nullptr) : m_out(out) {}
    // "<caption>: <text>" on one line.
    void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowErrorReport(WindowHandle owner, const ErrorReportInfo& info) override;

private:
    std::FILE* Out() const { return m_out ? m_out : stderr; }
    std::mutex m_mutex;
    std::FILE* m_out;
};

}  // namespace platform
