#pragma once
// Where a wait window shows itself: a small window of its own, painted
// through a Canvas, or one line of text on a terminal.
//
// The window kind is installed by the program at start-up (it needs a
// desktop library the core does not link); without one, only the terminal
// line is there.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

enum class FontWeight { Normal, Bold };

// What a window's client area is painted with. Coordinates are client-area
// pixels; colours are 0xRRGGBB.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills the rectangle with sharp edges.
    virtual void FillRect(int x, int y, int width, int height, std::uint32_t rgb) = 0;
    // Draws one line of text in the window's font from `x`, vertically
    // centred in the band of `height` pixels from `y`, cut at the band's
    // edges.
    virtual void DrawText(const std::string& text, int x, int y, int width, int height, FontWeight weight,
                          double pixels, std::uint32_t rgb) = 0;
};

// Paints a client area of the given size.
using PaintFunction = std::function<void(Canvas& canvas, int width, int height)>;

class WaitSurface {
public:
    // Closes the window, or wipes the line.
    virtual ~WaitSurface() = default;
    // Paints the client area and shows it at once; a window takes its
    // pending events first. A terminal line does nothing.
    virtual void Paint(const PaintFunction& paint) { (void)paint; }
    // Shows the state as one line of text; a window does nothing.
    virtual void ShowLine(const std::string& line) { (void)line; }
};

// A window to open: its outer size (a thin frame included), the name it is
// known by on the desktop, and the family of its font.
struct WindowOptions {
    int width = 0;
    int height = 0;
    std::string caption;
    std::string fontFamily;
};

using WindowSurfaceFactory = std::function<std::unique_ptr<WaitSurface>(const WindowOptions& options)>;

// Installs the window kind; an empty factory takes it away again.
void InstallWindowSurfaceFactory(WindowSurfaceFactory factory);
// Opens, centres and shows a window. Null without an installed kind or when
// the window cannot be had.
std::unique_ptr<WaitSurface> OpenWindowSurface(const WindowOptions& options);
// One line on the terminal behind standard error. Null when standard error
// is no terminal.
std::unique_ptr<WaitSurface> OpenTerminalLine();

// What the environment variable FRWY_WAIT_WINDOW picks: "x11", "terminal"
// or "none"; unset or anything else is Any.
enum class WaitWindowChoice { Any, Window, Terminal, Nowhere };
WaitWindowChoice ChosenWaitWindow();
// The desktop display a window would open on (DISPLAY); empty for none.
std::string DisplayName();

}  // namespace platform
