#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/misc/CxCommWaitWindow.h"
#include "common/misc/CxWaitWindow.h"
#include "platform/paths/Paths.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/support/TempDir.h"

namespace {

// What a surface was asked to do, one line per call, shared with the test
// while the window's thread adds to it.
class CallLog {
public:
    void Add(std::string call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

std::string Hex(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return text;
}

class RecordingCanvas : public platform::Canvas {
public:
    explicit RecordingCanvas(CallLog& log) : m_log(log) {}
    void FillRect(int x, int y, int width, int height, std::uint32_t rgb) override {
        m_log.Add("fill " + Box(x, y, width, height) + " " + Hex(rgb));
    }
    void DrawText(const std::string& text, int x, int y, int width, int height, platform::FontWeight weight,
                  double pixels, std::uint32_t rgb) override {
        m_log.Add("text '" + text + "' " + Box(x, y, width, height) +
                  (weight == platform::FontWeight::Bold ? " bold " : " normal ") + std::to_string(int(pixels)) + " " +
                  Hex(rgb));
    }

private:
    static std::string Box(int x, int y, int width, int height) {
        return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height);
    }
    CallLog& m_log;
};

// A window that records instead of drawing: "paint WxH" and the canvas calls
// of each frame, "line ..." for each one-line form, "close" at the end.
class RecordingSurface : public platform::WaitSurface {
public:
    RecordingSurface(CallLog& log, int width, int height) : m_log(log), m_width(width), m_height(height) {}
    ~RecordingSurface() override { m_log.Add("close"); }
    void Paint(const platform::PaintFunction& paint) override {
        m_log.Add("paint " + std::to_string(m_width - 2) + "x" + std::to_string(m_height - 2));
        RecordingCanvas canvas(m_log);
        paint(canvas, m_width - 2, m_height - 2);
    }
    void ShowLine(const std::string& line) override { m_log.Add("line " + line); }

private:
    CallLog& m_log;
    int m_width, m_height;
};

// The calls of one painted frame of a 478 x 148 client area.
std::vector<std::string> Frame(const std::string& message, const std::string& seconds, int squares) {
    std::vector<std::string> calls{"fill 0,0 478x148 #FFFFFF"};
    if (!message.empty()) calls.push_back("text '" + message + "' 20,0 458x50 bold 11 #000000");
    calls.push_back("text 'Time Elapsed:' 20,30 458x50 bold 11 #000000");
    calls.push_back("text '" + seconds + "' 140,30 338x50 normal 11 #000000");
    for (int i = 0; i < squares; ++i) calls.push_back("fill " + std::to_string(20 + 25 * i) + ",100 20x12 #0080C0");
    return calls;
}

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

// The window kind installed for one test, recording what it is asked.
struct InstalledRecordingWindow {
    CallLog log;
    std::vector<platform::WindowOptions> opened;
    bool opens = true;
    InstalledRecordingWindow() {
        platform::InstallWindowSurfaceFactory(
            [this](const platform::WindowOptions& options) -> std::unique_ptr<platform::WaitSurface> {
                opened.push_back(options);
                log.Add("open " + std::to_string(options.width) + "x" + std::to_string(options.height) + " " +
                        options.caption + " " + options.fontFamily);
                if (!opens) return nullptr;
                return std::make_unique<RecordingSurface>(log, options.width, options.height);
            });
    }
    ~InstalledRecordingWindow() { platform::InstallWindowSurfaceFactory(nullptr); }
};

}  // namespace

TEST(WaitWindowPainting, AFrameIsTheGroundTheTextsAndOneSquarePerTickInARowThatStartsAgain) {
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(480), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(478), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(465), 18);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(464), 17);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(300), 11);
    EXPECT_EQ(CxCommWaitWindow::SquareSlots(10), 1);
    struct Case {
        int ticks;
        const char* message;
        const char* seconds;
        int squares;
    };
    const Case cases[] = {{0, "", "0 seconds", 0},   {1, "Loading ...", "0 seconds", 1},
                          {17, "", "1 seconds", 17}, {18, "Contact 3 of 7", "1 seconds", 0},
                          {19, "", "1 seconds", 1},  {53, "", "5 seconds", 17}};
    CxCommWaitWindow window;
    ASSERT_TRUE(window.OnCreate());
    int done = 0;
    for (const Case& c : cases) {
        Ticks(window, c.ticks - done);
        done = c.ticks;
        window.SetMessage(c.message);
        CallLog log;
        RecordingCanvas canvas(log);
        window.OnPaint(canvas, 478, 148);
        EXPECT_EQ(log.Calls(), Frame(c.message, c.seconds, c.squares)) << c.ticks << " ticks";
        EXPECT_EQ(window.StatusLine(),
                  std::string(c.message) + (*c.message ? "  " : "") + "Time Elapsed: " + c.seconds);
    }
    // A narrower client area has a shorter row, and the texts are cut at its edge.
    CxCommWaitWindow narrow;
    narrow.OnCreate();
    Ticks(narrow, 12);
    CallLog log;
    RecordingCanvas canvas(log);
    narrow.OnPaint(canvas, 300, 148);
    const auto calls = log.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[2], "text '1 seconds' 140,30 160x50 normal 11 #000000");
    EXPECT_EQ(calls[3], "fill 20,100 20x12 #0080C0");
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

