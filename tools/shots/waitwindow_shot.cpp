// Shows the wait window on the X display, lets it tick for a while with a
// status line from a helper, and saves a picture of the whole screen.
// Usage: waitwindow_shot <picture.png> [seconds]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "common/misc/CxWaitWindow.h"

namespace {

bool SaveScreen(const char* path) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);
    XImage* image = XGetImage(display, RootWindow(display, screen), 0, 0, width, height, AllPlanes, ZPixmap);
    bool ok = false;
    if (image != nullptr) {
        cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        unsigned char* data = cairo_image_surface_get_data(out);
        const int stride = cairo_image_surface_get_stride(out);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
                    static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
        cairo_surface_mark_dirty(out);
        ok = cairo_surface_write_to_png(out, path) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(out);
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: waitwindow_shot <picture.png> [seconds]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 2.75;
    if (!StartWaitWindow(nullptr)) return 1;
    SetWaitMessage("Loading information from Google account ...");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    SetWaitMessage("Loading Google Contacts ...");
    const std::string status = "/tmp/waitwindow_shot_status.dat";
    WatchStatusFile(status.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (std::FILE* f = std::fopen(status.c_str(), "w")) {
        std::fputs("Reading Google contact 212 of 530 ...\r\n", f);
        std::fclose(f);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000) - 500));
    const bool saved = SaveScreen(argv[1]);
    StopWaitWindow();
    std::remove(status.c_str());
    return saved ? 0 : 1;
}
