#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "common/misc/CxCommWaitWindow.h"
#include "platform/waitwindow/CairoCanvas.h"

namespace {

// Cairo and fontconfig keep their font caches until the process ends; they
// are let go at the end of the run so that the leak check sees only ours.
class FontCaches : public ::testing::Environment {
public:
    void TearDown() override {
        cairo_debug_reset_static_data();
        FcFini();
    }
};
[[maybe_unused]] ::testing::Environment* const g_fontCaches = ::testing::AddGlobalTestEnvironment(new FontCaches);

std::uint32_t PixelOf(cairo_surface_t* surface, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
}

// The client area painted into an image through the cairo canvas.
class Painted {
public:
    Painted(CxCommWaitWindow& window, int width, int height)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
        const platform::CairoFonts fonts(CxCommWaitWindow::kFontFamily);
        EXPECT_TRUE(fonts.Ok());
        platform::CairoContext cr(cairo_create(m_surface.get()));
        cairo_set_source_rgb(cr.get(), 1, 0, 0);  // anything the window leaves unpainted shows red
        cairo_paint(cr.get());
        platform::CairoCanvas canvas(cr.get(), fonts);
        window.OnPaint(canvas, width, height);
        cr.reset();
        cairo_surface_flush(m_surface.get());
    }
    std::uint32_t Pixel(int x, int y) const { return PixelOf(m_surface.get(), x, y); }
    // Squares drawn in the progress row, each checked over its whole area.
    int Squares(int width) const {
        int count = 0;
        for (int i = 0; 20 + 25 * i + 20 <= width; ++i) {
            int coloured = 0;
            for (int y = 100; y < 112; ++y)
                for (int x = 20 + 25 * i; x < 40 + 25 * i; ++x)
                    coloured += Pixel(x, y) == CxCommWaitWindow::kSquareColour;
            EXPECT_TRUE(coloured == 0 || coloured == 240) << "square " << i << " is partly drawn";
            EXPECT_EQ(Pixel(20 + 25 * i + 22, 105), 0xFFFFFFu) << "gap after square " << i;
            EXPECT_EQ(Pixel(20 + 25 * i + 10, 99), 0xFFFFFFu);
            EXPECT_EQ(Pixel(20 + 25 * i + 10, 112), 0xFFFFFFu);
            if (coloured == 240) {
                EXPECT_EQ(count, i) << "squares fill the row from the left";
                ++count;
            }
        }
        return count;
    }
    // Dark pixels in a rectangle: drawn text.
    int Ink(int x0, int y0, int x1, int y1) const {
        int ink = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) ink += (Pixel(x, y) & 0xFF) < 0x80;
        return ink;
    }

private:
    platform::CairoSurface m_surface;
};

void Ticks(CxCommWaitWindow& window, int n) {
    for (int i = 0; i < n; ++i) window.Tick();
}

}  // namespace

TEST(WaitWindowPainting, SquaresGrowOnePerTickAndStartAgainWhenTheRowIsFull) {
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(480), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(478), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(465), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(464), 17);
    CxCommWaitWindow window;
    ASSERT_TRUE(window.OnCreate());
    const int expected[][2] = {{0, 0}, {1, 1}, {5, 5}, {17, 17}, {18, 0}, {19, 1}, {36, 0}, {53, 17}};
    int done = 0;
    for (const auto& [ticks, squares] : expected) {
        Ticks(window, ticks - done);
        done = ticks;
        Painted image(window, 478, 148);
        EXPECT_EQ(image.Squares(478), squares) << ticks << " ticks";
        EXPECT_EQ(image.Pixel(0, 0), 0xFFFFFFu);
        EXPECT_EQ(image.Pixel(477, 147), 0xFFFFFFu);
    }
    EXPECT_EQ(window.GetTickCount(), 53);
    // A narrower client area has a shorter row.
    CxCommWaitWindow narrow;
    narrow.OnCreate();
    Ticks(narrow, 12);
    Painted image(narrow, 300, 148);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(300), 11);
    EXPECT_EQ(image.Squares(300), 1);
}

TEST(WaitWindowPainting, MessageAndLabelsAreDrawnInTheirBands) {
    CxCommWaitWindow window;
    window.OnCreate();
    {
        Painted blank(window, 478, 148);
        EXPECT_EQ(blank.Ink(20, 12, 478, 26), 0);    // no message
        EXPECT_GT(blank.Ink(20, 48, 130, 62), 20);   // "Time Elapsed:"
        EXPECT_GT(blank.Ink(140, 48, 220, 62), 20);  // "0 seconds"
        EXPECT_EQ(blank.Ink(0, 0, 19, 148), 0);      // nothing left of the text column
        EXPECT_EQ(blank.Ink(0, 64, 478, 148), 0);    // nothing below the labels
    }
    window.SetMessage("Loading Google Contacts ...");
    Painted painted(window, 478, 148);
    EXPECT_GT(painted.Ink(20, 12, 240, 38), 50);
}

TEST(WaitWindowPainting, TheWholeWindowHasAThinGreyFrameAroundTheClientArea) {
    CxCommWaitWindow window;
    window.OnCreate();
    window.Tick();
    const platform::CairoFonts fonts(CxCommWaitWindow::kFontFamily);
    int clientWidth = 0, clientHeight = 0;
    const platform::CairoSurface image =
        platform::PaintFramedWindow(CxCommWaitWindow::kWidth, CxCommWaitWindow::kHeight, fonts,
                                    [&](platform::Canvas& canvas, int width, int height) {
                                        clientWidth = width;
                                        clientHeight = height;
                                        window.OnPaint(canvas, width, height);
                                        canvas.FillRect(-5, -5, 1000, 3, 0xFF0000);  // cut at the client area's edge
                                    });
    EXPECT_EQ(clientWidth, 478);
    EXPECT_EQ(clientHeight, 148);
    const int right = CxCommWaitWindow::kWidth - 1, bottom = CxCommWaitWindow::kHeight - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}, {240, 0}, {0, 75}})
        EXPECT_EQ(PixelOf(image.get(), x, y), 0x666666u) << x << "," << y;
    EXPECT_EQ(PixelOf(image.get(), 1, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(image.get(), right - 1, bottom - 1), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(image.get(), 21, 101), CxCommWaitWindow::kSquareColour);  // the first square, moved in by one
    EXPECT_EQ(PixelOf(image.get(), 20, 100), 0xFFFFFFu);
}