TEST_F(WaitWindowThread, ARunOpensTheWindowPaintsAFramePerTickAndClosesIt) {
    fwtest::ScopedEnv pick{"FRWY_WAIT_WINDOW", "x11"};
    fwtest::ScopedEnv display{"DISPLAY", ":7"};
    InstalledRecordingWindow window;
    int owner = 0;
    ASSERT_TRUE(StartWaitWindow(&owner));
    SetWaitMessage("Loading Google Contacts ...");
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().tickCount >= 3; }));
    const std::string status = dir.File("GAddrStatus.dat");
    WatchStatusFile(status.c_str());
    fwtest::WriteFile(status, "Contact 3 of 7\n");
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().tickCount >= 20; }));
    EXPECT_EQ(GetWaitWindowState().message, "Contact 3 of 7");
    StopWaitWindow();
    ASSERT_EQ(ui.Calls(platform::RecordingUserInterface::Kind::Activate).size(), 1u);

    // open, then frames of "paint", the canvas calls and "line", then close.
    const std::vector<std::string> calls = window.log.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), "open 480x150 CommWaitWindow Verdana");
    EXPECT_EQ(calls.back(), "close");
    int frame = 0;
    bool sawStatusLine = false;
    for (std::size_t i = 1; i + 1 < calls.size(); ++frame) {
        ASSERT_EQ(calls[i], "paint 478x148") << "frame " << frame;
        std::size_t end = i + 1;
        while (end < calls.size() && calls[end].rfind("line ", 0) != 0) ++end;
        ASSERT_LT(end, calls.size() - 1) << "frame " << frame << " has no line";
        // Each tick adds one square and 100 ms; the message may change
        // between the picture and the line, the time only on a tick.
        const std::vector<std::string> painted(calls.begin() + i + 1, calls.begin() + end);
        const std::string seconds = std::to_string(frame / 10) + " seconds";
        std::string message;
        if (painted.size() > 1 && painted[1].find("' 20,0 ") != std::string::npos)
            message = painted[1].substr(6, painted[1].find("' 20,0 ") - 6);
        EXPECT_EQ(painted, Frame(message, seconds, frame % 18)) << "frame " << frame;
        const std::string line = calls[end].substr(5);
        EXPECT_TRUE(line.ends_with("Time Elapsed: " + seconds)) << line;
        sawStatusLine = sawStatusLine || line == "Contact 3 of 7  Time Elapsed: " + seconds;
        i = end + 1;
    }
    EXPECT_GE(frame, 21);  // the first frame comes before the first tick
    EXPECT_TRUE(sawStatusLine);
}

TEST_F(WaitWindowThread, TheWindowOpensOnlyWhereTheChoiceAndTheDisplayAllowIt) {
    struct Case {
        const char* pick;
        const char* display;
        bool opens;
        bool asked;
    };
    const Case cases[] = {
        {"", ":0", true, true},      {"x11", ":0", true, true}, {"anything", ":0", true, true},
        {"x11", ":0", false, true},  {"", ":0", false, true},   {"terminal", ":0", true, false},
        {"none", ":0", true, false}, {"", "", true, false},     {"x11", "", true, false},
    };
    for (const Case& c : cases) {
        fwtest::ScopedEnv pick{"FRWY_WAIT_WINDOW", c.pick};
        fwtest::ScopedEnv display{"DISPLAY", c.display};
        InstalledRecordingWindow window;
        window.opens = c.opens;
        ASSERT_TRUE(StartWaitWindow(nullptr));
        StopWaitWindow();  // the thread opens its surface before it looks at the stop
        const auto calls = window.log.Calls();
        const std::string what = std::string("pick '") + c.pick + "', display '" + c.display + "'";
        ASSERT_EQ(window.opened.size(), c.asked ? 1u : 0u) << what;
        if (c.asked) {
            EXPECT_EQ(window.opened[0].width, 480) << what;
            EXPECT_EQ(window.opened[0].height, 150) << what;
        }
        EXPECT_EQ(!calls.empty() && calls.back() == "close", c.asked && c.opens) << what;
    }
    // Without an installed kind a display is no use, and nothing breaks.
    fwtest::ScopedEnv pick{"FRWY_WAIT_WINDOW", "x11"};
    fwtest::ScopedEnv display{"DISPLAY", ":0"};
    ASSERT_TRUE(StartWaitWindow(nullptr));
    EXPECT_TRUE(WaitFor([] { return GetWaitWindowState().tickCount >= 1; }));
    StopWaitWindow();
}
