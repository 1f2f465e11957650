#include "platform/waitwindow/DesktopWaitWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/waitwindow/CairoCanvas.h"

namespace platform {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

// A borderless window centred on the screen through an Xlib connection of
// its own (used only by the thread that paints it), painted double-buffered:
// the whole window is drawn into an image first, then copied to the window
// at once.
class X11Surface : public WaitSurface {
public:
    explicit X11Surface(const WindowOptions& options) : m_options(options), m_fonts(options.fontFamily) {}

    ~X11Surface() override {
        m_target.reset();
        if (m_display && m_window) XDestroyWindow(m_display.get(), m_window);
    }

    bool Open() {
        static std::once_flag once;
        std::call_once(once, [] { XInitThreads(); });
        if (!m_fonts.Ok()) return false;
        m_display.reset(XOpenDisplay(nullptr));
        Display* display = m_display.get();
        if (display == nullptr) return false;
        const int screen = DefaultScreen(display);
        const int x = (DisplayWidth(display, screen) - m_options.width) / 2;
        const int y = (DisplayHeight(display, screen) - m_options.height) / 2;
        XSetWindowAttributes attrs{};
        attrs.override_redirect = True;
        attrs.background_pixel = WhitePixel(display, screen);
        attrs.event_mask = ExposureMask;
        m_window = XCreateWindow(display, RootWindow(display, screen), x, y, m_options.width, m_options.height, 0,
                                 CopyFromParent, InputOutput, CopyFromParent,
                                 CWOverrideRedirect | CWBackPixel | CWEventMask, &attrs);
        if (m_window == 0) return false;
        std::string name = m_options.caption;
        XClassHint hint{name.data(), name.data()};
        XSetClassHint(display, m_window, &hint);
        XMapRaised(display, m_window);
        m_target.reset(cairo_xlib_surface_create(display, m_window, DefaultVisual(display, screen), m_options.width,
                                                 m_options.height));
        XFlush(display);
        return cairo_surface_status(m_target.get()) == CAIRO_STATUS_SUCCESS;
    }

    void Paint(const PaintFunction& paint) override {
        Display* display = m_display.get();
        while (XPending(display) > 0) {  // nothing to dispatch; keep the queue short
            XEvent event;
            XNextEvent(display, &event);
        }
        const CairoSurface image = PaintFramedWindow(m_options.width, m_options.height, m_fonts, paint);
        {
            CairoContext out(cairo_create(m_target.get()));
            cairo_set_source_surface(out.get(), image.get(), 0, 0);
            cairo_set_operator(out.get(), CAIRO_OPERATOR_SOURCE);
            cairo_paint(out.get());
        }
        cairo_surface_flush(m_target.get());
        XRaiseWindow(display, m_window);
        XFlush(display);
    }

private:
    WindowOptions m_options;
    CairoFonts m_fonts;
    DisplayConnection m_display;
    Window m_window = 0;
    CairoSurface m_target;
};

std::unique_ptr<WaitSurface> OpenX11Surface(const WindowOptions& options) {
    auto surface = std::make_unique<X11Surface>(options);
    if (!surface->Open()) return nullptr;
    return surface;
}

}  // namespace

void InstallDesktopWaitWindow() { InstallWindowSurfaceFactory(&OpenX11Surface); }

bool SaveScreenPicture(const std::string& path) {
    const DisplayConnection connection(XOpenDisplay(nullptr));
    Display* display = connection.get();
    if (display == nullptr) return false;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);
    XImage* image = XGetImage(display, RootWindow(display, screen), 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const CairoSurface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(out.get()) != CAIRO_STATUS_SUCCESS) {
        XDestroyImage(image);
        return false;
    }
    unsigned char* data = cairo_image_surface_get_data(out.get());
    const int stride = cairo_image_surface_get_stride(out.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
                static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    XDestroyImage(image);
    cairo_surface_mark_dirty(out.get());
    return cairo_surface_write_to_png(out.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform
