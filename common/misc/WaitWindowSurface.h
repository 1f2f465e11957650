#pragma once
// Where the wait window shows itself: an X11 window of its own (own Xlib
// connection, used only by the window's thread) when a display is there,
// else one updating line on the terminal, else nowhere.
//
// The environment variable FRWY_WAIT_WINDOW picks one: "x11", "terminal" or
// "none"; unset or anything else picks the first that works.
#include <memory>

class CxCommWaitWindow;

class WaitWindowSurface {
public:
    virtual ~WaitWindowSurface() = default;
    // Shows the window's current state.
    virtual void Paint(CxCommWaitWindow& window) = 0;
};

// Opens the surface for a new window: creates, centres and shows the X11
// window, or prepares the terminal line. Null when there is nowhere to
// show it.
std::unique_ptr<WaitWindowSurface> OpenWaitWindowSurface();
