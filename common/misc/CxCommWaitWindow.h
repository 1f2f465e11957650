#pragma once
// The small wait window shown while a load or a migration keeps the
// user-interface thread busy: the current message in bold, "Time Elapsed:"
// with the seconds so far, and a row of progress squares that grows by one
// square per 100 ms tick and starts again when the row is full.
//
// The window object holds the state that its own thread paints; the message
// and the status-file path may be changed from any thread.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/event/AutoResetEvent.h"
#include "platform/ui/WaitSurface.h"

class CxCommWaitWindow {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 150;
    static constexpr int kTimerId = 10000;
    static constexpr int kTickMs = 100;
    static constexpr std::size_t kMessageCapacity = 1024;    // 1023 characters
    static constexpr std::size_t kStatusPathCapacity = 260;  // 259 characters
    // Colour of the progress squares: red 0, green 0x80, blue 0xC0.
    static constexpr std::uint32_t kSquareColour = 0x0080C0;
    static constexpr const char* kFontFamily = "Verdana";
    static constexpr const char* kWindowName = "CommWaitWindow";

    CxCommWaitWindow();
    virtual ~CxCommWaitWindow();
    CxCommWaitWindow(const CxCommWaitWindow&) = delete;
    CxCommWaitWindow& operator=(const CxCommWaitWindow&) = delete;

    // Resets the stop event's state and the tick count. The window's surface
    // brings its fonts ("Verdana", bold and normal).
    virtual bool OnCreate();
    // Paints the client area (of the given size): white ground, the message
    // and "Time Elapsed:" in bold 11-pixel text in the bands from the top and
    // from 30 pixels down (each 50 pixels high, text from 20 pixels in,
    // vertically centred), "%d seconds" in the normal font from 140 pixels
    // in, and (tick count mod n) squares of 20 x 12 pixels at x = 20 + 25 i,
    // y = 100, where n = (width - 40) / 25 + 1.
    virtual void OnPaint(platform::Canvas& canvas, int width, int height);
    virtual void OnSize(int width, int height);
    // One tick: counts it and takes the status file's first line (when the
    // file can be opened and has one) as the message.
    virtual void OnTimer(int timerId);

    // Shows the current state on the surface: painted in a window, or as
    // the one line of StatusLine() on a terminal.
    void Show(platform::WaitSurface& surface);
    // The message (when there is one), two blanks and "Time Elapsed: %d
    // seconds".
    std::string StatusLine() const;

    // What happens on each 100 ms time-out of the window's thread: the
    // status file is read, the elapsed time grows by 100 ms, and OnTimer runs.
    void Tick();

    // Keeps at most 1023 characters (whole UTF-8 characters only).
    void SetMessage(const char* text);
    std::string GetMessage() const;
    // Keeps at most 259 characters; empty means none.
    void SetStatusFile(const char* path);
    std::string GetStatusFile() const;

    int GetTickCount() const { return m_tickCount.load(); }
    long GetElapsed() const { return m_elapsed.load(); }
    // "%d seconds" of the elapsed time.
    std::string ElapsedText() const;
    // The number of squares that make a full row for a client width.
    static int SquareSlots(int clientWidth);

    platform::AutoResetEvent& StopEvent() { return m_stopEvent; }

private:
    // Takes the status file's first line as the message when it has one.
    void ReadStatusFile();

    platform::AutoResetEvent m_stopEvent;
    mutable std::mutex m_mutex;  // guards the two texts
    char m_message[kMessageCapacity];
    char m_statusFile[kStatusPathCapacity];
    std::atomic<int> m_tickCount{0};
    std::atomic<long> m_elapsed{0};
};
