#include "common/misc/WaitWindowSurface.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "common/misc/CxCommWaitWindow.h"
#include "common/misc/CxDebugUtil.h"

namespace {

// A borderless window centred on the screen, painted double-buffered: the
// whole window is drawn into an image first, a thin frame around the client
// area, then copied to the window at once.
class X11Surface : public WaitWindowSurface {
public:
    ~X11Surface() override {
        if (m_target) cairo_surface_destroy(m_target);
        if (m_display) {
            if (m_window) XDestroyWindow(m_display, m_window);
            XCloseDisplay(m_display);
        }
    }

    bool Open() {
        static std::once_flag once;
        std::call_once(once, [] { XInitThreads(); });
        m_display = XOpenDisplay(nullptr);
        if (m_display == nullptr) return false;
        const int screen = DefaultScreen(m_display);
        const int x = (DisplayWidth(m_display, screen) - CxCommWaitWindow::kWidth) / 2;
        const int y = (DisplayHeight(m_display, screen) - CxCommWaitWindow::kHeight) / 2;
        XSetWindowAttributes attrs{};
        attrs.override_redirect = True;
        attrs.background_pixel = WhitePixel(m_display, screen);
        attrs.event_mask = ExposureMask;
        m_window = XCreateWindow(m_display, RootWindow(m_display, screen), x, y, CxCommWaitWindow::kWidth,
                                 CxCommWaitWindow::kHeight, 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWOverrideRedirect | CWBackPixel | CWEventMask, &attrs);
        if (m_window == 0) return false;
        char name[] = "CommWaitWindow";
        XClassHint hint{name, name};
        XSetClassHint(m_display, m_window, &hint);
        XMapRaised(m_display, m_window);
        m_target = cairo_xlib_surface_create(m_display, m_window, DefaultVisual(m_display, screen),
                                             CxCommWaitWindow::kWidth, CxCommWaitWindow::kHeight);
        XFlush(m_display);
        return cairo_surface_status(m_target) == CAIRO_STATUS_SUCCESS;
    }

    void Paint(CxCommWaitWindow& window) override {
        while (XPending(m_display) > 0) {  // nothing to dispatch; keep the queue short
            XEvent event;
            XNextEvent(m_display, &event);
        }
        const int w = CxCommWaitWindow::kWidth, h = CxCommWaitWindow::kHeight;
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_t* cr = cairo_create(image);
        cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);  // the thin frame
        cairo_paint(cr);
        cairo_translate(cr, 1, 1);
        window.OnPaint(cr, w - 2, h - 2);
        cairo_destroy(cr);
        cairo_surface_flush(image);

        cairo_t* out = cairo_create(m_target);
        cairo_set_source_surface(out, image, 0, 0);
        cairo_set_operator(out, CAIRO_OPERATOR_SOURCE);
        cairo_paint(out);
        cairo_destroy(out);
        cairo_surface_destroy(image);
        cairo_surface_flush(m_target);
        XRaiseWindow(m_display, m_window);
        XFlush(m_display);
    }

private:
    Display* m_display = nullptr;
    Window m_window = 0;
    cairo_surface_t* m_target = nullptr;
};

// One line on the terminal behind standard error, rewritten when it changes
// and wiped when the window closes.
class TerminalSurface : public WaitWindowSurface {
public:
    ~TerminalSurface() override {
        if (!m_line.empty()) Write("\r\x1b[K");
    }

    void Paint(CxCommWaitWindow& window) override {
        std::string line = window.GetMessage();
        line += line.empty() ? "" : "  ";
        line += "Time Elapsed: " + window.ElapsedText();
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

}  // namespace

std::unique_ptr<WaitWindowSurface> OpenWaitWindowSurface() {
    const char* choice = std::getenv("FRWY_WAIT_WINDOW");
    const std::string pick = choice ? choice : "";
    if (pick == "none") return nullptr;
    if (pick != "terminal") {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) {
            auto x11 = std::make_unique<X11Surface>();
            if (x11->Open()) return x11;
            CX_LOG(kLogDetail, "The wait window cannot be shown on display %s.", display);
        }
        if (pick == "x11") return nullptr;
    }
    if (::isatty(STDERR_FILENO)) return std::make_unique<TerminalSurface>();
    return nullptr;
}
