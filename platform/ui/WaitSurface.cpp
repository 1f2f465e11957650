#include "platform/ui/WaitSurface.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace platform {

namespace {

// One line on the terminal behind standard error, rewritten when it changes
// and wiped when the surface closes.
class TerminalLine : public WaitSurface {
public:
    ~TerminalLine() override {
        if (!m_line.empty()) Write("\r\x1b[K");
    }

    void ShowLine(const std::string& line) override {
        if (line == m_line) return;
        m_line = line;
        Write("\r" + line + "\x1b[K");
    }

private:
    static void Write(const std::string& text) {
        const char* p = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t n = ::write(STDERR_FILENO, p, left);
            if (n <= 0) return;
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    std::string m_line;
};

struct InstalledFactory {
    std::mutex mutex;
    WindowSurfaceFactory factory;
};

InstalledFactory& Installed() {
    static InstalledFactory installed;
    return installed;
}

}  // namespace

void InstallWindowSurfaceFactory(WindowSurfaceFactory factory) {
    std::lock_guard lock(Installed().mutex);
    Installed().factory = std::move(factory);
}

std::unique_ptr<WaitSurface> OpenWindowSurface(const WindowOptions& options) {
    WindowSurfaceFactory factory;
    {
        std::lock_guard lock(Installed().mutex);
        factory = Installed().factory;
    }
    return factory ? factory(options) : nullptr;
}

std::unique_ptr<WaitSurface> OpenTerminalLine() {
    if (!::isatty(STDERR_FILENO)) return nullptr;
    return std::make_unique<TerminalLine>();
}

WaitWindowChoice ChosenWaitWindow() {
    const char* choice = std::getenv("FRWY_WAIT_WINDOW");
    const std::string pick = choice ? choice : "";
    if (pick == "x11") return WaitWindowChoice::Window;
    if (pick == "terminal") return WaitWindowChoice::Terminal;
    if (pick == "none") return WaitWindowChoice::Nowhere;
    return WaitWindowChoice::Any;
}

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

}  // namespace platform
