#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "common/misc/CxCommWaitWindow.h"
#include "common/misc/CxWaitWindow.h"
#include "platform/paths/Paths.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/support/TempDir.h"

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

// The client area painted into an image, as the window's thread does.
class Painted {
public:
    Painted(CxCommWaitWindow& window, int width, int height)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
        cairo_t* cr = cairo_create(m_surface);
        cairo_set_source_rgb(cr, 1, 0, 0);  // anything the window leaves unpainted shows red
        cairo_paint(cr);
        window.OnPaint(cr, width, height);
        cairo_destroy(cr);
        cairo_surface_flush(m_surface);
    }
    ~Painted() { cairo_surface_destroy(m_surface); }
    std::uint32_t Pixel(int x, int y) const {
        const unsigned char* data = cairo_image_surface_get_data(m_surface);
        const int stride = cairo_image_surface_get_stride(m_surface);
        return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
    }
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
    cairo_surface_t* m_surface;
};

void Ticks(CxCommWaitWindow& window, int n) {
    for (int i = 0; i < n; ++i) window.Tick();
}

template <class Pred>
bool WaitFor(Pred pred) {
    for (int i = 0; i < 500; ++i) {
        if (pred()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pred();
}

struct WaitWindowThread : ::testing::Test {
    fwtest::ScopedEnv hidden{"FRWY_WAIT_WINDOW", "none"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface scope{&ui};
    fwtest::TempDir dir;
    ~WaitWindowThread() override { StopWaitWindow(); }
};

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

TEST(WaitWindowPainting, SecondsCountInStepsOfTenTicks) {
    CxCommWaitWindow window;
    window.OnCreate();
    EXPECT_EQ(window.ElapsedText(), "0 seconds");
    Ticks(window, 9);
    EXPECT_EQ(window.GetElapsed(), 900);
    EXPECT_EQ(window.ElapsedText(), "0 seconds");
    Ticks(window, 1);
    EXPECT_EQ(window.ElapsedText(), "1 seconds");
    Ticks(window, 15);
    EXPECT_EQ(window.ElapsedText(), "2 seconds");
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

TEST(WaitWindowStatusFile, FirstLineBecomesTheMessageUnlessThereIsNone) {
    fwtest::TempDir dir;
    CxCommWaitWindow window;
    window.OnCreate();
    window.SetMessage("Loading Google Contacts ...");
    const std::string status = dir.File("GAddrStatus.dat");
    window.SetStatusFile(status.c_str());
    window.Tick();  // missing file
    EXPECT_EQ(window.GetMessage(), "Loading Google Contacts ...");
    fwtest::WriteFile(status, "");
    window.Tick();  // empty file
    EXPECT_EQ(window.GetMessage(), "Loading Google Contacts ...");
    fwtest::WriteFile(status, "\r\nsecond line");
    window.Tick();  // empty first line
    EXPECT_EQ(window.GetMessage(), "Loading Google Contacts ...");
    fwtest::WriteFile(status, "Reading contact 5 of 10\r\nsecond line\r\n");
    window.Tick();
    EXPECT_EQ(window.GetMessage(), "Reading contact 5 of 10");
    fwtest::WriteFile(status, "No line end");
    window.Tick();
    EXPECT_EQ(window.GetMessage(), "No line end");
    // A long line is cut to 1023 bytes without splitting a character.
    fwtest::WriteFile(status, std::string(1022, 'a') + "\xC3\xA9" + "tail\n");
    window.Tick();
    EXPECT_EQ(window.GetMessage(), std::string(1022, 'a'));
    std::remove(status.c_str());
    window.Tick();
    EXPECT_EQ(window.GetMessage(), std::string(1022, 'a'));
    window.SetStatusFile("");
    window.SetMessage(std::string(2000, 'm').c_str());
    EXPECT_EQ(window.GetMessage().size(), 1023u);
    window.SetMessage(nullptr);
    EXPECT_EQ(window.GetMessage(), "");
}

TEST_F(WaitWindowThread, WithoutAWindowNothingHappens) {
    const std::string status = dir.File("GAddrStatus.dat");
    fwtest::WriteFile(status, "stale");
    WatchStatusFile(status.c_str());
    EXPECT_TRUE(platform::PathExists(status));
    SetWaitMessage("lost");
    StopWaitWindow();
    EXPECT_FALSE(GetWaitWindowState().exists);
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(WaitWindowThread, ShowsMessagesAndStatusLinesUntilStopped) {
    int owner = 0;
    ASSERT_TRUE(StartWaitWindow(&owner));
    SetWaitMessage("Loading information from Google account ...");  // right after the start
    WaitWindowState state = GetWaitWindowState();
    EXPECT_TRUE(state.exists);
    EXPECT_EQ(state.message, "Loading information from Google account ...");

    const std::string status = dir.File("GAddrStatus.dat");
    fwtest::WriteFile(status, "stale line of an earlier run");
    WatchStatusFile(status.c_str());
    EXPECT_FALSE(platform::PathExists(status));
    EXPECT_EQ(GetWaitWindowState().statusFile, status);
    SetWaitMessage("Loading Google Contacts ...");
    fwtest::WriteFile(status, "Contact 3 of 7\n");
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().message == "Contact 3 of 7"; }));
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().tickCount >= 2; }));
    state = GetWaitWindowState();
    EXPECT_EQ(state.elapsed, 100L * state.tickCount);

    StopWaitWindow();
    EXPECT_FALSE(GetWaitWindowState().exists);
    const auto activated = ui.Calls(platform::RecordingUserInterface::Kind::Activate);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].owner, &owner);
    SetWaitMessage("after the stop");
    EXPECT_FALSE(GetWaitWindowState().exists);
}

TEST_F(WaitWindowThread, AnEarlyStopStillClosesTheWindowAndAStartReplacesAnOpenOne) {
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(StartWaitWindow(nullptr));
        StopWaitWindow();
        EXPECT_FALSE(GetWaitWindowState().exists);
    }
    EXPECT_EQ(ui.Calls(platform::RecordingUserInterface::Kind::Activate).size(), 20u);
    ASSERT_TRUE(StartWaitWindow(nullptr));
    SetWaitMessage("first");
    ASSERT_TRUE(StartWaitWindow(nullptr));
    EXPECT_EQ(GetWaitWindowState().message, "");  // a fresh window
    EXPECT_EQ(ui.Calls(platform::RecordingUserInterface::Kind::Activate).size(), 21u);
    StopWaitWindow();
}
