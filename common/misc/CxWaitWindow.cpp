#include "common/misc/CxWaitWindow.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "common/misc/CxCommWaitWindow.h"
#include "common/misc/CxDebugUtil.h"

namespace {

// Where a new window shows itself: a window of its own when a display is
// there, else one updating line on the terminal, else nowhere.
// FRWY_WAIT_WINDOW picks one of them.
std::unique_ptr<platform::WaitSurface> OpenWaitWindowSurface() {
    using platform::WaitWindowChoice;
    const WaitWindowChoice choice = platform::ChosenWaitWindow();
    if (choice == WaitWindowChoice::Nowhere) return nullptr;
    if (choice != WaitWindowChoice::Terminal) {
        const std::string display = platform::DisplayName();
        if (!display.empty()) {
            const platform::WindowOptions options{CxCommWaitWindow::kWidth, CxCommWaitWindow::kHeight,
                                                  CxCommWaitWindow::kWindowName, CxCommWaitWindow::kFontFamily};
            if (auto window = platform::OpenWindowSurface(options)) return window;
            CX_LOG(kLogDetail, "The wait window cannot be shown on display %s.", display.c_str());
        }
        if (choice == WaitWindowChoice::Window) return nullptr;
    }
    return platform::OpenTerminalLine();
}

// The one window of the process and its thread. The window object is made
// and published before its thread starts, so a message, a status file or a
// stop given right after the start always reach it; a stop takes the
// window out of reach at once and waits for its thread to end.
class WaitWindowController {
public:
    ~WaitWindowController() { Stop(); }

    bool Start(platform::WindowHandle owner) {
        Stop();
        auto window = std::make_unique<CxCommWaitWindow>();
        if (!window->OnCreate()) {
            CX_LOG(kLogCritical, "Failed to create the wait window.");
            return false;
        }
        std::lock_guard lock(m_mutex);
        m_window = std::move(window);
        try {
            m_thread = std::thread(&WaitWindowController::Run, m_window.get(), owner);
        } catch (const std::system_error&) {
            m_window.reset();
            CX_LOG(kLogCritical, "Failed to start the wait window thread.");
            return false;
        }
        return true;
    }

    void Stop() {
        std::unique_ptr<CxCommWaitWindow> window;
        std::thread thread;
        {
            std::lock_guard lock(m_mutex);
            if (!m_window) return;
            m_window->StopEvent().Set();
            window = std::move(m_window);
            thread = std::move(m_thread);
        }
        if (thread.joinable()) thread.join();
    }

    template <class Fn>
    void WithWindow(Fn fn) {
        std::lock_guard lock(m_mutex);
        if (m_window) fn(*m_window);
    }

private:
    static void Run(CxCommWaitWindow* window, platform::WindowHandle owner) {
        std::unique_ptr<platform::WaitSurface> surface = OpenWaitWindowSurface();
        if (surface) window->Show(*surface);
        while (!window->StopEvent().Wait(CxCommWaitWindow::kTickMs)) {
            window->Tick();
            if (surface) window->Show(*surface);
        }
        surface.reset();
        platform::CurrentUserInterface().ActivateWindow(owner);
    }

    std::mutex m_mutex;
    std::unique_ptr<CxCommWaitWindow> m_window;
    std::thread m_thread;
};

WaitWindowController& Controller() {
    static WaitWindowController controller;
    return controller;
}

}  // namespace

bool StartWaitWindow(platform::WindowHandle owner) { return Controller().Start(owner); }

void SetWaitMessage(const char* text) {
    Controller().WithWindow([text](CxCommWaitWindow& window) { window.SetMessage(text); });
}

void WatchStatusFile(const char* path) {
    Controller().WithWindow([path](CxCommWaitWindow& window) {
        if (path != nullptr && *path != '\0') std::remove(path);
        window.SetStatusFile(path);
    });
}

void StopWaitWindow() { Controller().Stop(); }

WaitWindowState GetWaitWindowState() {
    WaitWindowState state;
    Controller().WithWindow([&state](CxCommWaitWindow& window) {
        state.exists = true;
        state.message = window.GetMessage();
        state.statusFile = window.GetStatusFile();
        state.tickCount = window.GetTickCount();
        state.elapsed = window.GetElapsed();
    });
    return state;
}
