#pragma once
// The process-wide wait window: at most one at a time, painted on its own
// thread every 100 ms until it is stopped. All four functions may be called
// from any thread; the window's message and status file can be changed
// while it shows.
#include <string>

#include "platform/ui/UserInterface.h"

// Starts the window and its thread; the owner window is brought to the top
// again when the window closes. A window that is still open is stopped
// first. True when the thread is running.
bool StartWaitWindow(platform::WindowHandle owner);
// Sets the first line of the window (at most 1023 characters); does nothing
// without a window.
void SetWaitMessage(const char* text);
// Deletes the file (when the path is not empty) and lets the window show its
// first line as the message from now on. Without a window it does nothing,
// not even the deletion.
void WatchStatusFile(const char* path);
// Closes the window; it is gone when the call returns. Does nothing without
// a window.
void StopWaitWindow();

// A copy of the window's state, for diagnostics and tests.
struct WaitWindowState {
    bool exists = false;
    std::string message;
    std::string statusFile;
    int tickCount = 0;
    long elapsed = 0;
};
WaitWindowState GetWaitWindowState();
