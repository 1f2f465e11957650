#include "platform/ui/ConsoleUserInterface.h"

#include <string>

namespace platform {

void ConsoleUserInterface::MessageBox(WindowHandle, std::string_view text, std::string_view caption, MessageIcon) {
    std::lock_guard lock(m_mutex);
    const std::string line = std::string(caption) + (caption.empty() ? "" : ": ") + std::string(text) + "\n";
    std::fputs(line.c_str(), Out());
    std::fflush(Out());
}

void ConsoleUserInterface::ShowErrorReport(WindowHandle, const ErrorReportInfo& info) {
    std::lock_guard lock(m_mutex);
    std::string text = std::string(kErrorReportSorry) + "\n";
    if (!info.supportAddress.empty())
        text += std::string(kErrorReportContact) + " " + info.supportAddress + " (" + kErrorReportSubject + ")\n";
    text += std::string(kErrorReportDebugInfo) + "\n";
    text += "Log Folder: " + info.logFolder + "\n";
    text += "Log File: " + info.logFile + "\n";
    std::fputs(text.c_str(), Out());
    std::fflush(Out());
}

}  // namespace platform
